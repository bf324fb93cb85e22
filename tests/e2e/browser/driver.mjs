// Opens one page in headless Chromium and drives it for an end-to-end scenario.
// Reads one JSON command per line on stdin and answers each with one JSON line:
// Canvas pixels are CSS pixels, top-left origin.
//   {"op": "info"}                    -> {"title": the program's window title, "page": the document's title,
//                                        "width", "height"} of its canvas
//   {"op": "move", "x", "y"}          -> mouse pointer to canvas pixel (x, y)
//   {"op": "down" | "up", "button"}   -> "left", "middle" or "right"
//   {"op": "touch", "type", "x", "y"} -> one finger: "touchStart", "touchMove" or "touchEnd" at (x, y)
//   {"op": "resize", "width", "height"} -> the canvas's size on the page, as a user resizing a window
//   {"op": "shot", "device"}          -> {"png": base64 screenshot of the canvas, in device pixels if device}
//   {"op": "goto", "page"}            -> another page (PAGE.html#FRAGMENT too) in the same tab, once
//                                        its program has made its window "zembrola" (the index: once loaded)
//   {"op": "layout"}                  -> the document's title, page and canvas sizes, in CSS and device pixels
//   {"op": "labels"}                  -> {"labels": the text of the page's labels element}
//   {"op": "steps"}                   -> the explanation: {"pressed": Explain's state, "open", "items": the
//                                        steps' texts, "current": the current step's index or -1, "told":
//                                        the live region's text}
//   {"op": "storm", "from", "to", "count"} -> a press at from, count drag events alternating
//                                        between to and from, a release; {"heap": bytes, "ms"}
//   {"op": "errors"}                  -> {"errors": console errors and uncaught exceptions so far}
//   {"op": "button", "name"}         -> clicks the page's button of that name
//   {"op": "key", "key"}              -> presses a key, e.g. "Escape" or "Control+z"
//   {"op": "download", "name"}        -> clicks that button: {"file": its download's name, "data": base64}
//   {"op": "wheel", "x", "y", "deltaY"} -> a wheel turn over canvas pixel (x, y): {"cancelled"}
//   {"op": "print", "on"}             -> the page as printed (or back on screen): {"figure": the
//                                        print figure's markup}
//   {"op": "read"}                    -> {"url", "status": the page's status line, "linkText": the address
//                                        shown for copying by hand, or null, "focused": the accessible name of
//                                        the element with the focus}
//   {"op": "idle", "ms"}              -> left alone for ms: {"busy": main-thread task seconds, "frames":
//                                        animation frames requested} in that time
// Usage: node driver.mjs PAGE.html[#FRAGMENT] [CONTEXT]  (CONTEXT: JSON options of the browser context,
// e.g. {"viewport": ..., "deviceScaleFactor": ..., "isMobile": true, "hasTouch": true};
// CHROMIUM overrides the browser, /usr/bin/chromium by default)
import {chromium} from 'playwright-core';
import {createInterface} from 'node:readline';
import {pathToFileURL} from 'node:url';
import {resolve} from 'node:path';

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  // The machine's network is closed: no background connections, no updates.
  args: ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage({viewport: {width: 1024, height: 800}, deviceScaleFactor: 1,
                                    ...JSON.parse(process.argv[3] || '{}')});
const devtools = await page.context().newCDPSession(page);
const errors = [];
page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
page.on('pageerror', (error) => errors.push(String(error)));
// Counts the animation frames the page requests, for the idle measurement.
await page.addInitScript(() => {
  const request = window.requestAnimationFrame.bind(window);
  window.framesRequested = 0;
  window.requestAnimationFrame = (f) => { ++window.framesRequested; return request(f); };
});
// A page's address, with its fragment if it has one.
function address(file) {
  const [path, fragment] = file.split('#');
  return pathToFileURL(resolve(path)).href + (fragment === undefined ? '' : '#' + fragment);
}
await page.goto(address(process.argv[2]));

// The title the program gave its window, kept on the canvas; null until the window is made.
const windowTitle = () => page.$eval('canvas', (c) => c.dataset.windowTitle || null);

async function canvasBox() {
  return page.$eval('canvas', (c) => {
    const r = c.getBoundingClientRect();
    return {x: r.left, y: r.top, width: Math.round(r.width), height: Math.round(r.height)};
  });
}

const commands = {
  async info() { return {title: await windowTitle(), page: await page.title(), ...(await canvasBox())}; },
  async move({x, y}) {
    const box = await canvasBox();
    await page.mouse.move(box.x + x, box.y + y);
    return {};
  },
  async down({button}) { await page.mouse.down({button}); return {}; },
  async up({button}) { await page.mouse.up({button}); return {}; },
  async touch({type, x, y}) {
    const box = await canvasBox();
    const touchPoints = type === 'touchEnd' ? [] : [{x: box.x + x, y: box.y + y}];
    await devtools.send('Input.dispatchTouchEvent', {type, touchPoints});
    return {};
  },
  async resize({width, height}) {
    await page.$eval('canvas', (c, [w, h]) => {
      Object.assign(c.style, {width: `${w}px`, height: `${h}px`, maxWidth: 'none'});
    }, [width, height]);
    await page.waitForFunction(([w, h]) => {
      const c = document.querySelector('canvas');
      return c.width === Math.round(w * devicePixelRatio) && c.height === Math.round(h * devicePixelRatio);
    }, [width, height]);
    return {};
  },
  async goto({page: file}) {
    await page.goto('about:blank');  // a new fragment alone would not load the page again
    await page.goto(address(file));
    await page.waitForFunction(() => {  // a page without a canvas (the index) once it has loaded
      const canvas = document.querySelector('canvas');
      return canvas ? canvas.dataset.windowTitle === 'zembrola' : document.readyState === 'complete';
    });
    return {};
  },
  async layout() {
    return page.evaluate(() => {
      const c = document.querySelector('canvas'), r = c && c.getBoundingClientRect(), root = document.documentElement;
      return {title: document.title, pageWidth: root.scrollWidth, viewportWidth: root.clientWidth, ratio: devicePixelRatio,
              ...(c && {cssWidth: r.width, cssHeight: r.height, storeWidth: c.width, storeHeight: c.height})};
    });
  },
  async labels() { return {labels: await page.$eval('#labels', (e) => e.textContent)}; },
  async steps() {
    return page.evaluate(() => {
      const items = [...document.querySelectorAll('#steps li')];
      return {pressed: document.getElementById('explain').getAttribute('aria-pressed') === 'true',
              open: !document.getElementById('explanation').hidden, items: items.map((item) => item.textContent),
              current: items.findIndex((item) => item.getAttribute('aria-current') === 'step'),
              told: document.getElementById('step-now').textContent};
    });
  },
  async storm({from, to, count}) {
    return page.evaluate(([from, to, count]) => {
      const c = document.querySelector('canvas'), r = c.getBoundingClientRect();
      const event = (type, [x, y], buttons, button) => c.dispatchEvent(new PointerEvent(type, {
        pointerId: 1, pointerType: 'mouse', isPrimary: true, bubbles: true, cancelable: true,
        clientX: r.left + x, clientY: r.top + y, buttons, button}));
      const start = performance.now();
      event('pointerdown', from, 1, 0);
      for (let i = 0; i < count; ++i) event('pointermove', i % 2 ? from : to, 1, -1);
      event('pointerup', count % 2 ? to : from, 0, 0);
      /* global wasmMemory */
      return {heap: wasmMemory.buffer.byteLength, ms: performance.now() - start};
    }, [from, to, count]);
  },
  async shot({device}) {
    const box = await canvasBox();
    const clip = {x: box.x, y: box.y, width: box.width, height: box.height};
    // The canvas alone: the focus ring of a point over it is the page's, not the program's.
    const overlay = (shown) => page.evaluate((shown) => {
      const points = document.getElementById('points');
      if (points) points.style.visibility = shown ? '' : 'hidden';
    }, shown);
    await overlay(false);
    const png = await page.screenshot({clip, scale: device ? 'device' : 'css'});
    await overlay(true);
    return {png: png.toString('base64')};
  },
  async errors() { return {errors}; },
  async button({name}) {
    await page.getByRole('button', {name, exact: true}).click();
    return {};
  },
  async key({key}) { await page.keyboard.press(key); return {}; },
  async read() {
    return page.evaluate(() => ({url: location.href, status: (document.getElementById('status') || {}).textContent,
                                 linkText: (({hidden, value}) => (hidden ? null : value))(document.getElementById('link-text') || {hidden: true}),
                                 focused: document.activeElement && document.activeElement.getAttribute('aria-label')}));
  },
  async download({name}) {
    const [download] = await Promise.all([page.waitForEvent('download'),
                                          page.getByRole('button', {name, exact: true}).click()]);
    const chunks = [];
    for await (const chunk of await download.createReadStream()) chunks.push(chunk);
    return {file: download.suggestedFilename(), data: Buffer.concat(chunks).toString('base64')};
  },
  async wheel({x, y, deltaY}) {
    await page.evaluate(() => {
      window.lastWheelCancelled = null;
      window.addEventListener('wheel', (e) => { window.lastWheelCancelled = e.defaultPrevented; }, {once: true});
    });
    const box = await canvasBox();
    await page.mouse.move(box.x + x, box.y + y);
    await page.mouse.wheel(0, deltaY);
    await page.waitForFunction(() => window.lastWheelCancelled !== null);
    return {cancelled: await page.evaluate(() => window.lastWheelCancelled)};
  },
  async print({on}) {
    // As the browser does when it prints; emulating the print medium alone fires no event.
    if (on) await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    await page.emulateMedia({media: on ? 'print' : null});
    return {figure: await page.$eval('#print-figure', (e) => e.innerHTML)};
  },
  async idle({ms}) {
    await devtools.send('Performance.enable');
    const task = async () => (await devtools.send('Performance.getMetrics')).metrics
      .find((m) => m.name === 'TaskDuration').value;
    const frames = () => page.evaluate(() => window.framesRequested);
    const [busy0, frames0] = [await task(), await frames()];
    await new Promise((done) => setTimeout(done, ms));
    const [busy1, frames1] = [await task(), await frames()];
    return {busy: busy1 - busy0, frames: frames1 - frames0};
  },
};

for await (const line of createInterface({input: process.stdin})) {
  const command = JSON.parse(line);
  let answer;
  try {
    answer = await commands[command.op](command);
  } catch (error) {
    answer = {error: String(error)};
  }
  process.stdout.write(JSON.stringify(answer) + '\n');
}
await browser.close();
