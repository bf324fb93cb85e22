// A box cut out of a screenshot, for an engine whose screenshots of one element come out
// wrong while those of the whole viewport are right. Reads 8-bit RGB or RGBA PNGs without
// interlacing, as browsers write them.
import {deflateSync, inflateSync} from 'node:zlib';

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

function chunk(tag, data) {
  const length = Buffer.alloc(4), crc = Buffer.alloc(4), body = Buffer.concat([Buffer.from(tag), data]);
  length.writeUInt32BE(data.length);
  crc.writeUInt32BE(crc32(body));
  return Buffer.concat([length, body, crc]);
}

function crc32(bytes) {
  let c = ~0;
  for (const b of bytes) {
    c ^= b;
    for (let k = 0; k < 8; ++k) c = (c >>> 1) ^ (0xedb88320 & -(c & 1));
  }
  return ~c >>> 0;
}

export function crop(png, x, y, width, height) {
  let pos = 8, w, h, step, idat = [];
  while (pos < png.length) {
    const length = png.readUInt32BE(pos), tag = png.toString('latin1', pos + 4, pos + 8);
    const body = png.subarray(pos + 8, pos + 8 + length);
    if (tag === 'IHDR') {
      [w, h] = [body.readUInt32BE(0), body.readUInt32BE(4)];
      if (body[8] !== 8 || (body[9] !== 2 && body[9] !== 6) || body[12]) throw new Error('unsupported PNG');
      step = body[9] === 2 ? 3 : 4;
    } else if (tag === 'IDAT') {
      idat.push(body);
    }
    pos += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(idat)), stride = w * step, rows = [];
  let prev = Buffer.alloc(stride);
  for (let r = 0; r < h; ++r) {  // undo each row's filter: none, sub, up, average or Paeth
    const kind = raw[r * (stride + 1)], row = Buffer.from(raw.subarray(r * (stride + 1) + 1, (r + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const a = i >= step ? row[i - step] : 0, b = prev[i], c = i >= step ? prev[i - step] : 0;
      if (kind === 1) row[i] += a;
      else if (kind === 2) row[i] += b;
      else if (kind === 3) row[i] += (a + b) >> 1;
      else if (kind === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        row[i] += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
    }
    rows.push(row);
    prev = row;
  }
  if (x < 0 || y < 0 || x + width > w || y + height > h) {
    throw new Error(`${width}x${height} at ${x},${y} is not within the ${w}x${h} screenshot`);
  }
  const out = [];
  for (let r = y; r < y + height; ++r) out.push(Buffer.from([0]), rows[r].subarray(x * step, (x + width) * step));
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, step === 3 ? 2 : 6, 0, 0, 0], 8);
  return Buffer.concat([SIGNATURE, chunk('IHDR', header), chunk('IDAT', deflateSync(Buffer.concat(out))),
                        chunk('IEND', Buffer.alloc(0))]);
}
