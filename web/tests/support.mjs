// SPDX-License-Identifier: MIT
// What the browser tests share: the form's description and the core's own
// answers, read from the Node build of the same module (never copied into a
// test), and looking at pixels of a screenshot.
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { PNG } from 'pngjs';

const site = resolve(process.env.PRISM_SITE ?? new URL('../../build-web/site', import.meta.url).pathname);
const modulePath = process.env.PRISM_NODE_MODULE ?? resolve(site, '../node/prism-core-node.cjs');

export const TWIPS_PER_PIXEL = 15;
const core = await createRequire(import.meta.url)(modulePath)();
export const layout = JSON.parse(core.ccall('prism_form_json', 'string', [], []));

export function control(name, index = -1) {
  return layout.controls.find((c) => c.name === name && c.index === index);
}

// The element id the page gives a control.
export const idOf = (c) => (c.index >= 0 ? `${c.name}-${c.index}` : c.name);

// The core's own answer to four entries: what the page must show.
export function expected(entries) {
  const outcome = core.ccall('prism_compute', 'number', ['string', 'string', 'string', 'string'], entries);
  const number = (name, ...args) => core.ccall(name, 'number', args.map(() => 'number'), args);
  return {
    outcome,
    text: core.ccall('prism_result_text', 'string', [], []),
    scaled: number('prism_has_scale') === 1,
    origin: { x: number('prism_origin_x'), y: number('prism_origin_y') },
    ends: [0, 1, 2].map((i) => ({ x: number('prism_end_x', i), y: number('prism_end_y', i) })),
  };
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
