"""plane_split in a real window: the first split, a handle dragged onto the other, a corner dragged."""
import sys

from labels import check_labels
from xsession import around, check, like, session_for, tail_ink


CYAN, MAGENTA, RED, GREEN, WHITE = (0, 255, 255), (255, 0, 255), (255, 0, 0), (0, 255, 0), (255, 255, 255)
HANDLE_A, HANDLE_B, CORNER = (384, 168), (256, 312), (480, 120)  # (0.2, 0.3), (-0.2, -0.3), (0.5, 0.5)


def main(binary):
    with session_for(binary) as session:
        win = session.launch(binary)
        check((win.width, win.height) == (640, 480), f"window is {win.width}x{win.height}")

        img = win.screenshot()
        check_labels(win, img, "plane_split")  # the labels at start-up are the desktop's, pixel for pixel
        # The magenta piece (drawn cyan) lies left of the line, the violet piece (drawn magenta) right of it.
        check(img.count(like(CYAN), (160, 120, 300, 360)) > 50, "magenta piece missing on the left")
        check(img.count(like(MAGENTA), (340, 120, 480, 360)) > 50, "violet piece missing on the right")
        check(img.count(like(GREEN), around(HANDLE_A)) > 10, "handle A not drawn")
        check(img.count(like(WHITE, 30), (0, 0, 200, 100)) > 100, "labels missing")
        # The g of "magenta" (third cell of the second row, baseline 24) keeps the hook under its bowl.
        check(tail_ink(img, 16, 24) >= 3, "the g of magenta has lost its tail")

        # handleA onto handleB: the plane degenerates and the violet piece is empty.
        win.drag(*HANDLE_A, *HANDLE_B)
        img = win.screenshot()
        check(img.count(like(MAGENTA)) == 0, "violet piece still drawn after the handles met")
        check(img.count(like(GREEN), around(HANDLE_A)) == 0, "handle A did not move")

        # Drag it back out: the split returns. Then drag a corner outwards.
        win.drag(*HANDLE_B, 384, 60)
        win.drag(*CORNER, 560, 60)
        img = win.screenshot()
        check(img.count(like(MAGENTA)) > 50, "no violet piece after moving the handle away")
        check(img.count(like(RED), around((560, 60))) > 10, "dragged corner not at its new place")
        check(img.count(like(RED), around(CORNER, 6)) == 0, "dragged corner still at its old place")
        check_labels(win, win.screenshot(), "plane_split.end")
    print("plane_split end-to-end: ok")


if __name__ == "__main__":
    main(sys.argv[1])
