// Headless Chromium through Playwright. Its page is also handed out as `chromium`,
// with a DevTools session, for the commands only Chromium's protocol can do.
import {chromium} from 'playwright-core';

export async function open(context) {
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    // The machine's network is closed: no background connections, no updates.
    args: ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  const page = await browser.newPage({viewport: {width: 1024, height: 800}, deviceScaleFactor: 1, ...context});
  const errors = [];
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', (error) => errors.push(String(error)));
  // Counts the animation frames the page requests, for the idle measurement.
  await page.addInitScript(() => {
    const request = window.requestAnimationFrame.bind(window);
    window.framesRequested = 0;
    window.requestAnimationFrame = (f) => { ++window.framesRequested; return request(f); };
  });
  return {
    async goto(url) { await page.goto(url); },
    evaluate: (f, arg) => page.evaluate(f, arg),
    mouse: {
      move: (x, y) => page.mouse.move(x, y),
      down: (button) => page.mouse.down({button}),
      up: (button) => page.mouse.up({button}),
    },
    keyDown: (key) => page.keyboard.down(key),
    keyUp: (key) => page.keyboard.up(key),
    shot: (selector, device) => page.locator(selector).screenshot({scale: device ? 'device' : 'css'}),
    async download(click) {
      const [download] = await Promise.all([page.waitForEvent('download'), click()]);
      const chunks = [];
      for await (const chunk of await download.createReadStream()) chunks.push(chunk);
      return {file: download.suggestedFilename(), data: Buffer.concat(chunks)};
    },
    errors: async () => errors,
    close: () => browser.close(),
    chromium: {page, devtools: await page.context().newCDPSession(page)},
  };
}
