// Opens one page in a browser engine and drives it for an end-to-end scenario.
// Reads one JSON command per line on stdin and answers each with one JSON line:
// Canvas pixels are CSS pixels, top-left origin. Those marked (Chromium) need Chromium's
// DevTools protocol or its device emulation, and answer an error in the other engines.
//   {"op": "info"}                    -> {"title": the program's window title, "page": the document's title,
//                                        "width", "height"} of its canvas
//   {"op": "move", "x", "y"}          -> mouse pointer to canvas pixel (x, y)
//   {"op": "down" | "up", "button"}   -> "left", "middle" or "right"
//   {"op": "touch", "type", "x", "y"} -> (Chromium) one finger: "touchStart", "touchMove" or "touchEnd" at (x, y)
//   {"op": "resize", "width", "height"} -> the canvas's size on the page, as a user resizing a window
//   {"op": "shot", "device"}          -> {"png": base64 screenshot of the canvas, in device pixels if device}
//   {"op": "goto", "page"}            -> another page (PAGE.html#FRAGMENT too) in the same tab, once
//                                        its program has made its window "zembrola" (the index: once loaded)
//   {"op": "layout"}                  -> the document's title, page and canvas sizes, in CSS and device pixels
//   {"op": "labels"}                  -> {"labels": the text of the page's labels element}
//   {"op": "steps"}                   -> the explanation: {"pressed": Explain's state, "open", "items": the
//                                        steps' texts, "current": the current step's index or -1, "told":
//                                        the live region's text, "ends": aria-disabled of Previous step and
//                                        Next step}
//   {"op": "map"}                     -> the map: {"shown": Map's button is there, "pressed", "open": the legend
//                                        shown, "busy": its aria-busy, "items": its items' texts, "swatches":
//                                        each item's swatch's computed background colour}
//   {"op": "storm", "from", "to", "count"} -> a press at from, count drag events alternating
//                                        between to and from, a release; {"heap": bytes, "ms"}
//   {"op": "errors"}                  -> {"errors": console errors and uncaught exceptions so far}
//   {"op": "button", "name"}         -> clicks the page's button of that name
//   {"op": "key", "key"}              -> presses a key, e.g. "Escape" or "Control+z"
//   {"op": "download", "name"}        -> clicks that button: {"file": its download's name, "data": base64}
//   {"op": "wheel", "x", "y", "deltaY"} -> (Chromium) a wheel turn over canvas pixel (x, y): {"cancelled"}
//   {"op": "print", "on"}             -> (Chromium) the page as printed (or back on screen): {"figure": the
//                                        print figure's markup}
//   {"op": "read"}                    -> {"url", "status": the page's status line, "linkText": the address
//                                        shown for copying by hand, or null, "focused": the accessible name of
//                                        the element with the focus}
//   {"op": "idle", "ms"}              -> (Chromium) left alone for ms: {"busy": main-thread task seconds, "frames":
//                                        animation frames requested} in that time
//   {"op": "live"}                    -> the live regions (elements with aria-live) by id: {"changes": how often
//                                        each one's text changed since the last "live" (the first starts counting),
//                                        "texts": each one's text now}
//   {"op": "focus", "id"}             -> shows that element if hidden and gives it the focus
//   {"op": "hash", "fragment"}        -> a new fragment for the page's address, as typed into the address bar
//   {"op": "axe"}                     -> {"violations": [{"id", "impact", "targets"}]}: axe-core's rules as it runs
//                                        them by default (WCAG A and AA, and its best practices) over the page
//   {"op": "frames", "from", "to", "count"} -> a press at from, count drag events alternating between to and
//                                        from, each in an animation frame of its own, a release:
//                                        {"frames": frames the program drew, "grown": bytes the heap's top rose, "ms"}
// Usage: node driver.mjs PAGE.html[#FRAGMENT] [CONTEXT]  (CONTEXT: JSON options of the browser context,
// e.g. {"viewport": ..., "deviceScaleFactor": ..., "isMobile": true, "hasTouch": true}; Firefox takes
// the viewport and deviceScaleFactor, WebKit the viewport alone).
// WEB_ENGINE picks the engine, each a module in engines/ that opens the browser with one page:
// chromium (the default; CHROMIUM overrides /usr/bin/chromium), firefox (FIREFOX overrides
// /usr/bin/firefox-esr) or webkit (on the X display in DISPLAY; MINIBROWSER and WEBKITWEBDRIVER
// override Debian's). An engine gives: goto(url), evaluate(f, arg), mouse.move(x, y) / down(button) /
// up(button), keyDown(key) / keyUp(key), shot(selector, device) -> PNG, download(click) -> {file, data},
// errors(), close(), and in Chromium `chromium`: {page, devtools} (Playwright's page, a DevTools session).
import {readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {createInterface} from 'node:readline';
import {pathToFileURL} from 'node:url';
import {resolve} from 'node:path';

const ENGINES = ['chromium', 'firefox', 'webkit'];
const engineName = process.env.WEB_ENGINE || 'chromium';
if (!ENGINES.includes(engineName)) throw new Error(`WEB_ENGINE is ${engineName}, not one of ${ENGINES}`);
const engine = await (await import(`./engines/${engineName}.mjs`)).open(JSON.parse(process.argv[3] || '{}'));

// A page's address, with its fragment if it has one.
function address(file) {
  const [path, fragment] = file.split('#');
  return pathToFileURL(resolve(path)).href + (fragment === undefined ? '' : '#' + fragment);
}
await engine.goto(address(process.argv[2]));

// Until f(arg) is true in the page.
async function until(f, arg, timeout = 30000) {
  for (const deadline = Date.now() + timeout; !await engine.evaluate(f, arg);) {
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${f}`);
    await new Promise((done) => setTimeout(done, 50));
  }
}

function canvasBox() {
  return engine.evaluate(() => {
    const r = document.querySelector('canvas').getBoundingClientRect();
    return {x: r.left, y: r.top, width: Math.round(r.width), height: Math.round(r.height)};
  });
}

function chromiumOnly() {
  if (!engine.chromium) throw new Error(`needs Chromium's DevTools protocol, not ${engineName}`);
  return engine.chromium;
}

// A click on the middle of the page's button of that name, as a mouse does it.
async function click(name) {
  const [x, y] = await engine.evaluate((name) => {
    const button = [...document.querySelectorAll('button')].find((b) => b.textContent.trim() === name && !b.hidden);
    if (!button) return [null, null];
    button.scrollIntoView({block: 'nearest'});
    const r = button.getBoundingClientRect();
    return [r.left + r.width / 2, r.top + r.height / 2];
  }, name);
  if (x === null) throw new Error(`no button ${name}`);
  await engine.mouse.move(x, y);
  await engine.mouse.down('left');
  await engine.mouse.up('left');
}

const commands = {
  async info() {
    // The title the program gave its window, kept on the canvas; null until the window is made.
    const [title, page] = await engine.evaluate(() => [document.querySelector('canvas').dataset.windowTitle || null,
                                                       document.title]);
    return {title, page, ...(await canvasBox())};
  },
  async move({x, y}) {
    const box = await canvasBox();
    await engine.mouse.move(box.x + x, box.y + y);
    return {};
  },
  async down({button}) { await engine.mouse.down(button); return {}; },
  async up({button}) { await engine.mouse.up(button); return {}; },
  async touch({type, x, y}) {
    const {devtools} = chromiumOnly(), box = await canvasBox();
    const touchPoints = type === 'touchEnd' ? [] : [{x: box.x + x, y: box.y + y}];
    await devtools.send('Input.dispatchTouchEvent', {type, touchPoints});
    return {};
  },
  async resize({width, height}) {
    await engine.evaluate(([w, h]) => {
      Object.assign(document.querySelector('canvas').style, {width: `${w}px`, height: `${h}px`, maxWidth: 'none'});
    }, [width, height]);
    await until(([w, h]) => {
      const c = document.querySelector('canvas');
      return c.width === Math.round(w * devicePixelRatio) && c.height === Math.round(h * devicePixelRatio);
    }, [width, height]);
    return {};
  },
  async goto({page: file}) {
    await engine.goto('about:blank');  // a new fragment alone would not load the page again
    await engine.goto(address(file));
    await until(() => {  // a page without a canvas (the index) once it has loaded
      const canvas = document.querySelector('canvas');
      return canvas ? canvas.dataset.windowTitle === 'zembrola' : document.readyState === 'complete';
    });
    return {};
  },
  async layout() {
    return engine.evaluate(() => {
      const c = document.querySelector('canvas'), r = c && c.getBoundingClientRect(), root = document.documentElement;
      return {title: document.title, pageWidth: root.scrollWidth, viewportWidth: root.clientWidth, ratio: devicePixelRatio,
              ...(c && {cssWidth: r.width, cssHeight: r.height, storeWidth: c.width, storeHeight: c.height})};
    });
  },
  async labels() { return {labels: await engine.evaluate(() => document.getElementById('labels').textContent)}; },
  async steps() {
    return engine.evaluate(() => {
      const items = [...document.querySelectorAll('#steps li')];
      return {pressed: document.getElementById('explain').getAttribute('aria-pressed') === 'true',
              open: !document.getElementById('explanation').hidden, items: items.map((item) => item.textContent),
              current: items.findIndex((item) => item.getAttribute('aria-current') === 'step'),
              told: document.getElementById('step-now').textContent,
              ends: ['previous-step', 'next-step'].map((id) => document.getElementById(id)
                .getAttribute('aria-disabled'))};
    });
  },
  async map() {
    return engine.evaluate(() => {
      const button = document.getElementById('map'), legend = document.getElementById('map-legend');
      return {shown: !button.hidden, pressed: button.getAttribute('aria-pressed') === 'true', open: !legend.hidden,
              busy: legend.getAttribute('aria-busy'), items: [...legend.children].map((item) => item.textContent),
              swatches: [...legend.querySelectorAll('.swatch')].map((s) => getComputedStyle(s).backgroundColor)};
    });
  },
  async storm({from, to, count}) {
    return engine.evaluate(([from, to, count]) => {
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
    // The canvas alone: the focus ring of a point over it is the page's, not the program's.
    const overlay = (shown) => engine.evaluate((shown) => {
      const points = document.getElementById('points');
      if (points) points.style.visibility = shown ? '' : 'hidden';
    }, shown);
    await overlay(false);
    const png = await engine.shot('canvas', device);
    await overlay(true);
    return {png: png.toString('base64')};
  },
  async errors() { return {errors: await engine.errors()}; },
  async button({name}) { await click(name); return {}; },
  // A key with its modifiers held down first, e.g. "Control+Shift+z".
  async key({key}) {
    const keys = key.split('+');
    for (const k of keys) await engine.keyDown(k);
    for (const k of keys.reverse()) await engine.keyUp(k);
    return {};
  },
  async read() {
    return engine.evaluate(() => ({url: location.href, status: (document.getElementById('status') || {}).textContent,
                                   linkText: (({hidden, value}) => (hidden ? null : value))(
                                     document.getElementById('link-text') || {hidden: true}),
                                   focused: document.activeElement && document.activeElement.getAttribute('aria-label')}));
  },
  async download({name}) {
    const {file, data} = await engine.download(() => click(name));
    return {file, data: data.toString('base64')};
  },
  async wheel({x, y, deltaY}) {
    const {page} = chromiumOnly();
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
    const {page} = chromiumOnly();
    // As the browser does when it prints; emulating the print medium alone fires no event.
    if (on) await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    await page.emulateMedia({media: on ? 'print' : null});
    return {figure: await page.$eval('#print-figure', (e) => e.innerHTML)};
  },
  async live() {
    return engine.evaluate(() => {
      const regions = [...document.querySelectorAll('[aria-live]')];
      if (!window.liveChanges) {
        window.liveChanges = {};
        for (const region of regions) {
          window.liveChanges[region.id] = 0;
          // One record per text set: the page replaces a region's text as a whole.
          new MutationObserver((records) => { window.liveChanges[region.id] += records.length; })
            .observe(region, {childList: true, characterData: true, subtree: true});
        }
      }
      const changes = window.liveChanges;
      window.liveChanges = Object.fromEntries(Object.keys(changes).map((id) => [id, 0]));
      return {changes, texts: Object.fromEntries(regions.map((region) => [region.id, region.textContent]))};
    });
  },
  async focus({id}) {
    await engine.evaluate((id) => {
      const element = document.getElementById(id);
      element.hidden = false;
      element.focus();
    }, id);
    return {};
  },
  async hash({fragment}) {
    await engine.evaluate((fragment) => new Promise((done) => {
      window.addEventListener('hashchange', () => setTimeout(done), {once: true});
      location.hash = fragment;
    }), fragment);
    return {};
  },
  async axe() {
    const source = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
    const violations = await engine.evaluate(async (source) => {
      if (!window.axe) (0, eval)(source);
      const results = await window.axe.run(document, {resultTypes: ['violations']});
      return results.violations.map((v) => ({id: v.id, impact: v.impact,
                                             targets: v.nodes.map((n) => n.target.join(' '))}));
    }, source);
    return {violations};
  },
  async frames({from, to, count}) {
    return engine.evaluate(async ([from, to, count]) => {
      const c = document.querySelector('canvas'), r = c.getBoundingClientRect();
      const event = (type, [x, y], buttons, button) => c.dispatchEvent(new PointerEvent(type, {
        pointerId: 1, pointerType: 'mouse', isPrimary: true, bubbles: true, cancelable: true,
        clientX: r.left + x, clientY: r.top + y, buttons, button}));
      const nextFrame = () => new Promise((done) => requestAnimationFrame(done));
      // A block larger than any the heap has freed comes from its top, which it leaves just past itself.
      const probe = 16 << 20, top = () => window.Module._malloc(probe);
      let frames = 0;
      const counted = () => ++frames;
      window.Module.web.events.addEventListener('frame', counted);
      await nextFrame();
      const start = performance.now(), before = top();
      event('pointerdown', from, 1, 0);
      for (let i = 0; i < count; ++i) {
        event('pointermove', i % 2 ? from : to, 1, -1);
        await nextFrame();  // after the program's frame, which it asked for first
      }
      event('pointerup', count % 2 ? to : from, 0, 0);
      await nextFrame();
      const grown = top() - before - probe;
      window.Module.web.events.removeEventListener('frame', counted);
      return {frames, grown, ms: performance.now() - start};
    }, [from, to, count]);
  },
  async idle({ms}) {
    const {page, devtools} = chromiumOnly();
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
await engine.close();
