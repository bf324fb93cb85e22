"""Drive the real demo binaries under Xvfb with real X input events, or their web
pages in headless Chromium with DevTools input events; the same scenario runs on both.

    with session_for(binary_or_page) as s:
        w = s.launch(binary_or_page)
        w.drag(100, 100, 300, 200)
        img = w.screenshot()
        assert img.pixel(160, 120) == (255, 255, 255)

A missing tool (Xvfb/xdotool/xwd; node/Chromium/playwright-core) exits with SKIP (77),
which ctest reports as skipped.
CLI: python3 xsession.py screenshot BINARY OUT.png
"""
import base64
import ctypes
import json
import os
import shutil
import signal
import struct
import subprocess
import sys
import time
import zlib

SKIP = 77
TITLE = "zembrola"
TOOLS = ("Xvfb", "xdotool", "xwd")
BROWSER_DRIVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "browser", "driver.mjs")
BROWSER_BUTTONS = {1: "left", 2: "middle", 3: "right"}  # X button numbers


def like(target, tol=70):
    """A pixel predicate: every channel within tol of the target colour."""
    return lambda c: all(abs(a - b) <= tol for a, b in zip(c, target))


def around(point, r=10):
    """The box of pixels within r of point, for Image.count."""
    x, y = point
    return (x - r, y - r, x + r + 1, y + r + 1)


def tail_ink(img, x, baseline, colour=(255, 255, 255)):
    """Pixels of a label's colour on the bottom row of its 8 x 13 character cell at x whose baseline
    is at `baseline` (the rows above it hold the letter): where g, p, q and y end, 2 rows below the
    baseline in the desktop's bitmap font."""
    return img.count(like(colour, 60), (x, baseline + 1, x + 8, baseline + 2))


def scene_pixel(win, x, y):
    """Scene point (x, y) in the window's pixels, as the programs map them."""
    return round((x + 1) / 2 * win.width), round((1 - y) / 2 * win.height)


def until(ok, seconds=5):
    """Whether ok() comes true within the time."""
    deadline = time.monotonic() + seconds
    while not ok():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


def check(ok, what):
    """A scenario's assertion, kept when Python runs optimised."""
    if not ok:
        raise AssertionError(what)


def _die_with_parent():
    # Children get SIGKILL if the harness dies (e.g. killed by a ctest timeout).
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def _stop(proc):
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(2)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def _skip_if_missing(missing):
    if missing:
        print(f"skipping: {', '.join(missing)} not installed", file=sys.stderr)
        raise SystemExit(SKIP)


def _start_xvfb(screen):
    """A private Xvfb server and its display name, once it accepts connections."""
    read_fd, write_fd = os.pipe()
    # -displayfd: the server picks a free display and writes its number once it accepts connections.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen, "-nolisten", "tcp"],
                            pass_fds=[write_fd], stderr=subprocess.DEVNULL, preexec_fn=_die_with_parent)
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        number = f.readline().strip()
    if not number:
        _stop(xvfb)
        raise RuntimeError("Xvfb failed to start")
    return xvfb, ":" + number


class Image:
    """RGB image, 3 bytes per pixel, row-major, top-left origin."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    def __eq__(self, other):
        return (self.width, self.height, self.rgb) == (other.width, other.height, other.rgb)

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"pixel ({x}, {y}) outside {self.width}x{self.height}")
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def _pixels(self, box):
        # box = (x0, y0, x1, y1), end exclusive, clamped to the image.
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(x0, 0), max(y0, 0)
        x1, y1 = min(x1, self.width), min(y1, self.height)
        for y in range(y0, y1):
            row = self.rgb[3 * (y * self.width + x0):3 * (y * self.width + x1)]
            for k in range(x1 - x0):
                yield x0 + k, y, tuple(row[3 * k:3 * k + 3])

    def count(self, pred, box=None):
        return sum(1 for _, _, c in self._pixels(box) if pred(c))

    def save_png(self, path):
        def chunk(tag, data):
            body = tag + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        stride = 3 * self.width
        raw = b"".join(b"\0" + self.rgb[y * stride:(y + 1) * stride] for y in range(self.height))
        ihdr = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
                    + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))

    @classmethod
    def from_xwd(cls, data):
        h = struct.unpack(">25I", data[:100])
        header_size, fmt, w, ht, byte_order, bpp, bpl = h[0], h[2], h[4], h[5], h[7], h[11], h[12]
        if fmt != 2 or bpp not in (24, 32):
            raise ValueError(f"unsupported XWD image: format {fmt}, {bpp} bits per pixel")
        step = bpp // 8
        offsets = []  # byte offset of red, green, blue within one pixel
        for mask in h[14:17]:
            shift = (mask & -mask).bit_length() - 1
            if shift < 0 or shift % 8 or mask >> shift != 0xFF:
                raise ValueError(f"unsupported colour mask {mask:#x}")
            offsets.append(shift // 8 if byte_order == 0 else step - 1 - shift // 8)
        start = header_size + h[19] * 12  # skip window name and colormap
        rgb = bytearray(3 * w * ht)
        for y in range(ht):
            row = data[start + y * bpl:start + y * bpl + w * step]
            for c, off in enumerate(offsets):
                rgb[3 * w * y + c:3 * w * (y + 1):3] = row[off::step]
        return cls(w, ht, rgb)

    @classmethod
    def from_png(cls, data):
        """An 8-bit RGB or RGBA PNG, as a screenshot from Chromium is; alpha is dropped."""
        pos, idat = 8, b""
        while pos < len(data):
            length, tag = struct.unpack(">I4s", data[pos:pos + 8])
            body = data[pos + 8:pos + 8 + length]
            if tag == b"IHDR":
                w, ht, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
                if depth != 8 or colour not in (2, 6) or interlace:
                    raise ValueError(f"unsupported PNG: depth {depth}, colour type {colour}, interlace {interlace}")
                step = 3 if colour == 2 else 4
            elif tag == b"IDAT":
                idat += body
            pos += 12 + length
        raw, stride = zlib.decompress(idat), w * step
        rgb, prev = bytearray(), bytearray(stride)
        for y in range(ht):
            kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
            for i in range(stride):  # undo the row's filter: none, sub, up, average or Paeth
                a = row[i - step] if i >= step else 0
                b, c = prev[i], prev[i - step] if i >= step else 0
                if kind == 1:
                    row[i] = (row[i] + a) & 0xFF
                elif kind == 2:
                    row[i] = (row[i] + b) & 0xFF
                elif kind == 3:
                    row[i] = (row[i] + (a + b) // 2) & 0xFF
                elif kind == 4:
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
            rgb += row if step == 3 else bytes(v for k, v in enumerate(row) if k % 4 != 3)
            prev = row
        return cls(w, ht, rgb)


class _Pointer:
    """Mouse gestures and stable captures, over move/press/release/capture of a subclass."""

    settle = 0.15  # seconds the program gets to react to input before a capture

    def click(self, x, y, button=1):
        self.press(x, y, button)
        self.release(button)

    def drag(self, x0, y0, x1, y1, button=1, steps=8):
        self.press(x0, y0, button)
        for i in range(1, steps + 1):
            self.move(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps))
        self.release(button)

    def screenshot(self, **how):
        """Capture once the program had time to react and the picture is stable."""
        time.sleep(max(0.0, self._last_input + self.settle - time.monotonic()))
        img = self.capture(**how)
        for _ in range(20):
            time.sleep(0.05)
            again = self.capture(**how)
            if again == img:
                break
            img = again
        return img


class Window(_Pointer):
    """A launched program's window; coordinates are client-area pixels."""

    def __init__(self, session, proc, wid):
        self.session, self.proc, self.wid = session, proc, wid
        self._last_input = time.monotonic()
        geom = dict(line.split("=", 1) for line in self._xdo("getwindowgeometry", "--shell", wid).split())
        self.width, self.height = int(geom["WIDTH"]), int(geom["HEIGHT"])

    def _xdo(self, *args):
        self.session.check_alive(self.proc)
        out = subprocess.run(("xdotool",) + tuple(map(str, args)), env=self.session.env,
                             capture_output=True, text=True, timeout=10, check=True).stdout
        self._last_input = time.monotonic()
        return out

    def move(self, x, y):
        self._xdo("mousemove", "--window", self.wid, x, y)
        time.sleep(0.02)

    def press(self, x, y, button=1):
        self.move(x, y)
        self._xdo("mousedown", button)
        time.sleep(0.02)

    def release(self, button=1):
        self._xdo("mouseup", button)
        time.sleep(0.02)

    def resize(self, width, height):
        self._xdo("windowsize", "--sync", self.wid, width, height)
        self.width, self.height = width, height

    def capture(self):
        """One immediate capture of the client area."""
        self.session.check_alive(self.proc)
        data = subprocess.run(["xwd", "-silent", "-id", self.wid], env=self.session.env,
                              capture_output=True, timeout=10, check=True).stdout
        return Image.from_xwd(data)


class XSession:
    """Private Xvfb server; everything started in it is stopped on exit."""

    def __init__(self, timeout=10.0):
        self.timeout = timeout
        self.procs = []
        self.windows = []  # ids of windows already handed out
        self.xvfb = None

    def __enter__(self):
        _skip_if_missing([t for t in TOOLS if not shutil.which(t)])
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # run __exit__ on SIGTERM
        self.xvfb, display = _start_xvfb("1024x768x24")
        self.env = dict(os.environ, DISPLAY=display, LIBGL_ALWAYS_SOFTWARE="1")
        return self

    def __exit__(self, *exc):
        for proc in self.procs[::-1] + [self.xvfb]:
            if proc:
                _stop(proc)

    def check_alive(self, proc):
        if proc.poll() is not None:
            raise RuntimeError(f"{proc.args[0]} exited with status {proc.returncode}")

    def launch(self, binary, args=()):
        proc = subprocess.Popen([binary, *map(str, args)], env=self.env, preexec_fn=_die_with_parent)
        self.procs.append(proc)
        deadline = time.monotonic() + self.timeout
        wids = []
        while not wids:
            self.check_alive(proc)
            if time.monotonic() > deadline:
                raise TimeoutError(f"no '{TITLE}' window from {binary} within {self.timeout} s")
            time.sleep(0.05)
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$"],
                                   env=self.env, capture_output=True, text=True).stdout.split()
            wids = [w for w in found if w not in self.windows]
        wid = wids[0]
        self.windows.append(wid)
        # Without a window manager the window may sit at (-1, -1); put it fully on screen.
        subprocess.run(["xdotool", "windowmove", "--sync", wid, "0", "0"], env=self.env,
                       capture_output=True, timeout=10)
        win = Window(self, proc, wid)
        deadline = time.monotonic() + 5
        while not any(win.capture().rgb) and time.monotonic() < deadline:
            time.sleep(0.05)  # first frame not drawn yet
        return win


class BrowserPage:
    """A page open in Chromium, through the driver's commands."""

    def __init__(self, proc):
        self.proc = proc

    def _ask(self, **command):
        if self.proc.poll() is not None:
            raise RuntimeError(f"browser driver exited with status {self.proc.returncode}")
        self.proc.stdin.write(json.dumps(command) + "\n")
        self.proc.stdin.flush()
        answer = json.loads(self.proc.stdout.readline())
        if "error" in answer:
            raise RuntimeError(f"browser driver: {command['op']}: {answer['error']}")
        return answer

    def layout(self):
        """Page and canvas sizes: pageWidth, viewportWidth, ratio, cssWidth, cssHeight, storeWidth, storeHeight."""
        return self._ask(op="layout")

    def goto(self, page):
        """Another page in the same tab, once its program has made its window; its layout()."""
        self._ask(op="goto", page=page)
        return self.layout()

    def errors(self):
        return self._ask(op="errors")["errors"]

    def button(self, name):
        """Clicks the page's button of that name."""
        self._ask(op="button", name=name)
        self._last_input = time.monotonic()

    def key(self, key):
        """Presses a key on the page, e.g. "Escape" or "Control+z"."""
        self._ask(op="key", key=key)
        self._last_input = time.monotonic()

    def download(self, name):
        """What clicking that button downloads: (file name, bytes)."""
        answer = self._ask(op="download", name=name)
        return answer["file"], base64.b64decode(answer["data"])

    def steps(self):
        """The explanation as the page shows it: pressed, open, items, current (index or -1), told."""
        return self._ask(op="steps")

    def idle(self, ms):
        """The page left alone for ms: {"busy": main-thread task seconds, "frames": animation frames asked for}."""
        return self._ask(op="idle", ms=ms)


class BrowserWindow(BrowserPage, _Pointer):
    """A program's page in Chromium; coordinates are canvas (CSS) pixels."""

    def __init__(self, proc, timeout):
        super().__init__(proc)
        self._last_input = time.monotonic()
        deadline = time.monotonic() + timeout
        while True:  # the window's title is there once the program has made its window
            info = self._ask(op="info")
            if info["title"] == TITLE:
                break
            if time.monotonic() > deadline:
                raise TimeoutError(f"page title is {info['title']!r}, not {TITLE!r}")
            time.sleep(0.05)
        self.width, self.height = info["width"], info["height"]
        while not any(self.capture().rgb) and time.monotonic() < deadline:
            time.sleep(0.05)  # first frame not drawn yet
        self._last_input = time.monotonic()

    def move(self, x, y):
        self._ask(op="move", x=x, y=y)
        self._last_input = time.monotonic()

    def press(self, x, y, button=1):
        self.move(x, y)
        self._ask(op="down", button=BROWSER_BUTTONS[button])

    def release(self, button=1):
        self._ask(op="up", button=BROWSER_BUTTONS[button])
        self._last_input = time.monotonic()

    def touch_drag(self, x0, y0, x1, y1, steps=8):
        """One finger down at (x0, y0), moved to (x1, y1) and lifted."""
        self._ask(op="touch", type="touchStart", x=x0, y=y0)
        for i in range(1, steps + 1):
            self._ask(op="touch", type="touchMove", x=round(x0 + (x1 - x0) * i / steps),
                      y=round(y0 + (y1 - y0) * i / steps))
        self._ask(op="touch", type="touchEnd", x=x1, y=y1)
        self._last_input = time.monotonic()

    def storm(self, start, other, count):
        """A press at start, count synthetic drag events alternating between other and start, a
        release: {"heap": the module's memory in bytes, "ms": how long it took}."""
        answer = self._ask(op="storm", **{"from": start, "to": other, "count": count})
        self._last_input = time.monotonic()
        return answer

    def labels(self):
        """The text of the page's labels element: the frame's labels, one per line."""
        return self._ask(op="labels")["labels"]

    def resize(self, width, height):
        self._ask(op="resize", width=width, height=height)
        self.width, self.height = width, height
        self._last_input = time.monotonic()

    def capture(self, device=False):
        """The canvas in CSS pixels, or in device pixels."""
        return Image.from_png(base64.b64decode(self._ask(op="shot", device=device)["png"]))


class BrowserSession:
    """A browser engine (WEB_ENGINE: chromium, the default, firefox or webkit); every page
    opened in it is closed on exit, and any error the page wrote to its console fails the
    scenario. `context` gives options of the browser context (viewport, deviceScaleFactor,
    isMobile, hasTouch: Chromium's; Firefox takes the first two, WebKit the viewport). WebKit runs
    in a private Xvfb server."""

    def __init__(self, timeout=20.0, context=None):
        self.timeout = timeout
        self.context = context or {}
        self.pages = []
        self.engine = os.environ.get("WEB_ENGINE", "chromium")
        self.xvfb = None

    def __enter__(self):
        browser, package = {
            "chromium": (os.environ.get("CHROMIUM", "/usr/bin/chromium"), "playwright-core"),
            "firefox": (os.environ.get("FIREFOX", "/usr/bin/firefox-esr"), "puppeteer-core"),
            "webkit": (os.environ.get("WEBKITWEBDRIVER", "/usr/bin/WebKitWebDriver"), "selenium-webdriver"),
        }[self.engine]
        modules = os.path.join(os.path.dirname(BROWSER_DRIVER), "node_modules")
        missing = [tool for tool in ["node"] + ["Xvfb"] * (self.engine == "webkit") if not shutil.which(tool)]
        missing += [browser] * (not os.path.exists(browser))
        missing += [f"{package} (npm ci in tests/e2e/browser)"] * (not os.path.isdir(os.path.join(modules, package)))
        _skip_if_missing(missing)
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # run __exit__ on SIGTERM
        self.env = dict(os.environ, WEB_ENGINE=self.engine)
        if self.engine == "webkit":
            self.xvfb, self.env["DISPLAY"] = _start_xvfb("1280x1024x24")
        return self

    def __exit__(self, exc_type=None, *exc):
        errors = []
        for page in self.pages:
            if exc_type is None and page.proc.poll() is None:
                errors += page.errors()
            page.proc.stdin.close()
            try:
                page.proc.wait(10)
            except subprocess.TimeoutExpired:
                page.proc.kill()
                page.proc.wait()
        if self.xvfb:
            _stop(self.xvfb)
        if errors and exc_type is None:
            raise AssertionError(f"errors in the browser console: {errors}")

    def _driver(self, page):
        return subprocess.Popen(["node", BROWSER_DRIVER, page, json.dumps(self.context)], stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE, text=True, env=self.env, preexec_fn=_die_with_parent)

    def launch(self, page):
        """A program's page, once its first frame is drawn."""
        proc = self._driver(page)
        try:
            win = BrowserWindow(proc, self.timeout)
        except BaseException:
            self.pages.append(BrowserPage(proc))
            raise
        self.pages.append(win)
        return win

    def open(self, page):
        """Any page, such as the index."""
        self.pages.append(BrowserPage(self._driver(page)))
        return self.pages[-1]


def session_for(target):
    """A browser session for a web page, an X session for a binary."""
    return BrowserSession() if target.endswith(".html") else XSession()


def main(argv):
    if len(argv) != 4 or argv[1] != "screenshot":
        print(f"usage: {argv[0]} screenshot BINARY OUT.png", file=sys.stderr)
        return 2
    with XSession() as session:
        img = session.launch(argv[2]).screenshot()
        os.makedirs(os.path.dirname(os.path.abspath(argv[3])), exist_ok=True)
        img.save_png(argv[3])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
