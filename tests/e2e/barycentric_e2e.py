"""barycentric in a real window: the start-up figure, the cursor moved below the edge T1-T2, a corner dragged."""
import sys

from labels import check_labels
from xsession import around, check, like, session_for

RED, YELLOW = (255, 0, 0), (255, 255, 0)


def count(img, colour, x, y, r=8):
    return img.count(like(colour), around((x, y), r))


def red_lines(img):
    # Which of the value lines of u, v and u + v (baselines 16, 32, 48) show red digits.
    return [count(img, RED, 80, baseline - 4) > 0 for baseline in (16, 32, 48)]


def main(binary):
    with session_for(binary) as session:
        win = session.launch(binary)
        check((win.width, win.height) == (640, 640), f"window is {win.width}x{win.height}")
        img = win.screenshot()
        check_labels(win, img, "barycentric")  # the labels at start-up are the desktop's, pixel for pixel
        for corner in [(320, 96), (514, 432), (126, 432)]:
            check(count(img, RED, *corner) > 10, f"no red corner at {corner}")
        check(count(img, YELLOW, 320, 320) > 10, "no yellow cursor point at the centre")
        check(red_lines(img) == [False] * 3, f"red value lines at the centre: {red_lines(img)}")

        win.move(320, 448)  # (0, -0.4)
        img = win.screenshot()
        check(red_lines(img) == [False, False, True], f"red value lines below T1-T2: {red_lines(img)}")
        check(count(img, YELLOW, 320, 448) > 10, "the cursor point did not follow")

        win.drag(514, 432, 600, 560)  # T1 down and to the right
        win.move(320, 320)  # the cursor point no longer covers the corner
        img = win.screenshot()
        check(count(img, RED, 600, 560) > 10, "T1 not at its new place")
        check(count(img, RED, 514, 432, 6) == 0, "T1 still at its old place")
        check_labels(win, win.screenshot(), "barycentric.end")
    print("barycentric end-to-end: ok")


if __name__ == "__main__":
    main(sys.argv[1])
