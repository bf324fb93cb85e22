// WebKitGTK's MiniBrowser through Debian's WebKitWebDriver and selenium-webdriver, on
// the X display in DISPLAY. The browser keeps its downloads in a scratch home. This
// driver has no console channel: the pages are served from a loopback server that puts
// a script first in each, which keeps the page's errors for the driver to read.
import {Builder, Button, Key, Origin} from 'selenium-webdriver';
import remote from 'selenium-webdriver/remote/index.js';
import portprober from 'selenium-webdriver/net/portprober.js';
import {createServer} from 'node:http';
import {mkdir, readFile, rm, writeFile} from 'node:fs/promises';
import {dirname, extname, join, relative, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';
import {downloaded, scratch} from './downloads.mjs';
import {crop} from './png.mjs';

// Where libwebkit2gtk-4.1-0 puts it on amd64; MINIBROWSER overrides it.
const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// Put first in each page served: keeps uncaught errors, rejections and console errors.
const CATCH_ERRORS = `<script>
window.pageErrors = [];
addEventListener('error', function(e) { pageErrors.push(String(e.error || e.message)); });
addEventListener('unhandledrejection', function(e) { pageErrors.push('unhandled rejection: ' + e.reason); });
console.error = (function(error) {
  return function() { pageErrors.push(Array.from(arguments).join(' ')); return error.apply(console, arguments); };
})(console.error);
</script>`;

const TYPES = {'.html': 'text/html; charset=utf-8', '.png': 'image/png', '.svg': 'image/svg+xml',
               '.js': 'text/javascript'};

// Serves the files under root on a free loopback port; pages get the error catcher first.
async function serve(root) {
  const server = createServer(async (request, response) => {
    const path = resolve(root, '.' + decodeURIComponent(new URL(request.url, 'http://x').pathname));
    try {
      if (relative(root, path).startsWith('..')) throw new Error('outside the pages');
      let body = await readFile(path);
      if (extname(path) === '.html') body = body.toString().replace(/<head[^>]*>/i, (head) => head + CATCH_ERRORS);
      response.writeHead(200, {'Content-Type': TYPES[extname(path)] || 'application/octet-stream'});
      response.end(body);
    } catch (error) {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
  return server;
}

const KEYS = {Control: Key.CONTROL, Shift: Key.SHIFT, Alt: Key.ALT, Meta: Key.META, Tab: Key.TAB, Enter: Key.ENTER,
              Escape: Key.ESCAPE, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT, ArrowUp: Key.ARROW_UP,
              ArrowDown: Key.ARROW_DOWN};
const BUTTONS = {left: Button.LEFT, middle: Button.MIDDLE, right: Button.RIGHT};

export async function open(context) {
  const home = await scratch('webkit-home-');
  const downloads = join(home, 'Downloads');
  // Its download folder, as GLib reads it from the home's user-dirs.dirs.
  await mkdir(join(home, '.config'), {recursive: true});
  await mkdir(downloads);
  await writeFile(join(home, '.config', 'user-dirs.dirs'), `XDG_DOWNLOAD_DIR="${downloads}"\n`);
  const port = await portprober.findFreePort();
  const service = new remote.DriverService(process.env.WEBKITWEBDRIVER || '/usr/bin/WebKitWebDriver', {
    port, args: [`--port=${port}`], loopback: true, env: {...process.env, HOME: home}});
  const driver = await new Builder().usingServer(await service.start()).withCapabilities({
    browserName: 'MiniBrowser',
    'webkitgtk:browserOptions': {binary: process.env.MINIBROWSER || MINIBROWSER, args: ['--automation']},
  }).build();
  const {viewport = {width: 1024, height: 800}} = context;
  // The window's size less its toolbar is the viewport.
  const window = driver.manage().window();
  await window.setRect({x: 0, y: 0, ...viewport});
  const [width, height] = await driver.executeScript('return [innerWidth, innerHeight]');
  await window.setRect({width: 2 * viewport.width - width, height: 2 * viewport.height - height});
  let server = null, root = null;
  const errors = [];
  const pageErrors = async () => (await driver.executeScript('return window.pageErrors || []')) || [];
  const act = (build) => build(driver.actions({async: true})).perform();
  return {
    // Pages are served from the folder of the first one opened.
    async goto(url) {
      errors.push(...await pageErrors().catch(() => []));
      if (url.startsWith('file:')) {
        const [file, fragment] = url.split('#');
        const path = fileURLToPath(file);
        if (!server) server = await serve(root = dirname(path));
        url = `http://127.0.0.1:${server.address().port}/${relative(root, path)}` +
              (fragment === undefined ? '' : '#' + fragment);
      }
      await driver.get(url);
    },
    evaluate: (f, arg) => driver.executeScript(f, arg),
    mouse: {
      move: (x, y) => act((a) => a.move({x: Math.round(x), y: Math.round(y), duration: 0, origin: Origin.VIEWPORT})),
      down: (button) => act((a) => a.press(BUTTONS[button])),
      up: (button) => act((a) => a.release(BUTTONS[button])),
    },
    keyDown: (key) => act((a) => a.keyDown(KEYS[key] || key)),
    keyUp: (key) => act((a) => a.keyUp(KEYS[key] || key)),
    // WebKitWebDriver's screenshot of an element leaves parts of a canvas out; the viewport's is whole.
    async shot(selector) {
      const box = await driver.executeScript((selector) => {
        const r = document.querySelector(selector).getBoundingClientRect();
        return [r.left, r.top, r.width, r.height].map(Math.round);
      }, selector);
      return crop(Buffer.from(await driver.takeScreenshot(), 'base64'), ...box);
    },
    download: (click) => downloaded(downloads, click),
    async errors() { return [...errors, ...await pageErrors()]; },
    async close() {
      await driver.quit();
      await service.kill();
      if (server) server.close();
      await rm(home, {recursive: true, force: true, maxRetries: 5});  // the browser may still be writing its cache
    },
  };
}
