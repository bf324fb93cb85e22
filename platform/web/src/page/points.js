// Every point of the figure as a focusable element over the canvas, in store order, and the
// cursor where the program follows it. Invisible until focused, they let the pointer through
// to the canvas; the arrow keys move their point by a window pixel (ten with Shift), as a drag
// to that pixel would, and the Move buttons move the point that last had the focus.

const arrows = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};
const moveButtons = {'move-left': [-1, 0], 'move-right': [1, 0], 'move-up': [0, -1], 'move-down': [0, 1]};

// Coordinates in a point's name: enough to tell where it is, short enough to hear.
const spoken = (f) => String(Number(f.toFixed(3)) || 0);

export class Points {
  /** `move(i, dx, dy)` moves point i by window pixels; `container` holds the elements. */
  constructor(bridge, container, move) {
    this.bridge = bridge;
    this.lastFocused = 0;
    const total = bridge.pointCount() + (bridge.hasCursor() ? 1 : 0);
    this.marks = Array.from({length: total}, (_, i) => {
      const mark = document.createElement('div');
      mark.className = 'point';
      mark.tabIndex = 0;
      mark.setAttribute('role', 'button');
      mark.setAttribute('aria-roledescription', 'movable point');
      mark.setAttribute('aria-describedby', 'keys');
      mark.addEventListener('focus', () => { this.lastFocused = i; });
      mark.addEventListener('keydown', (e) => {
        const d = arrows[e.key];
        if (!d || e.ctrlKey || e.metaKey || e.altKey) return;
        e.preventDefault();
        const by = e.shiftKey ? 10 : 1;
        move(i, d[0] * by, d[1] * by);
      });
      container.appendChild(mark);
      return mark;
    });
    for (const [id, [dx, dy]] of Object.entries(moveButtons)) {
      document.getElementById(id).addEventListener('click', () => {
        if (this.marks.length) move(this.lastFocused, dx, dy);
      });
    }
  }

  /** Gives the focus to the point the program picked, if any. */
  focusPicked() {
    const picked = this.bridge.selectedPoint();
    if (picked >= 0) this.marks[picked].focus({preventScroll: true});
  }

  /** Each element over its point, named with its place, after a frame. */
  follow(state, canvas) {
    const width = canvas.clientWidth, height = canvas.clientHeight;
    this.marks.forEach((mark, i) => {
      const x = state[2 * i], y = state[2 * i + 1];
      const left = `${canvas.offsetLeft + (x + 1) / 2 * width}px`, top = `${canvas.offsetTop + (1 - y) / 2 * height}px`;
      if (mark.style.left !== left) mark.style.left = left;
      if (mark.style.top !== top) mark.style.top = top;
      const name = `${this.bridge.pointName(i)}, x ${spoken(x)}, y ${spoken(y)}`;
      if (mark.getAttribute('aria-label') !== name) mark.setAttribute('aria-label', name);
    });
  }
}
