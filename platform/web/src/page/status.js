// The page's status line: what the page has to tell, a failure included, where a screen reader
// announces it and a test reads it.
export class Status {
  constructor(element) { this.element = element; }
  say(text) { this.element.textContent = text; }
  clear() { this.say(''); }
  /** A step that failed: said on the line, and in the console for whoever looks there. */
  failed(what, error) {
    this.say(`${what}: ${error && error.message ? error.message : error}`);
    console.warn(what, error);
  }
}
