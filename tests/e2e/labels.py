"""The labels as the desktop draws them in GLUT's 8 x 13 bitmap font, kept in labels/ as PNG
images: each program's band of labels in the top left corner (at start-up, <program>.png, and
where its scenario ends, <program>.end.png) and glyph_label's whole window. A scenario checks
its captures against them, on the desktop and on the pages alike, so a page's labels are the
desktop's pixel for pixel. With ZEMBROLA_RECORD_LABELS set, a desktop run writes them instead
(labels_e2e.py --record)."""
import os

from xsession import Image, Window, check

REFERENCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "labels")
BAND = (256, 100)  # the top left corner that holds the labels and no figure, in window pixels


def crop(img, width, height):
    """The top left width x height of an image."""
    return Image(width, height, b"".join(img.rgb[3 * img.width * y:3 * (img.width * y + width)] for y in range(height)))


def differences(a, b):
    """The pixels where two images of one size differ, as (x, y, a's colour, b's colour)."""
    if a.rgb == b.rgb:
        return []
    return [(i // 3 % a.width, i // 3 // a.width, a.pixel(i // 3 % a.width, i // 3 // a.width),
             b.pixel(i // 3 % a.width, i // 3 // a.width))
            for i in range(0, len(a.rgb), 3) if a.rgb[i:i + 3] != b.rgb[i:i + 3]]


def check_labels(win, img, name, size=BAND):
    """The top left `size` of a window-sized capture is the desktop's labels/<name>.png."""
    got, path = crop(img, *size), os.path.join(REFERENCES, f"{name}.png")
    if os.environ.get("ZEMBROLA_RECORD_LABELS") and isinstance(win, Window):
        got.save_png(path)
        return
    with open(path, "rb") as f:
        want = Image.from_png(f.read())
    check((want.width, want.height) == size, f"{path} is {want.width}x{want.height}, not {size}")
    diff = differences(want, got)
    check(not diff, f"{len(diff)} label pixels differ from the desktop's {name}.png (x, y, desktop, here): {diff[:8]}")
