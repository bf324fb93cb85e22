// The 8 x 13 bitmap font's cells, made from the browser's monospace font: each character is
// rendered once per colour and scale at the backing store's resolution and thresholded to
// whole pixels, so text is crisp and in its exact colour, as a bitmap font is. At 11 pixels the
// font has the bitmap font's proportions (x-height 6 rows, ascenders 8) and its descenders end
// within the cell's 2 rows below the baseline; at 13 the tails of g, p, q and y fell below it.

export const cellWidth = 8;
export const cellHeight = 13;
// Rows of the cell above the baseline; the rest hold descenders.
export const ascent = 11;
const fontSize = 11;

export class Glyphs {
  constructor() { this.cache = new Map(); }

  /** The cell of character c in colour rgb ([r, g, b], 0..255) at scaleX, scaleY backing-store pixels per pixel. */
  get(c, rgb, scaleX, scaleY) {
    const key = `${c} ${rgb} ${scaleX} ${scaleY}`;
    let glyph = this.cache.get(key);
    if (!glyph) this.cache.set(key, glyph = render(c, rgb, scaleX, scaleY));
    return glyph;
  }
}

function render(c, rgb, scaleX, scaleY) {
  const glyph = document.createElement('canvas');
  glyph.width = Math.max(1, Math.round(cellWidth * scaleX));
  glyph.height = Math.max(1, Math.round(cellHeight * scaleY));
  const ctx = glyph.getContext('2d', {willReadFrequently: true});
  ctx.setTransform(scaleX / scaleY, 0, 0, 1, 0, 0);  // a window stretched unevenly stretches text too
  ctx.font = `${fontSize * scaleY}px monospace`;
  ctx.textBaseline = 'alphabetic';
  ctx.fillStyle = '#fff';
  ctx.fillText(String.fromCharCode(c), 0, ascent * scaleY);
  const image = ctx.getImageData(0, 0, glyph.width, glyph.height), px = image.data;
  for (let i = 0; i < px.length; i += 4) {
    px[i + 3] = px[i + 3] >= 128 ? 255 : 0;
    [px[i], px[i + 1], px[i + 2]] = rgb;
  }
  ctx.putImageData(image, 0, 0);
  return glyph;
}
