// Which key presses the figure may take. In a text field the keys are the field's: PageUp and
// PageDown scroll its text, Home and End move its caret, Ctrl+Z undoes its own typing.

const textTypes = new Set(['text', 'search', 'url', 'tel', 'email', 'password', 'number']);

/** Whether the key press `e` was made with the focus in a text field. */
export function inTextField(e) {
  const target = e.target;
  if (!(target instanceof Element)) return false;
  if (target.isContentEditable || target.tagName === 'TEXTAREA') return true;
  return target.tagName === 'INPUT' && textTypes.has(target.type);
}
