"""The pages on a phone and through a long session: finger drags, the layout at 412 CSS
pixels and ratio 2.625, the labels as text, and 300,000 drag events in plane_split; the
figure scaled and in full screen, saved, printed, asleep when idle, and a finger's reach; the
figure kept in a link, undone, redone and reset, and moved with the keyboard; the method explained step by step;
the map of point_inside's answers,
the live regions told once a change settles, the keys kept out of text fields, and axe-core's rules on every page.

    pages_e2e.py CASE WEB_DIR       (pages_e2e.py --list prints the cases, for CMake)
"""
import os
import re
import sys
import time
import xml.etree.ElementTree as ElementTree

from xsession import BrowserSession, Image, around, check, like, scene_pixel as pixel, until

PHONE = {"viewport": {"width": 412, "height": 915}, "deviceScaleFactor": 2.625, "isMobile": True, "hasTouch": True}
GREEN, RED, WHITE = (0, 255, 0), (255, 0, 0), (255, 255, 255)
SVG = "{http://www.w3.org/2000/svg}"


def touch(web):
    """A finger on a phone picks and drags plane_split's corner, and moves closest_point's dot."""
    with BrowserSession(context=PHONE) as session:
        win = session.launch(os.path.join(web, "plane_split.html"))
        check((win.width, win.height) == (412, 309), f"canvas is {win.width}x{win.height} CSS pixels")
        check(win.labels().split("\n")[0] == "convex", f"labels on the page: {win.labels()!r}")
        corner, inside = pixel(win, 0.5, 0.5), pixel(win, -0.1, -0.1)
        win.touch_drag(*corner, *inside)  # past the diagonal: the square folds in
        img = win.screenshot()
        check(img.count(like(RED), around(corner, 6)) == 0, "the corner did not follow the finger")
        check(img.count(like(RED), around(inside, 6)) > 5, "the corner is not under the finger")
        labels = win.labels().split("\n")
        check(len(labels) == 7 and labels[0] == "non-convex", f"labels on the page: {labels}")

        win = session.launch(os.path.join(web, "closest_point.html"))
        east, outside = pixel(win, 0.5, 0), pixel(win, 0.9, 0)
        win.touch_drag(*outside, *outside)  # nothing to pick there: the finger still moves the cursor
        img = win.screenshot()
        check(img.count(like(GREEN), around(east, 6)) > 5, "dot not on the east edge under a finger")
        check(img.count(like(GREEN), around(pixel(win, 0, 0), 6)) == 0, "dot still at the centre")
        check(win.labels() == "convex", f"labels on the page: {win.labels()!r}")
    print("pages: touch ok")


def phone(web):
    """Every page fits 412 CSS pixels without sideways scrolling, draws at the device's resolution and names its
    program in its title; axe-core finds nothing on it, best practices included, with the explanation closed and
    open."""
    with BrowserSession(context=PHONE) as session:
        with open(os.path.join(web, "programs.txt")) as f:  # every registered program, written by CMake
            programs = f.read().split()
        page = session.open(os.path.join(web, "index.html"))
        for name in ["index"] + programs:
            layout = page.goto(os.path.join(web, f"{name}.html"))
            check(layout["pageWidth"] <= layout["viewportWidth"] == 412, f"{name} scrolls sideways: {layout}")
            check(name == "index" or layout["title"] == f"{name} · zembrola", f"{name}'s tab: {layout['title']!r}")
            check(name == "index" or layout["cssWidth"] == 412 and layout["storeWidth"] == round(412 * 2.625)
                  and layout["storeHeight"] == round(layout["cssHeight"] * 2.625), f"{name}: {layout}")
            for state in ("closed", "open")[:1 if name == "index" else 2]:
                if state == "open":
                    page.button("Explain")
                    check(until(lambda: page.steps()["items"]), f"{name}: no steps")
                violations = page._ask(op="axe")["violations"]
                check(not violations, f"{name}, explanation {state}: axe-core finds {violations}")
    print("pages: phone ok")


def long_session(web):
    """300,000 drag events grow the heap past its first 16 MiB; a real drag still moves a handle."""
    with BrowserSession() as session:
        win = session.launch(os.path.join(web, "plane_split.html"))
        handle_a, handle_b = pixel(win, 0.2, 0.3), pixel(win, -0.2, -0.3)
        storm = win.storm(handle_a, (handle_a[0] + 8, handle_a[1]), 300000)
        print(f"300,000 drag events in {storm['ms'] / 1000:.1f} s, heap {storm['heap'] / 2**20:.0f} MiB")
        check(storm["heap"] > 16 * 2**20, "the heap did not grow")
        win.drag(*handle_a, *handle_b)
        img = win.screenshot()
        check(img.count(like(GREEN), around(handle_a, 6)) == 0, "handle A did not move after the storm")
        check(win.labels().split("\n")[4] == "violet has 0 vertices", f"labels: {win.labels()!r}")
    print("pages: long session ok")


def text_rows(img, width, height):
    """The bands of rows with white text in the labels' first character cell (the top left 8 x 100
    of a window of width x height pixels), as [first, last] rows of the image. plane_split's labels
    all start with a letter of neither ascender nor descender, so rows that stand apart give 7 bands."""
    sx, sy = img.width / width, img.height / height
    rows = [y for y in range(round(100 * sy)) if img.count(like(WHITE, 60), (0, y, round(8 * sx), y + 1))]
    bands = []
    for y in rows:
        if bands and bands[-1][1] == y - 1:
            bands[-1][1] = y
        else:
            bands.append([y, y])
    return bands


def figure(web):
    """plane_split's seven label rows stand apart on a phone as at the designed size; Full screen
    enlarges the figure and the button brings it back (headless Chromium has no Escape for full
    screen); a wheel turn over the canvas is not cancelled."""
    with BrowserSession(context=PHONE) as session:
        win = session.launch(os.path.join(web, "plane_split.html"))
        bands = text_rows(win.screenshot(device=True), 640, 480)
        check(len(bands) == 7, f"label rows on a phone: {bands}")
    with BrowserSession() as session:
        win = session.launch(os.path.join(web, "plane_split.html"))
        check(len(text_rows(win.screenshot(), 640, 480)) == 7, "label rows at the designed size")
        win.button("Full screen")
        until(lambda: win.layout()["cssWidth"] > 640)
        big = win.layout()
        check(big["cssWidth"] > 640 and big["storeWidth"] == round(big["cssWidth"]), f"in full screen: {big}")
        check(len(text_rows(win.screenshot(device=True), 640, 480)) == 7, "label rows in full screen")
        win.button("Full screen")
        check(until(lambda: win.layout()["cssWidth"] == 640), f"back from full screen: {win.layout()}")
        check(not win._ask(op="wheel", x=320, y=240, deltaY=100)["cancelled"], "the wheel was cancelled")
    print("pages: figure ok")


def save(web):
    """Save picture gives the canvas as it is; Save drawing the same frame with its labels as
    text and its corners as circles; printing puts that drawing on white."""
    with BrowserSession() as session:
        win = session.launch(os.path.join(web, "plane_split.html"))
        win.drag(*pixel(win, 0.2, 0.3), *pixel(win, 0.4, 0.6))
        name, png = win.download("Save picture")
        check(name == "plane_split.png" and Image.from_png(png) == win.screenshot(), f"{name} is not the canvas")
        name, svg = win.download("Save drawing")
        root = ElementTree.fromstring(svg)
        texts = [t.text for t in root.iter(SVG + "text")]
        check(name == "plane_split.svg" and texts == win.labels().split("\n"), f"{name}: texts {texts}")
        red = {(c.get("cx"), c.get("cy")) for c in root.iter(SVG + "circle") if c.get("fill") == "rgb(255,0,0)"}
        check({("160", "360"), ("480", "120")} <= red, f"{name}: red circles {red}")
        printed = ElementTree.fromstring(win._ask(op="print", on=True)["figure"])
        check(printed.find(SVG + "rect").get("fill") == "#fff"
              and {t.get("fill") for t in printed.iter(SVG + "text")} == {"rgb(0,0,0)"}, "print is not black on white")
    print("pages: save ok")


def idle(web):
    """A page left alone asks for no animation frame."""
    with BrowserSession() as session:
        with open(os.path.join(web, "programs.txt")) as f:
            programs = f.read().split()
        for program in programs:
            frames = session.launch(os.path.join(web, f"{program}.html")).idle(500)["frames"]
            check(frames == 0, f"{program} asked for {frames} frames while idle")
    print("pages: idle ok")


def reach(web):
    """18 pixels beside a poly_overlap corner a mouse picks nothing, and a finger picks it."""
    with BrowserSession(context={"hasTouch": True}) as session:
        win = session.launch(os.path.join(web, "poly_overlap.html"))
        corner, target = pixel(win, -0.75, -0.5), pixel(win, -0.9, -0.8)
        beside = (corner[0] + 18, corner[1])
        win.drag(*beside, *target)
        check(win.screenshot().count(like(RED), around(corner, 4)) > 5, "a mouse 18 pixels away picked the corner")
        win.touch_drag(*beside, *target)
        img = win.screenshot()
        check(img.count(like(RED), around(target, 4)) > 5 and img.count(like(RED), around(corner, 4)) == 0,
              "a finger 18 pixels away did not pick the corner")
    print("pages: reach ok")


def fragment(win):
    """The page's address fragment, once the page has had time to bring it up to date."""
    time.sleep(0.5)
    url = win._ask(op="read")["url"]
    return url.partition("#")[2]


def link(web):
    """A figure opened from its link is the figure that was left: plane_split after a drag, and
    point_inside, which judges the point under the pointer, after a drag and a hover."""
    with BrowserSession() as session:
        for program, hover in (("plane_split", None), ("point_inside", (0.55, 0.1))):
            page = os.path.join(web, f"{program}.html")
            win = session.launch(page)
            win.drag(*pixel(win, 0.5, 0.5), *pixel(win, 0.31, 0.77))
            if hover:
                win.move(*pixel(win, *hover))
            left, labels, kept = win.screenshot(), win.labels(), fragment(win)
            check(kept.startswith(f"v1/{program}/"), f"{program}: address fragment {kept!r}")
            again = session.launch(f"{page}#{kept}")
            check(again.screenshot() == left and again.labels() == labels, f"{program}: #{kept} opened differently")
        # Copy link copies, or says it could not and shows the address selected for copying by hand.
        again.button("Copy link")
        until(lambda: again._ask(op="read")["status"])
        read = again._ask(op="read")
        check(read["status"] == "Link copied." or read["status"].startswith("The link could not be copied")
              and read["linkText"] == read["url"], f"Copy link: {read}")
    print("pages: link ok")


def undo(web):
    """Ctrl+Z undoes a drag, Ctrl+Shift+Z redoes it, Reset goes back to the start as a step of its own."""
    with BrowserSession() as session:
        win = session.launch(os.path.join(web, "plane_split.html"))
        start = win.screenshot()
        win.drag(*pixel(win, 0.5, 0.5), *pixel(win, 0.1, 0.8))
        moved = win.screenshot()
        for act, action, expected in ((win.key, "Control+z", start), (win.key, "Control+Shift+z", moved),
                                      (win.button, "Reset", start), (win.button, "Undo", moved),
                                      (win.key, "Control+y", start)):
            act(action)
            check(win.screenshot() == expected, f"after {action}")
    print("pages: undo ok")


def keyboard(web):
    """Tab reaches the first corner; arrows move it as a mouse drag to the same pixel does."""
    with BrowserSession() as session:
        page = os.path.join(web, "plane_split.html")
        win = session.launch(page)
        win.key("Tab")
        check(win._ask(op="read")["focused"] == "corner 1, x -0.5, y -0.5", f"focus: {win._ask(op='read')}")
        for key in ("ArrowRight", "ArrowRight", "Shift+ArrowUp", "ArrowDown"):
            win.key(key)
        check(until(lambda: win._ask(op="read")["focused"] == "corner 1, x -0.494, y -0.463"),
              f"name: {win._ask(op='read')}")
        by_keys, labels = win.screenshot(), win.labels()
        win = session.launch(page)
        corner = pixel(win, -0.5, -0.5)
        win.drag(*corner, corner[0] + 2, corner[1] - 9)
        check(win.screenshot() == by_keys and win.labels() == labels, "keys and a drag to the same pixel differ")
    print("pages: keyboard ok")


def bad_link(web):
    """A fragment that is no link to this program's figure gives the start-up figure and a message."""
    with BrowserSession() as session:
        page = os.path.join(web, "closest_point.html")
        win = session.launch(page)
        start = win.screenshot()
        check(win._ask(op="read")["status"] == "", "a plain start-up says something")
        good = "/-0.5,-0.5/-0.5,0.5/0.5,0.5/0.5,-0.5/0,0"
        for bad in ("v1/plane_split" + good, "v1/closest_point/-0.5,-0.5/0,0", "v1/closest_point" +
                    good.replace("0,0", "NaN,0"), "v2/closest_point" + good, "v2/closest_point" + good + "/step/0", "%E0%A4%A"):
            win.goto(f"{page}#{bad}")
            status = win._ask(op="read")["status"]
            check(status.startswith("This link could not be read") and win.screenshot() == start, f"#{bad}: {status!r}")
        # Arriving later, it leaves the figure and its link in the address as they were.
        win._ask(op="hash", fragment="v1/plane_split" + good)
        read = win._ask(op="read")
        check(read["status"] == "This link could not be read, so the figure is left as it was." and
              read["url"].partition("#")[2].startswith("v1/closest_point/") and win.screenshot() == start, f"{read}")
    print("pages: bad link ok")


def told(win):
    """How often each live region's text changed since the last call (the first starts counting), by id."""
    return win._ask(op="live")["changes"]


def explain(web):
    """Explain opens poly_overlap's steps at the first; Next step and PageDown move on; a drag recomputes
    them at once, keeping the step; the v2 link opens the figure at its step; an idle page asks for no
    frame; Explain off gives back the designed canvas and a v1 link."""
    with BrowserSession() as session:
        page = os.path.join(web, "poly_overlap.html")
        win = session.launch(page)
        win.button("Explain")
        check(until(lambda: win.steps()["items"]), "no steps")
        steps = win.steps()
        first = "axis 1, the normal of A's plane: A from 0 to 0, B from 0 to 0, gap 0, less than 0.01"
        check(steps["pressed"] and steps["open"] and len(steps["items"]) == 11 and steps["current"] == 0 and
              steps["items"][0] == first and steps["told"] == f"step 1 of 11: {first}", f"opened: {steps}")
        told(win)
        win.button("Next step")
        check(until(lambda: win.steps()["told"].startswith("step 2 of 11")) and told(win)["step-now"] == 1,
              "a step change told other than once")
        win.key("PageDown")
        check(until(lambda: win.steps()["current"] == 2), f"stepped: {win.steps()}")
        told(win)
        win.drag(*pixel(win, 0.25, 0), *pixel(win, 0.9, 0), steps=50)  # B's handle: A's third axis now separates them
        check(until(lambda: win.steps()["told"].startswith("step 3 of 4: axis 3,")), f"after the drag: {win.steps()}")
        steps, changes = win.steps(), told(win)
        check(len(steps["items"]) == 4 and steps["current"] == 2
              and steps["items"][2].endswith("this axis separates them"), f"after the drag: {steps}")
        check(changes == {"labels-told": 1, "step-now": 1}, f"a drag told {changes}")
        kept, shown = fragment(win), win.screenshot()
        check(kept.startswith("v2/poly_overlap/") and kept.endswith("/step/3"), f"address fragment {kept!r}")
        check(win.idle(500)["frames"] == 0, "an idle page with the explanation open asks for frames")

        again = session.launch(f"{page}#{kept}")
        check(until(lambda: again.steps()["current"] == 2) and again.screenshot() == shown, "the v2 link opened differently")
        again.button("Explain")
        check(not again.steps()["open"] and fragment(again).startswith("v1/"), f"closed: {fragment(again)!r}")
        designed = session.launch(f"{page}#{fragment(again)}").screenshot()
        check(again.screenshot() == designed and designed != shown, "closed, the canvas is not the designed figure")
    print("pages: explain ok")


def telling(web):
    """In barycentric with the explanation open: End and Home go to the last and first step, whose Next step and
    Previous step are marked disabled; a 50-event hover tells the labels and the step only once the pointer has
    rested; a keyboard move tells the labels at once; in a text field the page's keys are the field's."""
    with BrowserSession() as session:
        win = session.launch(os.path.join(web, "barycentric.html"))
        win.button("Explain")
        check(until(lambda: win.steps()["items"]), "no steps")
        win.key("End")
        last = len(win.steps()["items"]) - 1
        check(until(lambda: win.steps()["current"] == last) and win.steps()["ends"] == ["false", "true"],
              f"at the last step: {win.steps()}")
        told(win)
        for i in range(50):
            win.move(*pixel(win, -0.2 + 0.008 * i, -0.3 + 0.004 * i))
        moving = told(win)
        time.sleep(0.7)
        rested = win._ask(op="live")
        check(max(moving.values()) <= 1 and rested["changes"] == {"labels-told": 1, "step-now": 1}
              and rested["texts"]["labels-told"] == win.labels(), f"a hover told {moving}, then {rested}")
        win.key("Home")
        check(until(lambda: win.steps()["current"] == 0) and win.steps()["ends"] == ["true", "false"],
              f"at the first step: {win.steps()}")
        win.button("Move right")
        check(until(lambda: told(win)["labels-told"] == 1), "a keyboard move did not tell the labels")
        shown = win.screenshot()
        win._ask(op="focus", id="link-text")
        for key in ("PageDown", "End", "Control+z"):
            win.key(key)
        check(win.steps()["current"] == 0 and win.screenshot() == shown, "keys in a text field reached the figure")
    print("pages: telling ok")


LEGEND_ITEM = re.compile(r"^(.+): (\d+) (pixel|pixels) \((\d+\.\d\d) %\)$")
POINT_INSIDE_CLASSES = ["inside for all three", "outside for all three"] + [
    f"{side} for {test} only" for side in ("inside", "outside") for test in ("sum angles", "edge planes", "barycentric")]


def contrast_with_white(rgb):
    """WCAG's contrast ratio of white on an sRGB colour."""
    lin = [c / 255 / 12.92 if c / 255 <= 0.04045 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in rgb]
    return 1.05 / (0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2] + 0.05)


def legend(win, total):
    """The map's legend as {class: count}, once computed, each item checked for its form and its share of total."""
    check(until(lambda: win._ask(op="map")["items"] and win._ask(op="map")["busy"] == "false"), "no legend")
    counts = {}
    for item in win._ask(op="map")["items"]:
        m = LEGEND_ITEM.match(item)
        check(m and (m[3] == "pixel") == (m[2] == "1") and m[4] == f"{100 * int(m[2]) / total:.2f}", f"item {item!r}")
        counts[m[1]] = int(m[2])
    check(sum(counts.values()) == total, f"the counts add up to {sum(counts.values())}, not {total}")
    return counts


def map_case(web):
    """point_inside's Map: the legend lists every class in order with counts adding up to the window, its colours
    keep white at 3:1 with the tests' agreement the quietest, and the canvas shows them under the figure; a drag
    changes the counts; the v3 link opens the same map; an idle page asks for no frame; Map off gives back the
    designed canvas and a v1 link. A v3 without its "map" is a bad link; barycentric has no Map."""
    total = 640 * 480
    with BrowserSession() as session:
        page = os.path.join(web, "point_inside.html")
        win = session.launch(page)
        check(not win._ask(op="map")["pressed"] and not win._ask(op="map")["open"], "the map is on at start-up")
        win.button("Map")
        counts = legend(win, total)
        check(list(counts) == POINT_INSIDE_CLASSES, f"classes {list(counts)}")
        check(counts["inside for edge planes only"] == 2754 and counts["outside for sum angles only"] == 4, f"{counts}")
        swatches = [tuple(map(int, re.findall(r"\d+", s))) for s in win._ask(op="map")["swatches"]]
        contrasts = [contrast_with_white(rgb) for rgb in swatches]
        check(min(contrasts) >= 3 and min(contrasts[2:]) < min(contrasts[:2]) and len(set(swatches)) == 8
              and all(len(set(rgb)) == 1 for rgb in swatches[:2]), f"swatches {swatches}, contrasts {contrasts}")
        img = win.screenshot()
        check(img.pixel(636, 476) == swatches[1] and img.pixel(*pixel(win, 0.1, 0.1)) == swatches[0],
              f"canvas {img.pixel(636, 476)} outside, {img.pixel(*pixel(win, 0.1, 0.1))} inside")
        check(img.count(like(RED), around(pixel(win, 0.5, 0.5), 4)) > 5, "the corner is not drawn over the map")

        win.drag(*pixel(win, 0.5, 0.5), *pixel(win, 0.31, 0.77))
        check(until(lambda: legend(win, total) != counts), "a drag left the counts as they were")
        dragged, shown, kept = legend(win, total), win.screenshot(), fragment(win)
        check(kept.startswith("v3/point_inside/") and kept.endswith("/map") and "/step/" not in kept, f"fragment {kept!r}")
        check(win.idle(500)["frames"] == 0, "an idle page with the map on asks for frames")
        win.button("Map")
        check(not win._ask(op="map")["open"] and fragment(win).startswith("v1/"), f"off: {fragment(win)!r}")
        designed = win.screenshot()

        # The v3 link opens the same map; off, it is the figure the dragged page shows without it.
        again = session.launch(f"{page}#{kept}")
        check(legend(again, total) == dragged and again.screenshot() == shown, "the v3 link opened differently")
        again.button("Map")
        check(again.screenshot() == designed and designed != shown, "off, the canvas is not the designed figure")

        again.goto(f"{page}#{kept.removesuffix('/map')}")
        check(again._ask(op="read")["status"].startswith("This link could not be read"), "a v3 without map opened")
        again.goto(os.path.join(web, "barycentric.html"))
        check(not again._ask(op="map")["shown"], "barycentric shows a Map button")
    print("pages: map ok")


if __name__ == "__main__":
    cases = {"touch": touch, "phone": phone, "long_session": long_session, "figure": figure, "save": save,
             "idle": idle, "reach": reach, "link": link, "undo": undo, "keyboard": keyboard, "bad_link": bad_link,
             "explain": explain, "map": map_case, "telling": telling}
    if sys.argv[1:] == ["--list"]:
        print("\n".join(cases))
    else:
        cases[sys.argv[1]](sys.argv[2])
