// The canvas writer: a recorded frame painted onto the canvas, scaled from window pixels to
// the backing store's. Points (GL_POINTS, 0) are discs of the point size; segments have the
// line width and blend their two colours along their length, as GL's smooth shading does.
import {isLabel, segments} from './frame.js';
import {ascent, cellWidth, fillGlyph} from './glyphs.js';

function paintPrimitive(ctx, item) {
  if (item.mode === 0) {
    for (const p of item.vertices) {
      ctx.fillStyle = p.color;
      ctx.beginPath();
      ctx.arc(p.x, p.y, item.pointSize / 2, 0, 2 * Math.PI);
      ctx.fill();
    }
    return;
  }
  for (const [a, b] of segments(item)) {
    let style = a.color;
    if (a.color !== b.color) {
      style = ctx.createLinearGradient(a.x, a.y, b.x, b.y);
      style.addColorStop(0, a.color);
      style.addColorStop(1, b.color);
    }
    ctx.strokeStyle = style;
    ctx.lineWidth = item.lineWidth;
    ctx.beginPath();
    ctx.moveTo(a.x, a.y);
    ctx.lineTo(b.x, b.y);
    ctx.stroke();
  }
}

// As GL places a bitmap: the cell's baseline on the raster position's row, each character 8
// pixels on from the last. The glyphs are filled on whole backing-store pixels.
function paintLabel(ctx, label, scaleX, scaleY) {
  ctx.save();
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.fillStyle = label.color;
  for (let i = 0; i < label.text.length; ++i) {
    fillGlyph(ctx, label.text.charCodeAt(i), label.x + cellWidth * i, label.y - ascent, scaleX, scaleY);
  }
  ctx.restore();
}

/**
 * Clears to black and paints the frame; `view` is the window's {ctx, width, height, scaleX, scaleY}.
 * An underlay (an image of width x height, one pixel per window pixel) goes under the frame,
 * scaled by nearest neighbour so that each window pixel is a block of whole canvas pixels.
 */
export function paintFrame(view, frame, underlay = null) {
  const {ctx, width, height, scaleX, scaleY} = view;
  ctx.setTransform(scaleX, 0, 0, scaleY, 0, 0);
  ctx.fillStyle = '#000';
  ctx.fillRect(0, 0, width, height);
  if (underlay) {
    ctx.imageSmoothingEnabled = false;
    ctx.drawImage(underlay, 0, 0, width, height);
    ctx.imageSmoothingEnabled = true;
  }
  for (const item of frame) {
    if (isLabel(item)) paintLabel(ctx, item, scaleX, scaleY);
    else paintPrimitive(ctx, item);
  }
}
