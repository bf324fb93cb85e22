// The address keeps the figure, the explanation's step while it is open and the map while it is
// on: brought up to date
// at the end of a gesture, on a step, or once the figure has rested a moment, never on every
// event. Opening the page, or a new fragment, opens the figure it links to; "Copy link" copies
// the address.
import {linkOf, parseLink} from './link.js';

const restMs = 300;

export class Address {
  /**
   * `explanation` tells its step (from 0, or null while closed) and shows the one a link gives;
   * `answers` (the map) tells whether it is on, and turns it on or off as a link says.
   */
  constructor(bridge, program, status, explanation, answers) {
    this.bridge = bridge;
    this.program = program;
    this.status = status;
    this.explanation = explanation;
    this.answers = answers;
    this.linked = this.linkNow(bridge.readState());
    this.timer = 0;
  }

  linkNow(state) { return linkOf(this.program, state, this.explanation.step(), this.answers.on); }

  /** The address's link made that of the figure as it is now. */
  keep() {
    clearTimeout(this.timer);
    const link = this.linkNow(this.bridge.readState());
    if (link !== this.linked) window.history.replaceState(null, '', `#${link}`);
    this.linked = link;
  }
  keepSoon() {
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.keep(), restMs);
  }
  /** Whether the address is behind the figure, as after a change the program made itself. */
  isBehind(state) { return this.linkNow(state) !== this.linked; }

  /** Opens the figure of the address's fragment, if it has one, and again whenever it changes. */
  follow() {
    this.open(true);
    window.addEventListener('hashchange', () => this.open(false));
  }
  /** Opens the fragment's figure; a fragment that is no link leaves the figure as it was (opening: as it starts). */
  open(opening) {
    const fragment = location.hash.slice(1);
    if (!fragment) return;
    let link = null;
    try {
      link = decodeURIComponent(fragment);
    } catch {
      // Not percent-encoding as it should be, so no link of ours: the message below says so.
    }
    let opened = link === null ? null : parseLink(this.program, this.bridge.pointCount() + 1, link);
    if (opened && opened.map && !this.answers.available) opened = null;  // no map on this page
    if (opened && this.bridge.setState(opened.state)) {
      this.explanation.show(opened.step);
      this.answers.show(opened.map);
      this.linked = link;
      this.status.clear();
    } else if (opening) {
      this.status.say('This link could not be read, so the figure is shown as it starts.');
    } else {
      // The figure stays, and so does the address that keeps it.
      window.history.replaceState(null, '', `#${this.linked}`);
      this.status.say('This link could not be read, so the figure is left as it was.');
    }
  }

  /**
   * Copies the address. Where the browser will not (no clipboard, or it refuses), the address is
   * shown selected for copying by hand.
   */
  async copy(shown) {
    this.keep();
    try {
      if (!navigator.clipboard) throw new Error('the browser gives the page no clipboard');
      await navigator.clipboard.writeText(location.href);
      shown.hidden = true;
      this.status.say('Link copied.');
    } catch (error) {
      shown.value = location.href;
      shown.hidden = false;
      shown.focus();
      shown.select();
      this.status.say(`The link could not be copied (${error.message}): it is selected below, ready to copy.`);
    }
  }
}
