// The page's live regions, which a screen reader speaks whenever their text changes: brought
// up to date only once a change has settled, so that it hears one sentence per change and not
// a stream of half-finished ones while the pointer moves. A change settles when the user picks
// a step, ends a gesture, moves a point by key, undoes or opens a link (settle()), or when a
// hovering pointer has rested for half a second (follow() after each frame).

const restMs = 500;

export class Announcer {
  /** `regions`: [element, text()] pairs, text() being what the element should say now. */
  constructor(regions) {
    this.regions = regions;
    this.timer = 0;
    this.asked = false;
  }

  /**
   * The regions say what the frame that shows the change says. The program's frame, if the
   * change asked for one, was requested first, so this animation frame's callback runs after it.
   */
  settle() {
    clearTimeout(this.timer);
    if (this.asked) return;
    this.asked = true;
    requestAnimationFrame(() => {
      this.asked = false;
      this.say();
    });
  }

  /** A gesture has started: a hover before it never settles. */
  hush() { clearTimeout(this.timer); }

  /**
   * After a frame outside a gesture: if the regions are behind it (a hover moved the figure), they
   * catch up once no frame has come for half a second. One timer, started only by a frame.
   */
  follow() {
    if (this.asked || !this.isBehind()) return;
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.say(), restMs);
  }

  isBehind() { return this.regions.some(([element, text]) => element.textContent !== text()); }

  say() {
    clearTimeout(this.timer);
    for (const [element, text] of this.regions) {
      const said = text();
      if (element.textContent !== said) element.textContent = said;
    }
  }
}
