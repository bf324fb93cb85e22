"""The pages' heap while the explanation follows a drag: plane_split's and plane_cut's handle,
on the square it crosses, dragged back and forth by 8 pixels for FRAMES animation frames, one
drag event in each so that every event gets its frame drawn, once with the explanation closed
and once open, each in a page of its own. Writes JSON: per program and state the frames drawn,
seconds, and the bytes by which the top of the module's heap rose (freed blocks the heap hands
out again do not count). Open should grow the heap no more than closed.

    page_explain_heap.py WEB_DIR [FRAMES] > explain_heap.json    (FRAMES: 10,000 by default)
"""
import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xsession import BrowserSession, scene_pixel, until  # noqa: E402


def measure(web, program, explained, frames):
    with BrowserSession() as session:
        win = session.launch(os.path.join(web, f"{program}.html"))
        if explained:
            win.button("Explain")
            until(lambda: win.steps()["items"])
        handle = scene_pixel(win, 0.2, 0.3)
        run = win._ask(op="frames", **{"from": handle, "to": (handle[0] + 8, handle[1]), "count": frames})
    return {"program": program, "explanation": "open" if explained else "closed", "frames": run["frames"],
            "seconds": run["ms"] / 1000, "heap_grown": run["grown"]}


def main(argv):
    web, frames = argv[1], int(argv[2]) if len(argv) > 2 else 10000
    rows = [measure(web, program, explained, frames) for program in ("plane_split", "plane_cut")
            for explained in (False, True)]
    json.dump(rows, sys.stdout, indent=1)
    print()


if __name__ == "__main__":
    main(sys.argv)
