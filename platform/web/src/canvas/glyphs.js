// The labels' font: GLUT's 8 x 13 bitmap font, bit for bit (font8x13.js). Each font pixel is
// filled as a block of whole backing-store pixels, from the pixel's window position times the
// scale rounded to its successor's, so the bitmap is scaled by nearest neighbour at any device
// pixel ratio and no smoothing softens it.
import {first, glyphs} from './font8x13.js';

export const cellWidth = 8;
export const cellHeight = 13;
// Rows of the cell down to the baseline, the row of the raster position; the rest hold descenders.
export const ascent = 11;

// Each glyph as its runs of ink [row, first column, column past the last], from the font's rows.
const runs = glyphs.map((hex) => {
  const out = [];
  for (let y = 0; y < cellHeight; ++y) {
    const bits = parseInt(hex.slice(2 * y, 2 * y + 2), 16);
    for (let x = 0; x < cellWidth;) {
      if (!(bits & (0x80 >> x))) { ++x; continue; }
      const start = x;
      while (x < cellWidth && bits & (0x80 >> x)) ++x;
      out.push([y, start, x]);
    }
  }
  return out;
});

/** The ink of character code c as runs, or none for a character the font lacks. */
export function glyphRuns(c) { return runs[c - first] || []; }

/**
 * Fills the glyph of character code c with its cell's top left at window pixel (x, y), on a
 * context with the identity transform and scaleX, scaleY backing-store pixels per window pixel.
 * A block is at least one pixel each way, so a figure shown smaller than its window keeps its text.
 */
export function fillGlyph(ctx, c, x, y, scaleX, scaleY) {
  for (const [row, x0, x1] of glyphRuns(c)) {
    const left = Math.round((x + x0) * scaleX), top = Math.round((y + row) * scaleY);
    ctx.fillRect(left, top, Math.max(1, Math.round((x + x1) * scaleX) - left),
                 Math.max(1, Math.round((y + row + 1) * scaleY) - top));
  }
}
