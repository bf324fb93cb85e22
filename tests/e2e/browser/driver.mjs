// Opens one page in headless Chromium and drives it for an end-to-end scenario.
// Reads one JSON command per line on stdin and answers each with one JSON line:
//   {"op": "info"}                    -> {"title", "width", "height"} of the page and its canvas
//   {"op": "move", "x", "y"}          -> pointer to canvas pixel (x, y), top-left origin
//   {"op": "down" | "up", "button"}   -> "left", "middle" or "right"
//   {"op": "resize", "width", "height"} -> the canvas's size on the page, as a user resizing a window
//   {"op": "shot"}                    -> {"png": base64 screenshot of the canvas}
//   {"op": "errors"}                  -> {"errors": console errors and uncaught exceptions so far}
// Usage: node driver.mjs PAGE.html  (CHROMIUM overrides the browser, /usr/bin/chromium by default)
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
const page = await browser.newPage({viewport: {width: 1024, height: 800}, deviceScaleFactor: 1});
const errors = [];
page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
page.on('pageerror', (error) => errors.push(String(error)));
await page.goto(pathToFileURL(resolve(process.argv[2])).href);

async function canvasBox() {
  return page.$eval('canvas', (c) => {
    const r = c.getBoundingClientRect();
    return {x: r.left, y: r.top, width: c.width, height: c.height};
  });
}

const commands = {
  async info() { return {title: await page.title(), ...(await canvasBox())}; },
  async move({x, y}) {
    const box = await canvasBox();
    await page.mouse.move(box.x + x, box.y + y);
    return {};
  },
  async down({button}) { await page.mouse.down({button}); return {}; },
  async up({button}) { await page.mouse.up({button}); return {}; },
  async resize({width, height}) {
    await page.$eval('canvas', (c, [w, h]) => { c.style.width = `${w}px`; c.style.height = `${h}px`; }, [width, height]);
    await page.waitForFunction(([w, h]) => {
      const c = document.querySelector('canvas');
      return c.width === w && c.height === h;
    }, [width, height]);
    return {};
  },
  async shot() {
    const box = await canvasBox();
    const png = await page.screenshot({clip: {x: box.x, y: box.y, width: box.width, height: box.height}});
    return {png: png.toString('base64')};
  },
  async errors() { return {errors}; },
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
