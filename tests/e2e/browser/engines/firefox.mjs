// Headless Firefox (Debian's firefox-esr) through puppeteer-core over WebDriver BiDi.
// Downloads go straight to a scratch folder, set by the profile's preferences.
import puppeteer from 'puppeteer-core';
import {rm} from 'node:fs/promises';
import {downloaded, scratch} from './downloads.mjs';

export async function open(context) {
  const downloads = await scratch('firefox-downloads-');
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
    extraPrefsFirefox: {
      'browser.download.dir': downloads,
      'browser.download.folderList': 2,
      'browser.download.useDownloadDir': true,
      'browser.download.alwaysOpenPanel': false,
    },
  });
  const page = await browser.newPage();
  const {viewport = {width: 1024, height: 800}, deviceScaleFactor = 1} = context;
  await page.setViewport({...viewport, deviceScaleFactor});
  const errors = [];
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', (error) => errors.push(String(error)));
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
    async shot(selector) { return Buffer.from(await (await page.$(selector)).screenshot()); },
    download: (click) => downloaded(downloads, click),
    errors: async () => errors,
    async close() {
      await browser.close();
      await rm(downloads, {recursive: true, force: true, maxRetries: 5});
    },
  };
}
