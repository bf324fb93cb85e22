"""closest_point in a real window: the dot at the centre, hovered onto the outline, a corner dragged."""
import sys

from labels import check_labels
from xsession import around, check, like, session_for


def outline(c):
    return c[0] > 60 and c[0] == c[1] == c[2]  # a smooth white line, grey where it covers a pixel in part


RED, GREEN = (255, 0, 0), (0, 255, 0)
CORNERS = [(160, 360), (160, 120), (480, 120), (480, 360)]
CENTRE = (320, 240)


def main(binary):
    with session_for(binary) as session:
        win = session.launch(binary)
        check((win.width, win.height) == (640, 480), f"window is {win.width}x{win.height}")
        img = win.screenshot()
        check_labels(win, img, "closest_point")  # the labels at start-up are the desktop's, pixel for pixel
        for corner in CORNERS:
            check(img.count(like(RED), around(corner)) > 10, f"corner {corner} not drawn")
        check(img.count(like(GREEN), around(CENTRE)) > 10, "dot not at the centre before any mouse event")

        # Right of the square: the dot goes to the nearest point of the east edge.
        win.move(600, 240)
        img = win.screenshot()
        check(img.count(like(GREEN), around((480, 240))) > 10, "dot not on the east edge")
        check(img.count(like(GREEN), around(CENTRE)) == 0, "dot still at the centre")

        # The top right corner dragged up and out tilts the top edge; back inside, the dot is under the cursor.
        win.drag(*CORNERS[2], 560, 60)
        win.move(*CENTRE)
        img = win.screenshot()
        check(img.count(like(RED), around((560, 60))) > 10, "dragged corner not at its new place")
        check(img.count(outline, around((400, 84), 2)) > 0, "top edge does not run to the new corner")
        check(img.count(outline, around((400, 120), 2)) == 0, "top edge still where it was")
        check(img.count(like(GREEN), around(CENTRE)) > 10, "dot not under the cursor")
        check_labels(win, win.screenshot(), "closest_point.end")
    print("closest_point end-to-end: ok")


if __name__ == "__main__":
    main(sys.argv[1])
