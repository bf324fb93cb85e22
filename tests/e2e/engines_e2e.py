"""A program's page in brief, for the engines other than Chromium: the labels at start-up against
the desktop's (labels/<program>.png), one keyboard move, one drag,
"Save drawing" against the canvas (the labels keeping their descenders), and the figure opened
again from its link.

    WEB_ENGINE=firefox|webkit engines_e2e.py PAGE.html
"""
import os
import re
import sys
import time
import xml.etree.ElementTree as ElementTree

from labels import check_labels
from xsession import BrowserSession, around, check, like, scene_pixel, tail_ink, until

SVG = "{http://www.w3.org/2000/svg}"


def focused(win):
    """The place of the point with the focus, in scene coordinates, from its name ("corner 1, x -0.5, y -0.5")."""
    match = re.search(r"x (\S+), y (\S+)$", win._ask(op="read")["focused"] or "")
    return match and (float(match[1]), float(match[2]))


def rgb(colour):
    return tuple(int(c) for c in re.findall(r"\d+", colour))


def main(page):
    program = os.path.basename(page).removesuffix(".html")
    with BrowserSession() as session:
        win = session.launch(page)
        start = win.screenshot()
        check_labels(win, start, program)

        # Tab reaches the first point; Shift+ArrowRight moves it ten window pixels.
        win.key("Tab")
        x, y = focused(win)
        win.key("Shift+ArrowRight")
        check(until(lambda: (p := focused(win)) and abs(p[0] - (x + 20 / win.width)) < 0.002 and p[1] == y),
              f"the first point did not move right: {win._ask(op='read')}")
        x0, y0 = scene_pixel(win, *focused(win))
        check(win.screenshot() != start, "the keys changed nothing on the canvas")  # (which takes the focus)

        # A drag of it 30 pixels towards the middle; the point it picked gets the focus, and its
        # name follows it once the frame is drawn.
        drop = (x0 + (30 if x0 < win.width / 2 else -30), y0 + (30 if y0 < win.height / 2 else -30))
        win.drag(x0, y0, *drop)
        check(until(lambda: max(abs(a - b) for a, b in zip(scene_pixel(win, *focused(win)), drop)) <= 1),
              f"dragged to {drop}, the point is at {scene_pixel(win, *focused(win))}")

        # The drawing is the frame on the canvas: its labels, its topmost point at the drop, and
        # every g, p, q and y with its tail in its cell's bottom row (a g with the hook under its bowl).
        img, labels = win.screenshot(), win.labels()
        name, svg = win.download("Save drawing")
        root = ElementTree.fromstring(svg)
        texts = [t for t in root.iter(SVG + "text")]
        check(name == f"{program}.svg" and [t.text for t in texts] == labels.split("\n"), f"{name}: {labels!r}")
        dropped = [c for c in root.iter(SVG + "circle")
                   if abs(float(c.get("cx")) - drop[0]) <= 1 and abs(float(c.get("cy")) - drop[1]) <= 1]
        check(dropped and img.count(like(rgb(dropped[-1].get("fill"))), around(drop, 3)) > 5,
              f"the drawing's point at {drop} is not on the canvas")
        for t in texts:
            for i, letter in enumerate(t.text):
                if letter in "gpqy":
                    ink = tail_ink(img, int(t.get("x")) + 8 * i, int(t.get("y")), rgb(t.get("fill")))
                    check(ink >= (3 if letter == "g" else 1),
                          f"{letter} of {t.text!r} has {ink} pixels in its tail row")

        # The address keeps the figure: opened from it, the page shows the same frame and labels.
        time.sleep(0.5)
        kept = win._ask(op="read")["url"].partition("#")[2]
        check(kept.startswith(f"v1/{program}/"), f"address fragment {kept!r}")
        win.goto(f"{page}#{kept}")
        check(until(lambda: win.screenshot() == img) and win.labels() == labels, f"#{kept} opened differently")
    print(f"{program} in {session.engine}: ok")


if __name__ == "__main__":
    main(sys.argv[1])
