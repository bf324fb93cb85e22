// The SVG writer: a recorded frame at the designed size, points as circles, segments as lines
// (a gradient where the two ends differ), each label as one <text> in a monospace font
// stretched to its 8-pixel cells. For print, the background is white and what the screen
// shows in white is black.
import {isLabel, segments} from './frame.js';
import {cellWidth} from './glyphs.js';

const num = (x) => String(Math.round(x * 1000) / 1000);
const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

export function drawing(frame, width, height, print) {
  const body = [], defs = [];
  const ink = (color) => (print && color === 'rgb(255,255,255)' ? 'rgb(0,0,0)' : color);
  for (const item of frame) {
    if (isLabel(item)) {
      if (item.text) {
        body.push(`<text x="${item.x}" y="${item.y}" fill="${ink(item.color)}" font-family="monospace" ` +
                  `font-size="13" textLength="${cellWidth * item.text.length}" lengthAdjust="spacingAndGlyphs" ` +
                  `xml:space="preserve">${escape(item.text)}</text>`);
      }
    } else if (item.mode === 0) {
      for (const p of item.vertices) {
        body.push(`<circle cx="${num(p.x)}" cy="${num(p.y)}" r="${num(item.pointSize / 2)}" fill="${ink(p.color)}"/>`);
      }
    } else {
      for (const [a, b] of segments(item)) {
        const ends = ` x1="${num(a.x)}" y1="${num(a.y)}" x2="${num(b.x)}" y2="${num(b.y)}"`;
        let stroke = ink(a.color);
        if (a.color !== b.color) {
          const id = `blend${defs.length}`;
          defs.push(`<linearGradient id="${id}" gradientUnits="userSpaceOnUse"${ends}><stop offset="0" ` +
                    `stop-color="${ink(a.color)}"/><stop offset="1" stop-color="${ink(b.color)}"/></linearGradient>`);
          stroke = `url(#${id})`;
        }
        body.push(`<line${ends} stroke="${stroke}" stroke-width="${num(item.lineWidth)}"/>`);
      }
    }
  }
  return `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}" viewBox="0 0 ${width} ${height}">\n` +
         (defs.length ? `<defs>${defs.join('')}</defs>\n` : '') +
         `<rect width="${width}" height="${height}" fill="${print ? '#fff' : '#000'}"/>\n` +
         body.join('\n') + '\n</svg>\n';
}
