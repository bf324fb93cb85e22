"""The pages left alone: each page's main-thread busy time (Chromium's TaskDuration) and
the animation frames it requests over SECONDS idle seconds, from two seconds after its
first frame (once the browser's own start-up work is over), each page alone in its
browser. Writes JSON, one entry per page (the index included).

    page_idle.py WEB_DIR [SECONDS] > idle.json    (SECONDS: 10 by default)
"""
import json
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xsession import BrowserSession  # noqa: E402

SETTLE = 2  # seconds between the first frame and the measurement


def main(argv):
    web, seconds = argv[1], float(argv[2]) if len(argv) > 2 else 10
    with open(os.path.join(web, "programs.txt")) as f:
        programs = f.read().split()
    rows = []
    for name in ["index"] + programs:
        with BrowserSession() as session:  # one page at a time, alone in its browser
            page = os.path.join(web, f"{name}.html")
            win = session.open(page) if name == "index" else session.launch(page)
            time.sleep(SETTLE)
            idle = win.idle(round(seconds * 1000))
        rows.append({"page": name, "seconds": seconds, "busy": idle["busy"], "frames": idle["frames"]})
    json.dump(rows, sys.stdout, indent=1)
    print()


if __name__ == "__main__":
    main(sys.argv)
