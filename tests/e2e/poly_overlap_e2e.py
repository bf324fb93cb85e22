"""poly_overlap in a real window: the two rectangles, a handle dragged until they part, a corner making one reflex."""
import sys

from xsession import XSession


def like(target, tol=70):
    return lambda c: all(abs(a - b) <= tol for a, b in zip(c, target))


RED, GREEN, WHITE = (255, 0, 0), (0, 255, 0), (255, 255, 255)
CENTRE_A, CENTRE_B, CORNER = (240, 240), (400, 240), (400, 120)  # (-0.25, 0), (0.25, 0), polyA's (0.25, 0.5)
WARNING = (0, 0, 240, 14)  # the first label line, y = 0.95
DO_NOT = (60, 14, 120, 27)  # where "do not overlap" outruns "overlap" on the second line


def grey_or_white(c):
    return min(c) >= 100  # the outlines are anti-aliased over two rows of half brightness


def around(point, r=10):
    x, y = point
    return (x - r, y - r, x + r + 1, y + r + 1)


def check(ok, what):
    if not ok:
        raise AssertionError(what)


def reads_do_not_overlap(img):
    return img.count(like(WHITE, 30), DO_NOT) > 20


def main(binary):
    with XSession() as session:
        win = session.launch(binary)
        check((win.width, win.height) == (640, 480), f"window is {win.width}x{win.height}")

        img = win.screenshot()
        check(img.count(grey_or_white, (100, 115, 360, 125)) > 400, "polyA's top edge missing")
        check(img.count(grey_or_white, (260, 175, 520, 185)) > 400, "polyB's top edge missing")
        for name, handle in (("A", CENTRE_A), ("B", CENTRE_B)):
            check(img.count(like(GREEN), around(handle)) > 10, f"handle {name} not drawn")
        check(img.count(like(RED), WARNING) == 0, "a warning at start-up")
        check(img.count(like(WHITE, 30), (0, 14, 60, 27)) > 20, "overlap label missing")
        check(not reads_do_not_overlap(img), "the rectangles start apart")

        # Hold centreB and move right pixel by pixel. polyB's left side stays 0.5 left of the handle,
        # so at 563 (x = 0.759375) the gap is 0.009375 < 0.01 and at 564 (x = 0.7625) it is 0.0125.
        win.press(*CENTRE_B)
        changed_at = None
        for x in range(556, 572):
            win.move(x, 240)
            if reads_do_not_overlap(win.screenshot()):
                changed_at = x
                break
        win.release()
        check(changed_at == 564, f"label changed at x = {changed_at}, not 564")
        img = win.screenshot()
        check(img.count(like(GREEN), around((564, 240))) > 10, "handle B not under the cursor")
        check(img.count(like(GREEN), around(CENTRE_B)) == 0, "handle B still at its start")

        # polyA's corner (0.25, 0.5) dragged to (-0.5, -0.25) makes it reflex.
        win.drag(*CORNER, 160, 300)
        img = win.screenshot()
        check(img.count(like(RED), WARNING) > 50, "no red warning for the reflex polygon")
        check(img.count(like(RED), around((160, 300))) > 10, "dragged corner not at its new place")
    print("poly_overlap end-to-end: ok")


if __name__ == "__main__":
    main(sys.argv[1])
