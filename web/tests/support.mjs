// SPDX-License-Identifier: MIT
// What the browser tests share: the form's description and the core's own
// answers, read from the Node build of the same module (never copied into a
// test), and looking at pixels of a screenshot.
import { spawn, spawnSync } from 'node:child_process';
import { once } from 'node:events';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { PNG } from 'pngjs';
import { wrap } from '../core/prism.mjs';

export const site = resolve(
  process.env.PRISM_SITE ?? new URL('../../build-web/site', import.meta.url).pathname,
);
const modulePath = process.env.PRISM_NODE_MODULE ?? resolve(site, '../node/prism-core-node.cjs');

const core = wrap(await createRequire(import.meta.url)(modulePath)());
export const layout = core.form();
export const TWIPS_PER_PIXEL = layout.twipsPerPixel;

export function control(name, index = -1) {
  return layout.controls.find((c) => c.name === name && c.index === index);
}

// The core's own answer to four entries, on a record of its own: what the
// page must show (prism.mjs: Shown), and where the vectors start.
export function expected(entries) {
  const [aPower, aBase, bPower, bBase] = entries;
  const shown = core.compute({ aPower, aBase, bPower, bBase });
  return { ...shown, text: shown.result, origin: layout.diagramOrigin };
}

// Opens the page and waits until the form is ready for input.
export async function open(page) {
  await page.goto('./');
  await page.locator('html[data-ready="true"]').waitFor();
}

// Types the four entries, as a user does.
export async function type(page, entries) {
  for (const [i, text] of entries.entries()) await page.locator(`#Text${i + 1}`).fill(text);
}

export async function screenshot(page) {
  return PNG.sync.read(await page.screenshot());
}

export function pixel(png, x, y) {
  const i = (png.width * Math.round(y) + Math.round(x)) * 4;
  return [png.data[i], png.data[i + 1], png.data[i + 2]];
}

// How many pixels of a rectangle pass a test.
export function count(png, { x, y, width, height }, test) {
  let n = 0;
  for (let j = Math.round(y); j < Math.round(y + height); ++j)
    for (let i = Math.round(x); i < Math.round(x + width); ++i) if (test(pixel(png, i, j))) ++n;
  return n;
}

export const bluish = ([r, g, b]) => b - Math.max(r, g) > 60;
export const reddish = ([r, g, b]) => r - Math.max(g, b) > 80;
export const dark = ([r, g, b]) => r < 90 && g < 90 && b < 90;

// An external program run to its end; its standard output.
export function run(program, args) {
  const r = spawnSync(program, args, { encoding: 'latin1', maxBuffer: 1 << 28 });
  if (r.status !== 0) throw new Error(`${program} ${args.join(' ')}: ${r.stderr || r.error}`);
  return r.stdout;
}

// A printed PDF: its page count, and its first page rendered at `dpi` with
// the bounds of everything printed on it.
export function printed(pdf, dpi) {
  const folder = mkdtempSync(join(tmpdir(), 'prism-print-'));
  const file = join(folder, 'page.pdf');
  writeFileSync(file, pdf);
  const pages = Number(/Pages:\s+(\d+)/.exec(run('pdfinfo', [file]))[1]);
  run('pdftoppm', [
    '-r',
    String(dpi),
    '-f',
    '1',
    '-l',
    '1',
    '-png',
    '-singlefile',
    file,
    join(folder, 'page'),
  ]);
  const png = PNG.sync.read(readFileSync(join(folder, 'page.png')));
  const text = run('pdftotext', ['-layout', file, '-']);
  rmSync(folder, { recursive: true, force: true });
  let [left, top, right, bottom] = [Infinity, Infinity, -1, -1];
  for (let y = 0; y < png.height; ++y)
    for (let x = 0; x < png.width; ++x) {
      const [r, g, b] = pixel(png, x, y);
      if (r < 245 || g < 245 || b < 245) {
        left = Math.min(left, x);
        right = Math.max(right, x);
        top = Math.min(top, y);
        bottom = Math.max(bottom, y);
      }
    }
  return {
    pages,
    png,
    text: Buffer.from(text, 'latin1').toString('utf8'),
    bounds: { x: left, y: top, width: right - left + 1, height: bottom - top + 1 },
  };
}

// A copy of the built site, served on 127.0.0.1 under a path of its own
// (as a static host may put it anywhere): { folder, url, stop() }.
export async function servedCopy(path = 'some/place/prism/') {
  const root = mkdtempSync(join(tmpdir(), 'prism-site-'));
  const folder = join(root, path);
  cpSync(site, folder, { recursive: true });
  const server = await serve(root);
  const stop = () => {
    server.stop();
    rmSync(root, { recursive: true, force: true });
  };
  return { folder, url: `${server.url}${path}`, stop };
}

// A folder served on 127.0.0.1 at a free port: { url, stop() }.
export async function serve(folder) {
  const server = spawn(process.execPath, [new URL('../serve.mjs', import.meta.url).pathname, folder, '0']);
  const [line] = await once(server.stdout, 'data');
  return { url: String(line).trim(), stop: () => server.kill() };
}

// Rebuilds a copied site's service worker after a file changed, as the
// build does.
export function rebuildServiceWorker(folder) {
  const web = new URL('..', import.meta.url).pathname;
  run('cmake', [`-DSITE=${folder}`, `-DTEMPLATE=${web}page/sw.js.in`, '-P', `${web}precache.cmake`]);
}

// The worked example, and the core's answer to it.
export const worked = ['3', '0', '4', '90'];

// How many of nine points along each vector, from a tenth of the way to
// nine tenths, show the vector's colour (A blue, B red, C dark). `offset`
// is where the form's top-left corner lies in the image.
export function vectorsDrawn(png, answer, offset = { x: 0, y: 0 }) {
  const at = (p) => ({ x: offset.x + p.x / TWIPS_PER_PIXEL, y: offset.y + p.y / TWIPS_PER_PIXEL });
  const o = at(answer.origin);
  return [bluish, reddish, dark].map((colour, v) => {
    const e = at(answer.ends[v]);
    let hits = 0;
    for (let i = 1; i < 10; ++i) {
      const p = { x: o.x + ((e.x - o.x) * i) / 10, y: o.y + ((e.y - o.y) * i) / 10 };
      hits += count(png, { x: p.x - 2, y: p.y - 2, width: 5, height: 5 }, colour) > 0 ? 1 : 0;
    }
    return hits;
  });
}
