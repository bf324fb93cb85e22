// The figure as a link: "v1/<program>/<x>,<y>/.../<cursor x>,<cursor y>", every point of the
// figure in store order, then the cursor. What v1 means never changes; a later format gets a
// version of its own.

/** The shortest decimal that reads back to the same float, so a link loses nothing. */
export function shortest(f) {
  if (Object.is(f, -0)) return '-0';
  for (let digits = 1; digits < 9; ++digits) {
    const text = String(Number(f.toPrecision(digits)));
    if (Math.fround(Number(text)) === f) return text;
  }
  return String(Number(f.toPrecision(9)));
}

export function linkOf(program, state) {
  const parts = ['v1', program];
  for (let i = 0; i < state.length; i += 2) parts.push(`${shortest(state[i])},${shortest(state[i + 1])}`);
  return parts.join('/');
}

const decimal = /^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$/;

/** The state a link gives for a figure of `pairs` points and cursor, or null if it is no link to this program's figure. */
export function stateOf(program, pairs, link) {
  const parts = link.split('/');
  if (parts[0] !== 'v1' || parts[1] !== program || parts.length !== pairs + 2) return null;
  const state = [];
  for (const part of parts.slice(2)) {
    const xy = part.split(',');
    if (xy.length !== 2 || !xy.every((text) => decimal.test(text))) return null;
    state.push(...xy.map((text) => Math.fround(Number(text))));
  }
  return state.every(Number.isFinite) ? state : null;
}
