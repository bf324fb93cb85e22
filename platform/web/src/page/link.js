// The figure as a link: "v1/<program>/<x>,<y>/.../<cursor x>,<cursor y>", every point of the
// figure in store order, then the cursor; with the explanation open, "v2/" and the same fields,
// then "step/<K>", the step shown counted from 1; with the map on, "v3/" and the fields of v1, the
// step where the explanation is open, then "map". What a version means never changes; a later
// format gets a version of its own.

/** The shortest decimal that reads back to the same float, so a link loses nothing. */
export function shortest(f) {
  if (Object.is(f, -0)) return '-0';
  for (let digits = 1; digits < 9; ++digits) {
    const text = String(Number(f.toPrecision(digits)));
    if (Math.fround(Number(text)) === f) return text;
  }
  return String(Number(f.toPrecision(9)));
}

/** The link of a figure's state, with the explanation at step (from 0) unless step is null, and the map if map. */
export function linkOf(program, state, step = null, map = false) {
  const parts = [map ? 'v3' : step === null ? 'v1' : 'v2', program];
  for (let i = 0; i < state.length; i += 2) parts.push(`${shortest(state[i])},${shortest(state[i + 1])}`);
  if (step !== null) parts.push('step', String(step + 1));
  if (map) parts.push('map');
  return parts.join('/');
}

const decimal = /^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$/;
const stepNumber = /^[1-9]\d*$/;

function takeStep(parts) {
  const [word, number] = parts.splice(-2, 2);
  if (word !== 'step' || !stepNumber.test(number || '')) return null;
  return Math.min(Number(number), 2 ** 31 - 1) - 1;
}

/**
 * What a link opens for a figure of `pairs` points and cursor: {state, step, map}, step from 0 or
 * null for the explanation closed, map true for the map on; null if it is no link to this
 * program's figure.
 */
export function parseLink(program, pairs, link) {
  const parts = link.split('/');
  let step = null, map = false;
  if (parts[0] === 'v2') {
    step = takeStep(parts);
    if (step === null) return null;
  } else if (parts[0] === 'v3') {
    if (parts.pop() !== 'map') return null;
    // v1's fields, then "step/<K>" or nothing: a pair has a comma, "step" has none.
    if (parts.length >= 2 && parts[parts.length - 2] === 'step') {
      step = takeStep(parts);
      if (step === null) return null;
    }
    map = true;
  } else if (parts[0] !== 'v1') {
    return null;
  }
  if (parts[1] !== program || parts.length !== pairs + 2) return null;
  const state = [];
  for (const part of parts.slice(2)) {
    const xy = part.split(',');
    if (xy.length !== 2 || !xy.every((text) => decimal.test(text))) return null;
    state.push(...xy.map((text) => Math.fround(Number(text))));
  }
  return state.every(Number.isFinite) ? {state, step, map} : null;
}
