// Pointer input, the one state machine for presses, drags and releases on the canvas. A mouse
// acts as on the desktop: its left, middle and right buttons are GLUT's 0, 1 and 2, and a press
// on the canvas keeps the pointer until the last button is released (motion with a button held
// goes to the motion callback even outside the canvas, motion with none to the passive callback
// while over the canvas); a press elsewhere on the page gives the program nothing; the vertical
// wheel gives a press and a release of button 3 (up) or 4 (down), and still scrolls the page. A
// finger or a pen is the left button, and a finger reaches further when it picks. Only the
// primary pointer drives the program, and only one at a time.
//
// `program` takes the events in window pixels: mouse(button, state, x, y), motion(held, x, y)
// and setPickReach(windowPixels). `gesture` hears start() once the first press of a gesture
// has reached the program, and end() once its last release has.

const domBit = [1, 4, 2];  // PointerEvent.buttons bit of the left, middle and right button
const fingerReach = 22;    // CSS pixels: a 24-pixel target, with a little slack

const buttonOf = (e) => (e.pointerType === 'mouse' ? e.button : 0);
const isButton = (b) => b === 0 || b === 1 || b === 2;

export function listenToPointer(view, program, gesture) {
  const canvas = view.canvas;
  let active = null;    // the pointer that pressed on the canvas, until it lets go
  let touching = false; // that pointer is a finger
  let held = 0;         // GLUT buttons that pointer holds, as bits
  let last = [0, 0];    // where that pointer was last seen

  // A button event, with a finger's reach in window pixels while a finger picks.
  function mouse(b, state, [x, y]) {
    if (touching) program.setPickReach(fingerReach * view.pixelsPerCss());
    program.mouse(b, state, x, y);
    if (touching) program.setPickReach(0);
  }
  function letGo() {
    const ended = active !== null;
    active = null;
    touching = false;
    held = 0;
    if (ended) gesture.end();
  }
  function press(e, b) {
    const p = last = view.pixelAt(e);
    const starts = active === null;
    if (starts) {
      active = e.pointerId;
      touching = e.pointerType === 'touch';
      if (e.isTrusted) canvas.setPointerCapture(e.pointerId);  // a synthetic event has no pointer to capture
    }
    held |= 1 << b;
    mouse(b, 0, p);
    if (starts) gesture.start();
  }
  function release(b, p) {
    held &= ~(1 << b);
    mouse(b, 1, p);
    if (!held) letGo();
  }
  function releaseAll(p) {
    for (let b = 0; b < 3; ++b) if (held & (1 << b)) release(b, p);
    letGo();
  }
  const ours = (e) => (active === null ? e.isPrimary : e.pointerId === active);

  canvas.addEventListener('pointerdown', (e) => {
    const b = buttonOf(e);
    if (!ours(e) || !isButton(b) || (held & (1 << b))) return;
    e.preventDefault();
    // A finger has no hover: it arrives where it touches, as a mouse would move there first.
    if (e.pointerType === 'touch' && active === null) program.motion(0, ...view.pixelAt(e));
    press(e, b);
  });
  canvas.addEventListener('pointermove', (e) => {
    if (!ours(e)) return;
    const b = buttonOf(e);
    if (e.pointerType === 'mouse' && isButton(e.button)) {
      // Another mouse button pressed or released while one is held.
      if (e.buttons & domBit[b]) press(e, b);
      else if (held & (1 << b)) release(b, view.pixelAt(e));
      return;
    }
    if (e.buttons === 0 && held) letGo();  // a release the page never saw
    const p = view.pixelAt(e);
    if (held) {
      last = p;
      program.motion(1, ...p);
    } else if (e.buttons === 0 && e.pointerType !== 'touch') {
      program.motion(0, ...p);
    }
  });
  canvas.addEventListener('pointerup', (e) => {
    if (active === null || e.pointerId !== active) return;
    const b = buttonOf(e), p = view.pixelAt(e);
    if (held & (1 << b)) release(b, p);
    releaseAll(p);
  });
  // The browser took the pointer over (or lost it): the program sees a release where it was last.
  canvas.addEventListener('pointercancel', (e) => {
    if (active !== null && e.pointerId === active) releaseAll(last);
  });
  // Passive: the wheel scrolls the page as well.
  canvas.addEventListener('wheel', (e) => {
    if (e.deltaY === 0) return;  // sideways only: no wheel button of GLUT's
    const button = e.deltaY < 0 ? 3 : 4, [x, y] = view.pixelAt(e);
    program.mouse(button, 0, x, y);
    program.mouse(button, 1, x, y);
  }, {passive: true});
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
}
