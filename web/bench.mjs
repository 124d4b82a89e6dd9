// SPDX-License-Identifier: MIT
// Figures of the web edition (a benchmark, not a test): the bytes a first
// visit transfers, the time from navigation to the form ready for input, and
// a compute from click to result painted, in headless Chromium against the
// site served on 127.0.0.1; then the time to ready in each of the three
// engines (WebKitGTK's browser needs a display: run under xvfb-run).
//
// Usage: node bench.mjs SITE-FOLDER
import { chromium } from '@playwright/test';
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { cpSync, mkdtempSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launchOptions } from './tests/browser.mjs';
import { launch } from './tests/drivers.mjs';

const site = process.argv[2] ?? '../build-web/site';
// The site, and beside its page a static copy of the same form: the ready
// page's document with its scripts (and the preloads for them) removed,
// the same style sheet and fonts.
const served = mkdtempSync(join(tmpdir(), 'prism-bench-'));
cpSync(site, served, { recursive: true });
const server = spawn(process.execPath, [new URL('serve.mjs', import.meta.url).pathname, served, '0']);
const [line] = await once(server.stdout, 'data');
const url = String(line).trim();

const browser = await chromium.launch(launchOptions);
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const p90 = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length * 0.9)];

{
  const page = await browser.newPage();
  await page.goto(url);
  await page.locator('html[data-ready="true"]').waitFor();
  const html = await page.evaluate(() => {
    for (const e of document.querySelectorAll('script, link[rel="modulepreload"], link[rel="preload"]'))
      e.remove();
    return `<!doctype html>\n${document.documentElement.outerHTML}`;
  });
  writeFileSync(join(served, 'static.html'), html);
  await page.close();
}

// Twenty first visits of each, alternating, each in a fresh context (an
// empty cache): the page to the form ready for input, the static copy to
// the form first painted.
const ready = [];
const still = [];
let bytes = new Map();
for (let i = 0; i < 20; ++i) {
  const context = await browser.newContext();
  const page = await context.newPage();
  const sizes = new Map();
  page.on('response', async (response) => {
    const body = await response.body().catch(() => Buffer.alloc(0));
    sizes.set(new URL(response.url()).pathname, body.length);
  });
  await page.goto(url);
  await page.locator('html[data-ready="true"]').waitFor();
  ready.push(await page.evaluate(() => performance.getEntriesByName('prism-ready')[0].startTime));
  bytes = sizes;
  await context.close();

  // The static copy: the frame that first paints its parsed document (as
  // the page's ready mark is made in the frame that first paints the form).
  const copy = await browser.newContext();
  const staticPage = await copy.newPage();
  await staticPage.addInitScript(() =>
    document.addEventListener('DOMContentLoaded', () =>
      requestAnimationFrame(() => performance.mark('static-frame')),
    ),
  );
  await staticPage.goto(`${url}static.html`);
  await staticPage.waitForFunction(() => performance.getEntriesByName('static-frame').length > 0);
  still.push(await staticPage.evaluate(() => performance.getEntriesByName('static-frame')[0].startTime));
  await copy.close();
}

// Computes: click to the result and the lines set and laid out, ready for the
// next frame (which comes at the display's own pace).
const context = await browser.newContext();
const page = await context.newPage();
await page.goto(url);
await page.locator('html[data-ready="true"]').waitFor();
const computes = await page.evaluate(async () => {
  const times = [];
  const entries = [
    ['3', '0', '4', '90'],
    ['2.25', '45', '1', '45'],
    ['12.75', '247.5', '11.25', '112.5'],
  ];
  for (let i = 0; i < 60; ++i) {
    entries[i % entries.length].forEach((t, n) => (document.getElementById(`Text${n + 1}`).value = t));
    const start = performance.now();
    document.getElementById('Command1').click();
    document.getElementById('Label6').getBoundingClientRect(); // laid out, ready to paint
    times.push(performance.now() - start);
    await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
  }
  return times;
});
await browser.close();

// Each engine: its first visit, then ten more with its caches and the
// service worker warm, as a returning user meets the page.
const engines = [];
for (const engine of ['chromium', 'firefox', 'webkit']) {
  const driven = await launch(engine);
  const times = [];
  for (let i = 0; i < 11; ++i) {
    await driven.goto(url);
    times.push(await driven.evaluate(() => performance.getEntriesByName('prism-ready')[0].startTime));
  }
  engines.push([`${engine} ${driven.version}`, times[0], times.slice(1)]);
  await driven.close();
}
server.kill();
rmSync(served, { recursive: true, force: true });

const kinds = { font: /\.(woff2?|ttf|otf)$/ };
let total = 0;
let fonts = 0;
const rows = [...bytes].sort((a, b) => b[1] - a[1]);
for (const [path, size] of rows) {
  if (kinds.font.test(path)) fonts += size;
  else total += size;
}
const kb = (n) => `${(n / 1000).toFixed(1)} KB`;
console.log('| Measure | Value | Goal |');
console.log('|---|---|---|');
console.log(
  `| first visit, without fonts (${rows.filter(([p]) => !kinds.font.test(p)).length} files) | ${kb(total)} | ≤ 150 KB |`,
);
for (const [path, size] of rows) console.log(`| &nbsp;&nbsp;${path} | ${kb(size)} | |`);
if (fonts) console.log(`| fonts | ${kb(fonts)} | |`);
// What the service worker pre-caches on the first visit: every file of the
// version, fonts and icons included (a machine with the named faces or
// their installed stand-ins never draws with the bundled fonts).
const files = readdirSync(site, { recursive: true }).filter((f) => statSync(join(site, f)).isFile());
const sum = (test) => files.filter(test).reduce((n, f) => n + statSync(join(site, f)).size, 0);
console.log(
  `| bundled fonts (${files.filter((f) => f.endsWith('.woff2')).length} subsets) | ${kb(sum((f) => f.endsWith('.woff2')))} | |`,
);
console.log(
  `| the whole site, as the service worker keeps it (${files.length} files) | ${kb(sum(() => true))} | |`,
);
console.log(
  `| navigation to ready (median of ${ready.length}, p90) | ${median(ready).toFixed(1)} ms (${p90(ready).toFixed(1)} ms) | ≤ 150 ms |`,
);
console.log(
  `| the static copy of the same form, to its first paint (median of ${still.length}) | ${median(still).toFixed(1)} ms | |`,
);
console.log(`| ready against the static copy | ${(median(ready) / median(still)).toFixed(2)}× | ≤ 1.10× |`);
console.log(
  `| compute, click to result laid out (median of ${computes.length}, p90) | ${median(computes).toFixed(2)} ms (${p90(computes).toFixed(2)} ms) | ≤ 5 ms |`,
);
for (const [engine, first, warm] of engines)
  console.log(
    `| ${engine}: navigation to ready, first visit; then median of ${warm.length} (p90) | ${first.toFixed(1)} ms; ${median(warm).toFixed(1)} ms (${p90(warm).toFixed(1)} ms) | |`,
  );
