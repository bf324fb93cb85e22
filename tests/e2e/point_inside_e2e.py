"""point_inside in a real window: the square, the labels following the cursor, a corner dragged."""
import sys

from labels import check_labels
from xsession import around, check, like, session_for


RED, WHITE = (255, 0, 0), (255, 255, 255)
CORNERS = [(480, 360), (480, 120), (160, 120), (160, 360)]  # (0.5, -0.5), (0.5, 0.5), (-0.5, 0.5), (-0.5, -0.5)


def has_char(img, line, k):
    """Whether label line 0..3 (baselines 12 pixels apart) shows a k-th character (8 pixels a cell)."""
    baseline = 12 * (line + 1)
    return img.count(like(WHITE, 60), (8 * (k - 1), baseline - 8, 8 * k, baseline)) > 0


# "inside (...)" and "outside (...)" differ by one character: the length tells the verdict.
OUTSIDE_LENGTH = {1: len("outside (sum angles)"), 2: len("outside (edge planes)"), 3: len("outside (barycentric)")}


def verdicts(img):
    return {line: "outside" if has_char(img, line, n) else "inside" for line, n in OUTSIDE_LENGTH.items()}


def main(binary):
    with session_for(binary) as session:
        win = session.launch(binary)
        check((win.width, win.height) == (640, 480), f"window is {win.width}x{win.height}")

        # The cursor starts at the centre, inside for every test.
        img = win.screenshot()
        check_labels(win, img, "point_inside")  # the labels at start-up are the desktop's, pixel for pixel
        for corner in CORNERS:
            check(img.count(like(RED), around(corner)) > 10, f"corner {corner} not drawn in red")
        check(img.count(like(WHITE, 30), (200, 235, 440, 245)) == 0, "nothing white inside the square")
        check(has_char(img, 0, len("convex")) and not has_char(img, 0, len("non-convex")), "convex label missing")
        check(verdicts(img) == {1: "inside", 2: "inside", 3: "inside"}, f"at the centre: {verdicts(img)}")

        # Just right of the right edge: the angle sum and the barycentric test say outside,
        # the edge planes, with their allowance, still inside.
        win.move(481, 240)
        img = win.screenshot()
        check(verdicts(img) == {1: "outside", 2: "inside", 3: "outside"}, f"beside the edge: {verdicts(img)}")

        # A corner dragged outwards: the red dot and the outline's two edges move with it.
        win.drag(*CORNERS[1], 560, 60)
        img = win.screenshot()
        check(img.count(like(RED), around((560, 60))) > 10, "dragged corner not at its new place")
        check(img.count(like(RED), around(CORNERS[1], 6)) == 0, "dragged corner still at its old place")
        for old, new in (((320, 120), (360, 90)), ((480, 240), (520, 210))):
            check(img.count(like(WHITE, 60), around(new, 3)) > 0, f"no outline at {new}")
            check(img.count(like(WHITE, 60), around(old, 3)) == 0, f"outline still at {old}")
        check_labels(win, img, "point_inside.end")  # before the resize: a page's window keeps its size

        # A larger window stretches the scene: the corner (-0.5, -0.5) moves with it.
        win.resize(800, 800)
        img = win.screenshot()
        check(img.count(like(RED), around((200, 600))) > 10, "the scene did not follow the new window size")
    print("point_inside end-to-end: ok")


if __name__ == "__main__":
    main(sys.argv[1])
