"""The pages on a phone and through a long session: finger drags, the layout at 412 CSS
pixels and ratio 2.625, the labels as text, and 300,000 drag events in plane_split.

    pages_e2e.py touch|phone|long_session WEB_DIR
"""
import os
import sys

from xsession import BrowserSession, around, check, like, scene_pixel as pixel

PHONE = {"viewport": {"width": 412, "height": 915}, "deviceScaleFactor": 2.625, "isMobile": True, "hasTouch": True}
GREEN, RED = (0, 255, 0), (255, 0, 0)


def touch(web):
    """A finger on a phone picks and drags plane_split's corner, and moves closest_point's dot."""
    with BrowserSession(context=PHONE) as session:
        win = session.launch(os.path.join(web, "plane_split.html"))
        check((win.width, win.height) == (412, 309), f"canvas is {win.width}x{win.height} CSS pixels")
        check(win.labels().split("\n")[0] == "convex", f"labels on the page: {win.labels()!r}")
        corner, inside = pixel(win, 0.5, 0.5), pixel(win, -0.1, -0.1)
        win.touch_drag(*corner, *inside)  # past the diagonal: the square folds in
        img = win.screenshot()
        check(img.count(like(RED), around(corner, 6)) == 0, "the corner did not follow the finger")
        check(img.count(like(RED), around(inside, 6)) > 5, "the corner is not under the finger")
        labels = win.labels().split("\n")
        check(len(labels) == 7 and labels[0] == "non-convex", f"labels on the page: {labels}")

        win = session.launch(os.path.join(web, "closest_point.html"))
        east, outside = pixel(win, 0.5, 0), pixel(win, 0.9, 0)
        win.touch_drag(*outside, *outside)  # nothing to pick there: the finger still moves the cursor
        img = win.screenshot()
        check(img.count(like(GREEN), around(east, 6)) > 5, "dot not on the east edge under a finger")
        check(img.count(like(GREEN), around(pixel(win, 0, 0), 6)) == 0, "dot still at the centre")
        check(win.labels() == "convex", f"labels on the page: {win.labels()!r}")
    print("pages: touch ok")


def phone(web):
    """Every page fits 412 CSS pixels without sideways scrolling and draws at the device's resolution."""
    with BrowserSession(context=PHONE) as session:
        with open(os.path.join(web, "programs.txt")) as f:  # every registered program, written by CMake
            programs = f.read().split()
        page = session.open(os.path.join(web, "index.html"))
        for name in ["index"] + programs:
            layout = page.goto(os.path.join(web, f"{name}.html"))
            check(layout["pageWidth"] <= layout["viewportWidth"] == 412, f"{name} scrolls sideways: {layout}")
            check(name == "index" or layout["cssWidth"] == 412 and layout["storeWidth"] == round(412 * 2.625)
                  and layout["storeHeight"] == round(layout["cssHeight"] * 2.625), f"{name}: {layout}")
    print("pages: phone ok")


def long_session(web):
    """300,000 drag events grow the heap past its first 16 MiB; a real drag still moves a handle."""
    with BrowserSession() as session:
        win = session.launch(os.path.join(web, "plane_split.html"))
        handle_a, handle_b = pixel(win, 0.2, 0.3), pixel(win, -0.2, -0.3)
        storm = win.storm(handle_a, (handle_a[0] + 8, handle_a[1]), 300000)
        print(f"300,000 drag events in {storm['ms'] / 1000:.1f} s, heap {storm['heap'] / 2**20:.0f} MiB")
        check(storm["heap"] > 16 * 2**20, "the heap did not grow")
        win.drag(*handle_a, *handle_b)
        img = win.screenshot()
        check(img.count(like(GREEN), around(handle_a, 6)) == 0, "handle A did not move after the storm")
        check(win.labels().split("\n")[4] == "violet has 0 vertices", f"labels: {win.labels()!r}")
    print("pages: long session ok")


if __name__ == "__main__":
    {"touch": touch, "phone": phone, "long_session": long_session}[sys.argv[1]](sys.argv[2])
