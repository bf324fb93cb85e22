"""barycentric in a real window: the start-up figure, then the cursor moved across the edge T1-T2."""
import sys

from xsession import XSession

RED, YELLOW, WHITE = (255, 0, 0), (255, 255, 0), (255, 255, 255)
CORNERS = [(320, 96), (514, 432), (126, 432)]  # T0, T1, T2
CENTRE = (320, 320)  # where the cursor starts, (0, 0)
VALUE_ROWS = {"u": 16, "v": 32, "u + v": 48}  # baselines of the value lines (y = 0.95, 0.9, 0.85)


def near_colour(target, tol=70):
    return lambda c: all(abs(a - b) <= tol for a, b in zip(c, target))


def box(x, y, r=8):
    return (x - r, y - r, x + r + 1, y + r + 1)


def text_row(line):
    return (0, VALUE_ROWS[line] - 12, 160, VALUE_ROWS[line] + 3)


def expect(ok, what):
    if not ok:
        raise AssertionError(what)


def red_lines(img):
    return [line for line in VALUE_ROWS if img.count(near_colour(RED), text_row(line)) > 0]


def main(binary):
    with XSession() as session:
        win = session.launch(binary)
        expect((win.width, win.height) == (640, 640), f"window is {win.width}x{win.height}")

        img = win.screenshot()
        for corner in CORNERS:
            expect(img.count(near_colour(RED), box(*corner)) > 10, f"no red corner at {corner}")
        expect(img.count(near_colour(YELLOW), box(*CENTRE)) > 10, "no yellow cursor point at the centre")
        for line in VALUE_ROWS:
            expect(img.count(near_colour(WHITE, 30), text_row(line)) > 20, f"value line '{line}' missing")
        expect(red_lines(img) == [], f"red value lines at start-up: {red_lines(img)}")

        # Just inside the edge T1-T2 (y = -0.3), then just outside it (y = -0.4).
        win.move(320, 416)
        expect(red_lines(win.screenshot()) == [], "a value line is red inside the triangle")
        win.move(320, 448)
        img = win.screenshot()
        expect(red_lines(img) == ["u + v"], f"red value lines below T1-T2: {red_lines(img)}")
        expect(img.count(near_colour(YELLOW), box(320, 448)) > 10, "the cursor point did not follow")
    print("barycentric end-to-end: ok")


if __name__ == "__main__":
    main(sys.argv[1])
