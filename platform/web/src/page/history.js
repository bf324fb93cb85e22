// Undo, redo and reset of the figure's points: one step per finished gesture that moved
// something, or per run of keyboard moves of one point; up to 100 steps are kept. The cursor
// is not undone: it stays where the pointer is.

const maxSteps = 100;

const samePoints = (a, b) => a.length === b.length && a.every((x, i) => Object.is(x, b[i]));

export class History {
  /** `changed` runs after every undo, redo or reset, and whenever what can be undone changes. */
  constructor(bridge, changed) {
    this.bridge = bridge;
    this.changed = changed;
    this.startUp = this.points();
    this.undone = [];    // points before each step, the latest last
    this.redone = [];
    this.keyRun = null;  // the point whose keyboard moves are one step so far
    this.gesture = null; // the points when the gesture under way started
  }

  points() { return this.bridge.readState().slice(0, 2 * this.bridge.pointCount()); }
  canUndo() { return this.undone.length > 0; }
  canRedo() { return this.redone.length > 0; }

  /** A step from `previous` to the points as they are now. */
  record(previous) {
    this.undone.push(previous);
    if (this.undone.length > maxSteps) this.undone.shift();
    this.redone = [];
    this.changed();
  }

  gestureStarted() {
    this.keyRun = null;
    this.gesture = this.points();
  }
  gestureEnded() {
    if (this.gesture && !samePoints(this.gesture, this.points())) this.record(this.gesture);
    this.gesture = null;
  }
  /** A keyboard move of point i is about to happen: the first of a run is a step of its own. */
  keyMove(i) {
    if (i < this.bridge.pointCount() && this.keyRun !== i) {
      this.record(this.points());
      this.keyRun = i;
    }
  }
  busy() { return this.gesture !== null; }

  undo() {
    if (this.busy() || !this.canUndo()) return;
    this.redone.push(this.points());
    this.restore(this.undone.pop());
  }
  redo() {
    if (this.busy() || !this.canRedo()) return;
    this.undone.push(this.points());
    this.restore(this.redone.pop());
  }
  /** Back to the start-up figure, as a step that can be undone too. */
  reset() {
    if (this.busy() || samePoints(this.points(), this.startUp)) return;
    this.record(this.points());
    this.restore(this.startUp);
  }

  restore(points) {
    this.bridge.setState(points.concat(this.bridge.readState().slice(points.length)));
    this.keyRun = null;
    this.changed();
  }
}
