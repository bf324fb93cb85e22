// The explanation of the program's method: "Explain" opens it at the first step; an ordered
// list holds the steps in walk order, with the current one marked; "Previous step" and "Next
// step", PageUp and PageDown (which presenters' remotes send), Home and End, or a click on an
// item move the current step; the program draws it over the figure. The steps are the
// program's, computed anew with every frame, so they follow a drag as it happens; the current
// step's number stays, kept below the new count. told() is the sentence a live region says of
// the step, "step K of N: <text>".
import {inTextField} from './keys.js';

export class Explanation {
  constructor(bridge, $) {
    this.bridge = bridge;
    this.events = new EventTarget();  // 'change': the step shown changed by the page's doing
    this.button = $('explain');
    this.panel = $('explanation');
    this.list = $('steps');
    this.previous = $('previous-step');
    this.next = $('next-step');
    this.texts = [];
    this.available = bridge.hasExplanation();
    if (!this.available) return;
    this.button.hidden = false;
    this.button.addEventListener('click', () => this.show(this.step() === null ? 0 : null));
    this.previous.addEventListener('click', () => this.move(-1));
    this.next.addEventListener('click', () => this.move(1));
    document.addEventListener('keydown', (e) => {
      if (this.step() === null || e.ctrlKey || e.metaKey || e.altKey || e.shiftKey || inTextField(e)) return;
      const last = this.texts.length - 1;
      const to = {PageUp: this.step() - 1, PageDown: this.step() + 1, Home: 0, End: last}[e.key];
      if (to === undefined) return;
      e.preventDefault();
      this.go(to);
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
    this.events.dispatchEvent(new Event('change'));
  }
  go(k) {
    if (this.step() === null || k < 0 || k >= this.texts.length || k === this.step()) return;
    this.show(k);
  }
  move(by) { this.go(this.step() + by); }

  /** What a live region says of the step shown: "" while closed. */
  told() {
    const k = this.step();
    return k === null || !this.texts.length ? '' : `step ${k + 1} of ${this.texts.length}: ${this.texts[k]}`;
  }

  /**
   * After a frame: the list and the mark as the program computed them, and the ends marked: no
   * Previous step at the first step, no Next step at the last.
   */
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
    markDisabled(this.previous, k <= 0);
    markDisabled(this.next, k >= texts.length - 1);
  }
}

// aria-disabled rather than disabled: a screen reader says "unavailable", and the button keeps
// the focus when a click has just brought the step to its end.
function markDisabled(button, disabled) {
  if (button.getAttribute('aria-disabled') !== String(disabled)) button.setAttribute('aria-disabled', String(disabled));
}
