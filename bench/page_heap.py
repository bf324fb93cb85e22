"""The pages' memory through a long session: plane_split's and plane_cut's handle dragged
back and forth COUNT times (synthetic drag events in the page, as in the browser tests),
then one real drag. Writes JSON: per program the events, seconds, the module's memory
before and after, and whether the last drag still moved the handle.

    page_heap.py WEB_DIR [COUNT] > heap.json    (COUNT: 1,000,000 by default)
"""
import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xsession import BrowserSession, around, like, scene_pixel  # noqa: E402


def measure(web, program, count):
    with BrowserSession() as session:
        win = session.launch(os.path.join(web, f"{program}.html"))
        handle_a, handle_b = scene_pixel(win, 0.2, 0.3), scene_pixel(win, -0.2, -0.3)
        start = win.storm(handle_a, handle_a, 0)["heap"]
        storm = win.storm(handle_a, (handle_a[0] + 8, handle_a[1]), count)
        win.drag(*handle_a, *handle_b)
        moved = win.screenshot().count(like((0, 255, 0)), around(handle_a, 6)) == 0
    return {"program": program, "events": count, "seconds": storm["ms"] / 1000, "heap_before": start,
            "heap_after": storm["heap"], "drag_after": moved}


def main(argv):
    web, count = argv[1], int(argv[2]) if len(argv) > 2 else 1000000
    json.dump([measure(web, program, count) for program in ("plane_split", "plane_cut")], sys.stdout, indent=1)
    print()


if __name__ == "__main__":
    main(sys.argv)
