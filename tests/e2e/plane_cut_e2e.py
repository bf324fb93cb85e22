"""plane_cut in a real window: the first cut, a handle dragged onto the other, a drag from empty space."""
import sys

from labels import check_labels
from xsession import around, check, like, session_for

BLUE, GREEN = (0, 0, 255), (0, 255, 0)
HANDLE_A, HANDLE_B = (384, 168), (256, 312)  # (0.2, 0.3), (-0.2, -0.3)
X1, X2, C2, C3 = (213, 360), (427, 120), (480, 120), (480, 360)  # the first cut's crossings; the removed corners


def seen(img, colour, point):
    return img.count(like(colour), around(point, 6))


def main(binary):
    with session_for(binary) as session:
        win = session.launch(binary)
        check((win.width, win.height) == (640, 480), f"window is {win.width}x{win.height}")
        img = win.screenshot()
        check_labels(win, img, "plane_cut")  # the labels at start-up are the desktop's, pixel for pixel
        check(seen(img, BLUE, X1) > 10 and seen(img, BLUE, X2) > 10, "the cut's crossings missing")
        check(seen(img, BLUE, C2) == 0 and seen(img, BLUE, C3) == 0, "removed corners drawn in the cut")
        check(seen(img, GREEN, HANDLE_A) > 10 and seen(img, GREEN, HANDLE_B) > 10, "handles missing")

        win.drag(*HANDLE_A, *HANDLE_B)  # the plane degenerates: the cut is the whole square
        img = win.screenshot()
        check(seen(img, BLUE, C2) > 10 and seen(img, BLUE, C3) > 10, "the cut did not follow the handle")

        win.drag(600, 450, 320, 240)  # nothing within reach at the press
        check(win.screenshot() == img, "a drag from empty space changed the picture")
        check_labels(win, win.screenshot(), "plane_cut.end")
    print("plane_cut end-to-end: ok")


if __name__ == "__main__":
    main(sys.argv[1])
