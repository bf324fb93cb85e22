"""poly_overlap in a real window: the two rectangles, a handle dragged until they part, a corner making one reflex."""
import sys

from labels import check_labels
from xsession import check, session_for

CENTRE_A, CENTRE_B, CORNER = (240, 240), (400, 240), (400, 120)  # (-0.25, 0), (0.25, 0), polyA's (0.25, 0.5)


def pure(channel):
    """A saturated red (0) or green (1) pixel."""
    return lambda c: c[channel] > 180 and sum(c) - c[channel] < 160


RED, GREEN = pure(0), pure(1)


def lit(c):
    return min(c) >= 100  # white text, and the outlines anti-aliased over two rows of half brightness


def labels(img):
    """(red warning shown, second line long enough to read "do not overlap" rather than "overlap")."""
    return img.count(RED, (0, 0, 240, 14)) > 50, img.count(lit, (60, 14, 120, 27)) > 20


def main(binary):
    with session_for(binary) as session:
        win = session.launch(binary)
        check((win.width, win.height) == (640, 480), f"window is {win.width}x{win.height}")
        img = win.screenshot()
        check_labels(win, img, "poly_overlap")  # the labels at start-up are the desktop's, pixel for pixel
        check(img.count(lit, (100, 115, 360, 125)) > 400 and img.count(lit, (420, 175, 520, 185)) > 150, "no outlines")
        for x, y in (CENTRE_A, CENTRE_B):
            check(img.count(GREEN, (x - 8, y - 8, x + 9, y + 9)) > 10, f"no handle at ({x}, {y})")
        check(img.count(lit, (0, 14, 60, 27)) > 20 and labels(img) == (False, False), "start-up labels wrong")

        # Hold centreB and move right pixel by pixel. polyB's left side stays 0.5 left of the handle,
        # so at 563 (x = 0.759375) the gap is 0.009375 < 0.01 and at 564 (x = 0.7625) it is 0.0125.
        win.press(*CENTRE_B)
        changed_at = None
        for x in range(556, 572):
            win.move(x, 240)
            if labels(win.screenshot())[1]:
                changed_at = x
                break
        win.release()
        check(changed_at == 564, f"label changed at x = {changed_at}, not 564")

        # polyA's corner (0.25, 0.5) dragged to (-0.5, -0.25) makes it reflex.
        win.drag(*CORNER, 160, 300)
        check(labels(win.screenshot()) == (True, True), "after the corner drag: want the red warning and \"do not overlap\"")
        check_labels(win, win.screenshot(), "poly_overlap.end")
    print("poly_overlap end-to-end: ok")


if __name__ == "__main__":
    main(sys.argv[1])
