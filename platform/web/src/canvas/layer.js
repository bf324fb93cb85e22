// GL and GLUT on an HTML canvas, as the program's calls reach it through library.js: the window
// made on the page's canvas, each frame recorded and painted at the swap, the pointer followed.
// The page hears of each frame shown and of each gesture's start and end through `events`.
import {FrameRecorder} from './frame.js';
import {paintFrame} from './paint.js';
import {listenToPointer} from './pointer.js';
import {drawing} from './svg.js';
import {View} from './view.js';

export class CanvasLayer {
  /** `program` is the program's side of the bridge (mouse, motion, refresh, setPickReach). */
  constructor(canvas, labels, program) {
    this.canvas = canvas;
    this.labels = labels;  // the element that shows the labels' text
    this.program = program;
    this.events = new EventTarget();  // 'frame', 'gesturestart', 'gestureend'
    this.shownText = '';
    this.underlay = null;         // drawn under every frame, see paintFrame
    this.beforeSwap = () => {};  // called as each frame is shown, before it is painted
  }

  /** An image of the window's size to draw under the figure, or null; shown at once with the last frame. */
  setUnderlay(underlay) {
    this.underlay = underlay;
    this.repaint();
  }
  /** The last frame painted again, as it was recorded. */
  repaint() { if (this.view) paintFrame(this.view, this.recorder.shown, this.underlay); }

  /** Makes the canvas the window of width x height pixels, named `title` as the desktop's would be. */
  createWindow(title, width, height) {
    this.canvas.dataset.windowTitle = title;
    this.view = new View(this.canvas, width, height);
    this.recorder = new FrameRecorder(height);
  }

  clear() { this.recorder.clear(); }
  draw(mode, data, pointSize, lineWidth) { this.recorder.draw(mode, data, pointSize, lineWidth); }
  label(x, y, r, g, b) { this.recorder.label(x, y, r, g, b); }
  character(c) { this.recorder.character(c); }

  /**
   * Shows the frame, and puts its labels' text on the page when it differs from that shown. The
   * element is no live region: the page tells the labels once a change has settled.
   */
  swap() {
    const frame = this.recorder.swap();
    this.beforeSwap();
    paintFrame(this.view, frame, this.underlay);
    const text = this.recorder.labelText();
    if (text !== this.shownText) this.labels.textContent = text;
    this.shownText = text;
    this.events.dispatchEvent(new Event('frame'));
  }

  /** The labels of the frame shown, one per line. */
  labelText() { return this.shownText; }

  /** The last frame as an SVG drawing of the designed size, for the screen or for print. */
  drawing(print) { return drawing(this.recorder.shown, this.view.width, this.view.height, print); }

  /** Starts following the pointer, and the canvas's size: a new size shows the last frame again at once. */
  listen() {
    const tell = (type) => () => this.events.dispatchEvent(new Event(type));
    listenToPointer(this.view, this.program, {start: tell('gesturestart'), end: tell('gestureend')});
    this.view.follow(() => {
      this.repaint();
      this.program.refresh();
    });
  }
}
