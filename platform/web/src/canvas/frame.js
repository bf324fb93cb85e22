// The frame record: what the program draws between two swaps, as primitives and labels in
// order. The canvas and the SVG drawing are both written from it.

/** A colour as CSS takes it, from GL's 0..1 components. */
export function cssColor(r, g, b) {
  return `rgb(${Math.round(r * 255)},${Math.round(g * 255)},${Math.round(b * 255)})`;
}

/**
 * The segments of a line primitive: GL_LINES (1) in pairs; GL_LINE_LOOP (2), GL_LINE_STRIP (3)
 * and GL_POLYGON (9, always an outline) from vertex to vertex, the loop and the polygon closed.
 */
export function segments({mode, vertices: v}) {
  const out = [];
  if (mode === 1) {
    for (let j = 0; j + 1 < v.length; j += 2) out.push([v[j], v[j + 1]]);
    return out;
  }
  for (let s = 0; s + 1 < v.length; ++s) out.push([v[s], v[s + 1]]);
  if ((mode === 2 || mode === 9) && v.length > 2) out.push([v[v.length - 1], v[0]]);
  return out;
}

export const isLabel = (item) => item.text !== undefined;

/** Records frames for a window `height` pixels high; positions are kept from the top left. */
export class FrameRecorder {
  constructor(height) {
    this.height = height;
    this.frame = [];  // what the program is drawing
    this.shown = [];  // the frame last swapped in
  }

  clear() { this.frame = []; }

  /** One primitive from x, y, r, g, b per vertex, y from the bottom. */
  draw(mode, data, pointSize, lineWidth) {
    const vertices = [];
    for (let k = 0; k + 4 < data.length; k += 5) {
      vertices.push({x: data[k], y: this.height - data[k + 1], color: cssColor(data[k + 2], data[k + 3], data[k + 4])});
    }
    this.frame.push({mode, vertices, pointSize, lineWidth});
  }

  /**
   * A label from its bitmaps' origin, the whole window pixel (x, y from the bottom) that web_gl.cpp
   * finds for the raster position as GL does; y becomes the row below the baseline, from the top.
   */
  label(x, y, r, g, b) {
    this.frame.push({x: Math.floor(x), y: this.height - Math.floor(y), text: '', color: cssColor(r, g, b),
                     rgb: [r, g, b].map((c) => Math.round(c * 255))});
  }

  /** One character onto the label last started. */
  character(c) {
    const label = this.frame.findLast(isLabel);
    if (label) label.text += String.fromCharCode(c);
  }

  /** The frame drawn becomes the one shown; the next starts from it, as a back buffer would. */
  swap() {
    this.shown = this.frame;
    this.frame = this.shown.slice();
    return this.shown;
  }

  /** The shown frame's labels that drew something, one per line. */
  labelText() { return this.shown.filter((item) => item.text).map((item) => item.text).join('\n'); }
}
