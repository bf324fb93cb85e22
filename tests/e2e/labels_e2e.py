"""Every printable character of the bitmap font, as glyph_label draws it on the desktop or on
its page, against the desktop's drawing in labels/glyph_label.png; on the desktop, the canvas
layer's font (platform/web/src/canvas/font8x13.js) against the cells of that drawing, and on a
page in Chromium, the same drawing at device pixel ratios 2, 3 and 2.625.

    labels_e2e.py BINARY|PAGE.html
    labels_e2e.py --record BUILD_DIR   (the desktop build: writes labels/ and the font anew)
"""
import math
import os
import re
import subprocess
import sys

from labels import REFERENCES, check_labels, crop, differences
from xsession import BrowserSession, Image, Window, check, session_for

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = os.path.join(HERE, "..", "..", "platform", "web", "src", "canvas", "font8x13.js")
FIRST, LAST = 32, 126
WINDOW = (800, 96)  # glyph_label's window, shown on its page at one CSS pixel per pixel
TOP = 4  # the top row of the white label's cells: its raster position is on row 81 of 96, the baseline row 14


def cells(img):
    """Each printable character's cell in the white label, as 13 rows of 8 bits, the leftmost pixel the high bit."""
    return [[sum(1 << (7 - x) for x in range(8) if img.pixel(8 * i + x, TOP + y) == (255, 255, 255))
             for y in range(13)] for i in range(LAST - FIRST + 1)]


def font_module(glyphs):
    rows = ",\n".join(f"  '{''.join(f'{r:02x}' for r in g)}'" for g in glyphs)
    return ("// GLUT's 8 x 13 bitmap font as the desktop draws it, written by tests/e2e/labels_e2e.py --record\n"
            "// from glyph_label's window. Character `first + i` is glyphs[i]: the cell's 13 rows, top row first,\n"
            "// as 2 hex digits each, the high bit the leftmost pixel. The 11th row holds the baseline.\n"
            f"export const first = {FIRST};\nexport const glyphs = [\n{rows},\n];\n")


def scaled(img, sx, sy, width, height):
    """img at sx, sy device pixels per pixel in a width x height store: device pixel (x, y) shows
    the pixel whose block, from round(p * s) to round((p + 1) * s), holds it."""
    def source(d, s):
        p, start = int(d / s), lambda p: math.floor(p * s + 0.5)  # as JavaScript's Math.round
        return p + 1 if start(p + 1) <= d else p - 1 if start(p) > d else p
    xs, ys = [source(x, sx) for x in range(width)], [source(y, sy) for y in range(height)]
    rows = {y: b"".join(img.rgb[3 * (img.width * y + x):3 * (img.width * y + x + 1)] for x in xs) for y in set(ys)}
    return Image(width, height, b"".join(rows[y] for y in ys))


def main(target):
    with session_for(target) as session:
        win = session.launch(target)
        if not isinstance(win, Window):
            win.resize(*WINDOW)
        img = win.screenshot()
        check_labels(win, img, "glyph_label", WINDOW)
        if isinstance(win, Window) and not os.environ.get("ZEMBROLA_RECORD_LABELS"):
            with open(FONT) as f:
                kept = [[int(g[k:k + 2], 16) for k in range(0, 26, 2)] for g in re.findall(r"'([0-9a-f]{26})'", f.read())]
            drawn = cells(img)
            check(kept == drawn, f"font8x13.js differs from the desktop's font in {[chr(FIRST + i) for i in range(len(drawn)) if i >= len(kept) or kept[i] != drawn[i]]}")
    if isinstance(win, Window) or session.engine != "chromium":
        print("glyph_label: ok")
        return
    # Each window pixel a solid block of device pixels, the same bitmap scaled by nearest neighbour.
    for ratio in (2, 3, 2.625):
        with BrowserSession(context={"viewport": {"width": 1000, "height": 300}, "deviceScaleFactor": ratio}) as session:
            win = session.launch(target)
            win.resize(*WINDOW)  # painted anew by the time the store has its new size: one capture will do
            got, layout = win.capture(device=True), win.layout()
            width, height = layout["storeWidth"], layout["storeHeight"]
            want = scaled(img, width / WINDOW[0], height / WINDOW[1], width, height)
            diff = differences(want, crop(got, width, height))
            check(not diff, f"at ratio {ratio}, {len(diff)} device pixels differ from the labels scaled: {diff[:8]}")
    print("glyph_label: ok, and at ratios 2, 3 and 2.625")


def record(build):
    """glyph_label's window and each program's bands, from the desktop build's binaries."""
    env = dict(os.environ, ZEMBROLA_RECORD_LABELS="1")
    with open(os.path.join(build, "programs.txt")) as f:
        programs = f.read().split()
    subprocess.run([sys.executable, "-B", __file__, os.path.join(build, "bin", "glyph_label")], env=env, check=True)
    with open(os.path.join(REFERENCES, "glyph_label.png"), "rb") as f:
        glyphs = cells(Image.from_png(f.read()))
    with open(FONT, "w") as f:
        f.write(font_module(glyphs))
    for program in programs:
        subprocess.run([sys.executable, "-B", os.path.join(HERE, f"{program}_e2e.py"), os.path.join(build, "bin", program)],
                       env=env, check=True)


if __name__ == "__main__":
    record(sys.argv[2]) if sys.argv[1] == "--record" else main(sys.argv[1])
