// The page around the program's figure: the canvas layer that the program's GL and GLUT calls
// draw on, then, once the program runs, the page's own controls wired to it.
import {CanvasLayer} from './canvas/layer.js';
import {Address} from './page/address.js';
import {Bridge, programInput} from './page/bridge.js';
import {Explanation} from './page/explanation.js';
import {wireFullScreen} from './page/fullscreen.js';
import {History} from './page/history.js';
import {Points} from './page/points.js';
import {wireSaving} from './page/saving.js';
import {Status} from './page/status.js';
import {watchForStop} from './page/stopped.js';

const $ = (id) => document.getElementById(id);
const program = document.body.dataset.program;
const module = window.Module = {canvas: $('canvas'), postRun: [start]};
module.web = new CanvasLayer($('canvas'), $('labels'), programInput(module));
watchForStop(module, $('stopped'));

function start() {
  const layer = module.web, bridge = new Bridge(module), status = new Status($('status'));
  const explanation = new Explanation(bridge, $, () => address.keep());
  const address = new Address(bridge, program, status, explanation);
  const history = new History(bridge, () => {
    $('undo').setAttribute('aria-disabled', String(!history.canUndo()));
    $('redo').setAttribute('aria-disabled', String(!history.canRedo()));
  });
  history.changed();
  address.follow();

  wireFullScreen($('figure'), $('fullscreen'), status);
  wireSaving(layer, program, status, $);
  $('copy-link').addEventListener('click', () => address.copy($('link-text')));

  // Undo, redo and reset by button and by key (Ctrl or ⌘, and Ctrl+Y).
  const act = (what) => () => {
    history[what]();
    address.keep();
  };
  for (const what of ['undo', 'redo', 'reset']) $(what).addEventListener('click', act(what));
  document.addEventListener('keydown', (e) => {
    if (!(e.ctrlKey || e.metaKey) || e.altKey) return;
    const key = e.key.toLowerCase();
    if (key === 'z' && !e.shiftKey) act('undo')();
    else if ((key === 'z' && e.shiftKey) || (key === 'y' && !e.shiftKey && !e.metaKey)) act('redo')();
    else return;
    e.preventDefault();
  });

  const points = new Points(bridge, $('points'), (i, dx, dy) => {
    const p = bridge.pointPixel(i);
    if (history.busy() || !p) return;
    history.keyMove(i);
    bridge.movePoint(i, p[0] + dx, p[1] + dy);
    address.keepSoon();
  });

  // A gesture on the canvas: one undo step if it moved something, the link kept at its end, and
  // the point it picked given the focus.
  layer.events.addEventListener('gesturestart', () => {
    history.gestureStarted();
    points.focusPicked();
  });
  layer.events.addEventListener('gestureend', () => {
    history.gestureEnded();
    address.keep();
  });
  // After every frame the points' elements and the explanation follow the figure, and the address
  // catches up once it rests.
  layer.events.addEventListener('frame', () => {
    const state = bridge.readState();
    points.follow(state, layer.canvas);
    explanation.follow();
    if (!history.busy() && address.isBehind(state)) address.keepSoon();
  });
}
