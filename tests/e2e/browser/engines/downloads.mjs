// Downloads caught as files in a folder the browser saves to, for the engines whose
// driver does not hand them over.
import {mkdtemp, readdir, readFile, rm, stat} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';

export const scratch = (prefix) => mkdtemp(join(tmpdir(), prefix));

// The file that appears in dir after click(), once the browser has finished writing it
// (no partial file beside it and its size steady); taken out of dir, so the next is new.
export async function downloaded(dir, click, timeout = 10000) {
  await click();
  const deadline = Date.now() + timeout;
  let last = null;
  for (;;) {
    const names = await readdir(dir);
    const done = names.filter((n) => !/\.(part|download)$/.test(n) && !n.startsWith('.'));
    if (done.length === 1 && names.length === 1) {
      const size = (await stat(join(dir, done[0]))).size;
      if (size > 0 && size === last) {
        const data = await readFile(join(dir, done[0]));
        await rm(join(dir, done[0]));
        return {file: done[0], data};
      }
      last = size;
    }
    if (Date.now() > deadline) throw new Error(`no download in ${dir}: ${names}`);
    await new Promise((done) => setTimeout(done, 100));
  }
}
