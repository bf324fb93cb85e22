// The page around the program's figure: the canvas layer that the program's GL and GLUT calls
// draw on, then, once the program runs, the page's own controls wired to it.
import {CanvasLayer} from './canvas/layer.js';
import {Address} from './page/address.js';
import {Announcer} from './page/announcer.js';
import {Bridge, programInput} from './page/bridge.js';
import {Explanation} from './page/explanation.js';
import {wireFullScreen} from './page/fullscreen.js';
import {History} from './page/history.js';
import {AnswerMap} from './page/map.js';
import {inTextField} from './page/keys.js';
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
  const explanation = new Explanation(bridge, $);
  const answers = new AnswerMap(bridge, layer, $);
  const address = new Address(bridge, program, status, explanation, answers);
  // The labels and the step, told once a change settles.
  const announcer = new Announcer([[$('labels-told'), () => layer.labelText()],
                                   [$('step-now'), () => explanation.told()]]);
  const changes = new History(bridge, () => {
    $('undo').setAttribute('aria-disabled', String(!changes.canUndo()));
    $('redo').setAttribute('aria-disabled', String(!changes.canRedo()));
  });
  explanation.events.addEventListener('change', () => {
    address.keep();
    announcer.settle();
  });
  answers.events.addEventListener('change', () => address.keep());
  changes.changed();
  address.follow();
  window.addEventListener('hashchange', () => announcer.settle());
  announcer.settle();

  wireFullScreen($('figure'), $('fullscreen'), status);
  wireSaving(layer, program, status, $);
  $('copy-link').addEventListener('click', () => address.copy($('link-text')));

  // Undo, redo and reset by button and by key (Ctrl or ⌘, and Ctrl+Y), the keys outside text fields.
  const act = (what) => () => {
    changes[what]();
    address.keep();
    announcer.settle();
  };
  for (const what of ['undo', 'redo', 'reset']) $(what).addEventListener('click', act(what));
  document.addEventListener('keydown', (e) => {
    if (!(e.ctrlKey || e.metaKey) || e.altKey || inTextField(e)) return;
    const key = e.key.toLowerCase();
    if (key === 'z' && !e.shiftKey) act('undo')();
    else if ((key === 'z' && e.shiftKey) || (key === 'y' && !e.shiftKey && !e.metaKey)) act('redo')();
    else return;
    e.preventDefault();
  });

  const points = new Points(bridge, $('points'), (i, dx, dy) => {
    const p = bridge.pointPixel(i);
    if (changes.busy() || !p) return;
    changes.keyMove(i);
    bridge.movePoint(i, p[0] + dx, p[1] + dy);
    address.keepSoon();
    announcer.settle();
  });

  // A gesture on the canvas: one undo step if it moved something, the link kept and the live
  // regions told at its end, and the point it picked given the focus.
  layer.events.addEventListener('gesturestart', () => {
    changes.gestureStarted();
    announcer.hush();
    points.focusPicked();
  });
  layer.events.addEventListener('gestureend', () => {
    changes.gestureEnded();
    address.keep();
    announcer.settle();
  });
  // After every frame the points' elements and the explanation follow the figure; outside a
  // gesture, the address and the live regions catch up once it rests.
  layer.events.addEventListener('frame', () => {
    const state = bridge.readState();
    points.follow(state, layer.canvas);
    explanation.follow();
    if (changes.busy()) return;
    if (address.isBehind(state)) address.keepSoon();
    announcer.follow();
  });
}
