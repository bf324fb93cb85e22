// The explanation of the program's method: "Explain" opens it at the first step; an ordered
// list holds the steps in walk order, with the current one marked; "Previous step" and "Next
// step", PageUp and PageDown (which presenters' remotes send), or a click on an item move the
// current step; a polite live region tells it as "step K of N: <text>"; and the program draws
// it over the figure. The steps are the program's, computed anew with every frame, so they
// follow a drag as it happens; the current step's number stays, kept below the new count.

export class Explanation {
  /** `changed` runs whenever the step shown changes by the page's doing. */
  constructor(bridge, $, changed) {
    this.bridge = bridge;
    this.changed = changed;
    this.button = $('explain');
    this.panel = $('explanation');
    this.list = $('steps');
    this.now = $('step-now');
    this.texts = [];
    this.available = bridge.hasExplanation();
    if (!this.available) return;
    this.button.hidden = false;
    this.button.addEventListener('click', () => this.show(this.step() === null ? 0 : null));
    $('previous-step').addEventListener('click', () => this.move(-1));
    $('next-step').addEventListener('click', () => this.move(1));
    document.addEventListener('keydown', (e) => {
      const by = {PageUp: -1, PageDown: 1}[e.key];
      if (!by || this.step() === null || e.ctrlKey || e.metaKey || e.altKey || e.shiftKey) return;
      e.preventDefault();
      this.move(by);
    });
    this.list.addEventListener('click', (e) => {
      const item = e.target.closest('li');
      if (item) this.go(Array.prototype.indexOf.call(this.list.children, item));
    });
  }

  /** The step shown (from 0), or null while the explanation is closed. */
  step() { return this.available ? this.bridge.explainedStep() : null; }

  /** Opens the explanation at step k, or closes it for null. */
  show(k) {
    if (!this.available) return;
    this.bridge.explain(k);
    this.button.setAttribute('aria-pressed', String(k !== null));
    this.panel.hidden = k === null;
    this.changed();
  }
  go(k) {
    if (this.step() === null || k < 0 || k >= this.texts.length) return;
    this.show(k);
  }
  move(by) { this.go(this.step() + by); }

  /** After a frame: the list, the mark and the live region as the program computed them. */
  follow() {
    const k = this.step();
    if (k === null) return;
    const texts = this.bridge.stepTexts();
    const items = this.list.children;
    while (items.length > texts.length) this.list.lastChild.remove();
    while (items.length < texts.length) this.list.appendChild(document.createElement('li'));
    texts.forEach((text, i) => {
      if (items[i].textContent !== text) items[i].textContent = text;
      if (i === k) items[i].setAttribute('aria-current', 'step');
      else items[i].removeAttribute('aria-current');
    });
    this.texts = texts;
    const told = texts.length ? `step ${k + 1} of ${texts.length}: ${texts[k]}` : '';
    if (this.now.textContent !== told) this.now.textContent = told;
  }
}
