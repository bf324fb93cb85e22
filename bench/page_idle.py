"""The pages left alone: each page's main-thread busy time (Chromium's TaskDuration) and
the animation frames it requests over SECONDS idle seconds, after its first frame.
Writes JSON, one entry per page (the index included).

    page_idle.py WEB_DIR [SECONDS] > idle.json    (SECONDS: 10 by default)
"""
import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xsession import BrowserSession  # noqa: E402


def main(argv):
    web, seconds = argv[1], float(argv[2]) if len(argv) > 2 else 10
    with open(os.path.join(web, "programs.txt")) as f:
        programs = f.read().split()
    rows = []
    with BrowserSession() as session:
        for name in ["index"] + programs:
            page = os.path.join(web, f"{name}.html")
            win = session.open(page) if name == "index" else session.launch(page)
            idle = win.idle(round(seconds * 1000))
            rows.append({"page": name, "seconds": seconds, "busy": idle["busy"], "frames": idle["frames"]})
    json.dump(rows, sys.stdout, indent=1)
    print()


if __name__ == "__main__":
    main(sys.argv)
