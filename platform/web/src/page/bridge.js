// The bridge to the program: the one place of the page that calls into the module and reads
// or writes its memory. Points are numbered in the program's store order; number
// pointCount() stands for the cursor.
/* global HEAPF32, HEAP32, HEAPU8, UTF8ToString */

export class Bridge {
  constructor(module) {
    this.module = module;
    this.count = module._web_point_count();
    this.buffer = module._malloc(8 * (this.count + 1));  // count + 1 pairs of floats
    this.pixel = module._malloc(8);                       // the two ints of a window pixel
  }

  /** Named points, the cursor not counted. */
  pointCount() { return this.count; }
  /** Whether the program follows the pointer without a button, so that the cursor is a point of its own. */
  hasCursor() { return this.module._web_has_cursor() === 1; }
  /** Point i's name, the cursor's for i == pointCount(). */
  pointName(i) { return UTF8ToString(this.module._web_point_name(i)); }

  /** The figure: x, y of each named point in store order, then of the cursor. */
  readState() {
    this.module._web_read_state(this.buffer);
    const from = this.buffer >> 2;
    return Array.from(HEAPF32.subarray(from, from + 2 * (this.count + 1)));
  }
  /** Sets the figure as a link or an undo step does; false, with nothing changed, if the program refuses it. */
  setState(state) {
    HEAPF32.set(state, this.buffer >> 2);
    return this.module._web_write_state(this.buffer, this.count + 1) === 1;
  }

  /** Point i's nearest window pixel [x, y], or null where it has none. */
  pointPixel(i) {
    if (!this.module._web_point_pixel(i, this.pixel, this.pixel + 4)) return null;
    return [HEAP32[this.pixel >> 2], HEAP32[(this.pixel >> 2) + 1]];
  }
  /** Point i to window pixel (x, y), as a drag there would take it (the cursor: as a hover). */
  movePoint(i, x, y) { this.module._web_move_point(i, x, y); }
  /** The named point the program has selected, or -1. */
  selectedPoint() { return this.module._web_selected_point(); }

  /** Whether the program explains its method step by step. */
  hasExplanation() { return this.module._web_has_explanation() === 1; }
  /** Opens the explanation at step k (from 0), or closes it for null; the next frame shows it. */
  explain(k) { this.module._web_explain(k === null ? -1 : k); }
  /** The step the last frame drew (from 0, clamped to the steps there are), or null while closed. */
  explainedStep() {
    const k = this.module._web_explained_step();
    return k < 0 ? null : k;
  }
  /** The texts of the steps, as the last frame computed them for the figure. */
  stepTexts() {
    return Array.from({length: this.module._web_step_count()}, (_, k) => UTF8ToString(this.module._web_step_text(k)));
  }

  /** Whether the program maps its answers over the window. */
  hasMap() { return this.module._web_has_map() === 1; }
  /**
   * The map of the figure as it is now: {names, counts, classOf}, classOf one class index per
   * window pixel, row-major from the top left, a view of the program's memory that holds until
   * the next map (or the memory's growth); null where the program has no map.
   */
  computeMap() {
    const classes = this.module._web_compute_map();
    if (!classes) return null;
    const names = [], counts = [];
    for (let k = 0; k < classes; ++k) {
      names.push(UTF8ToString(this.module._web_map_class_name(k)));
      counts.push(this.module._web_map_class_pixels(k));
    }
    const from = this.module._web_map_pixels();
    return {names, counts, classOf: HEAPU8.subarray(from, from + counts.reduce((a, b) => a + b, 0))};
  }
}

/** What the canvas layer feeds the program: pointer events in window pixels from the top left, and redraws. */
export function programInput(module) {
  return {
    mouse: (button, state, x, y) => module._web_mouse(button, state, x, y),
    motion: (held, x, y) => module._web_motion(held, x, y),
    setPickReach: (windowPixels) => module._web_set_pick_reach(windowPixels),
    refresh: () => module._web_refresh(),
  };
}
