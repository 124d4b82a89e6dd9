// SPDX-License-Identifier: MIT
// Figures of the web edition (a benchmark, not a test): the bytes a first
// visit transfers, the time from navigation to the form ready for input and
// to the core ready, on the loopback and on an emulated slow network, each
// against a static copy of the form, with the requests sent before each;
// the lens tool's opening on the slow network; and a compute from click to result
// painted, in headless Chromium against the site served on 127.0.0.1 (the
// slow network also over HTTP/2, as static hosts serve pages, and the same
// line shaped below the browser by shape.mjs, over both); then
// the time to ready in each of the three engines (WebKitGTK's browser needs
// a display: run under xvfb-run).
//
// Usage: node bench.mjs SITE-FOLDER
import { chromium } from '@playwright/test';
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { cpSync, mkdtempSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { shaper } from './shape.mjs';
import { launchOptions } from './tests/browser.mjs';
import { launch } from './tests/drivers.mjs';

const site = process.argv[2] ?? '../build-web/site';
// The site, and beside its page a static copy of the same form: the ready
// page's document with its scripts (and the preloads for them) removed,
// the same style sheet and fonts.
const served = mkdtempSync(join(tmpdir(), 'prism-bench-'));
cpSync(site, served, { recursive: true });
// Served as the tests serve it (HTTP/1.1), and over HTTP/2 as static hosts
// serve pages.
const start = async (...options) => {
  const server = spawn(process.execPath, [
    new URL('serve.mjs', import.meta.url).pathname,
    served,
    '0',
    ...options,
  ]);
  const [line] = await once(server.stdout, 'data');
  return { server, url: String(line).trim() };
};
const { server, url } = await start();
const h2 = await start('--http2');

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

// First visits of the page and of the static copy, alternating, each in a
// fresh context (an empty cache), on the machine's loopback or on an
// emulated slow network (Chromium's own throttling: latency and bytes per
// second both ways): the page to its form ready for input and to its core
// ready, the static copy to the form first painted; the bytes each file
// took on the wire (compressed, as the server sends them) and in memory.
const SLOW = { offline: false, latency: 400, downloadThroughput: 50000, uploadThroughput: 50000 };
async function visits(count, network, base = url) {
  const runs = { ready: [], core: [], still: [], sizes: new Map(), wire: 0, asked: { ready: [], core: [] } };
  const open = async (address, mark) => {
    const context = await browser.newContext({ ignoreHTTPSErrors: true });
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    await cdp.send('Network.enable');
    if (network) await cdp.send('Network.emulateNetworkConditions', network);
    let wire = 0;
    cdp.on('Network.loadingFinished', (e) => (wire += e.encodedDataLength));
    // When each request was asked for, by the wall clock.
    const asked = [];
    cdp.on('Network.requestWillBeSent', (e) => asked.push(e.wallTime * 1000));
    const sizes = new Map();
    page.on('response', async (response) => {
      const body = await response.body().catch(() => Buffer.alloc(0));
      sizes.set(new URL(response.url()).pathname, body.length);
    });
    await page.addInitScript(() =>
      document.addEventListener('DOMContentLoaded', () =>
        requestAnimationFrame(() => performance.mark('static-frame')),
      ),
    );
    await page.goto(address);
    await page.waitForFunction((m) => performance.getEntriesByName(m).length > 0, mark, { timeout: 60000 });
    const { marks, origin } = await page.evaluate(() => ({
      marks: Object.fromEntries(performance.getEntriesByType('mark').map((m) => [m.name, m.startTime])),
      origin: performance.timeOrigin,
    }));
    await context.close();
    // How many requests the browser had sent before a mark: the page itself
    // and every file it asked for by then.
    const before = (mark) => asked.filter((t) => t - origin < marks[mark]).length;
    return { marks, sizes, wire, before };
  };
  for (let i = 0; i < count; ++i) {
    const visit = await open(base, 'prism-core');
    runs.ready.push(visit.marks['prism-ready']);
    runs.core.push(visit.marks['prism-core']);
    runs.asked.ready.push(visit.before('prism-ready'));
    runs.asked.core.push(visit.before('prism-core'));
    runs.sizes = visit.sizes;
    runs.wire = visit.wire;
    runs.still.push((await open(`${base}static.html`, 'static-frame')).marks['static-frame']);
  }
  return runs;
}
const fast = await visits(20);
const slow = await visits(5, SLOW);
const slowHttp2 = await visits(5, SLOW, h2.url);
// The same slow line shaped below the browser (shape.mjs: 200 ms each way,
// 400 kbps toward it), where connections and round trips count as they do
// on a real line.
const shaped = async (served) => {
  const line = await shaper(Number(new URL(served).port));
  const address = new URL(served);
  address.port = String(line.port);
  return { line, address: address.href };
};
const lines = [await shaped(url), await shaped(h2.url)];
const shapedHttp1 = await visits(5, null, lines[0].address);
const shapedHttp2 = await visits(5, null, lines[1].address);
lines.forEach(({ line }) => line.close());

// The lens tool opened on the slow line, after a first visit: from the press
// on its button to its entries shown and its core's WebAssembly arrived (and
// started, where the page marks it); and whether its files were all asked
// for before the first of them arrived (one round), from the browser's own
// timing of each request.
async function lensOpenings(count) {
  const runs = { ready: [], started: [], requests: [], rounds: [] };
  for (let i = 0; i < count; ++i) {
    const context = await browser.newContext({ serviceWorkers: 'block' });
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', SLOW);
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName('prism-core').length > 0, null, {
      timeout: 60000,
    });
    const opened = await page.evaluate(
      () =>
        new Promise((resolve) => {
          const pressed = performance.now();
          document.getElementById('lens-open').click();
          const shown = () => document.getElementById('lens-right-sphere')?.offsetParent;
          const wasm = () =>
            performance.getEntriesByType('resource').find((r) => r.name.endsWith('prism-lens.wasm'));
          const look = () => {
            if (!shown() || !wasm()?.responseEnd) return requestAnimationFrame(look);
            const files = performance
              .getEntriesByType('resource')
              .filter((r) => r.startTime >= pressed && /lens/.test(new URL(r.name).pathname));
            const firstArrived = Math.min(...files.map((r) => r.responseEnd));
            resolve({
              ready: Math.max(performance.now(), wasm().responseEnd) - pressed,
              started: (performance.getEntriesByName('prism-lens-core')[0]?.startTime ?? NaN) - pressed,
              requests: files.length,
              oneRound: files.every((r) => r.startTime < firstArrived),
            });
          };
          look();
        }),
    );
    runs.ready.push(opened.ready);
    runs.started.push(opened.started);
    runs.requests.push(opened.requests);
    runs.rounds.push(opened.oneRound);
    await context.close();
  }
  return runs;
}
const lensOpen = await lensOpenings(5);

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
h2.server.kill();
rmSync(served, { recursive: true, force: true });

const kinds = { font: /\.(woff2?|ttf|otf)$/ };
let total = 0;
let fonts = 0;
const rows = [...fast.sizes].sort((a, b) => b[1] - a[1]);
for (const [path, size] of rows) {
  if (kinds.font.test(path)) fonts += size;
  else total += size;
}
const kb = (n) => `${(n / 1000).toFixed(1)} KB`;
const ms = (xs) => `${median(xs).toFixed(1)} ms`;
const against = (xs, still) => `${(median(xs) / median(still)).toFixed(2)}×`;
console.log('| Measure | Value | Goal |');
console.log('|---|---|---|');
console.log(
  `| first visit, without fonts (${rows.filter(([p]) => !kinds.font.test(p)).length} files) | ${kb(total)} | ≤ 150 KB |`,
);
for (const [path, size] of rows) console.log(`| &nbsp;&nbsp;${path} | ${kb(size)} | |`);
if (fonts) console.log(`| fonts | ${kb(fonts)} | |`);
console.log(`| the same first visit on the wire, compressed, headers included | ${kb(fast.wire)} | |`);
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
for (const [network, runs, goals] of [
  ['loopback', fast, ['≤ 150 ms', '≤ 1.10×', '']],
  ['slow network (400 kbps, 400 ms)', slow, ['', '', '≤ 1.5×']],
  ['slow network over HTTP/2', slowHttp2, ['', '', '≤ 1.5×']],
  ['the slow line shaped below the browser, HTTP/1.1', shapedHttp1, ['', '', '']],
  ['the slow line shaped below the browser, HTTP/2', shapedHttp2, ['', '', '']],
]) {
  const n = runs.ready.length;
  console.log(
    `| ${network}: navigation to the form ready (median of ${n}, p90) | ${ms(runs.ready)} (${p90(runs.ready).toFixed(1)} ms) | ${goals[0]} |`,
  );
  console.log(`| ${network}: navigation to the core ready (median of ${n}) | ${ms(runs.core)} | |`);
  console.log(`| ${network}: the static copy of the same form, to its first paint | ${ms(runs.still)} | |`);
  console.log(
    `| ${network}: form ready against the static copy | ${against(runs.ready, runs.still)} | ${goals[1]} |`,
  );
  console.log(
    `| ${network}: core ready against the static copy | ${against(runs.core, runs.still)} | ${goals[2]} |`,
  );
  console.log(
    `| ${network}: requests sent before the form is ready; before the core is ready (medians) | ${median(runs.asked.ready)}; ${median(runs.asked.core)} | |`,
  );
}
console.log(
  `| the lens tool on the slow network: press to its entries shown and its core's WebAssembly arrived (median of ${lensOpen.ready.length}, p90) | ${ms(lensOpen.ready)} (${p90(lensOpen.ready).toFixed(1)} ms) | |`,
);
if (lensOpen.started.every(Number.isFinite))
  console.log(
    `| the lens tool on the slow network: press to its core started (median) | ${ms(lensOpen.started)} | |`,
  );
console.log(
  `| the lens tool's files (median), all asked for before the first arrived | ${median(lensOpen.requests)}, ${lensOpen.rounds.every(Boolean) ? 'yes' : `no (${lensOpen.rounds.filter((r) => !r).length} of ${lensOpen.rounds.length} not)`} | one round |`,
);
console.log(
  `| compute, click to result laid out (median of ${computes.length}, p90) | ${median(computes).toFixed(2)} ms (${p90(computes).toFixed(2)} ms) | ≤ 5 ms |`,
);
for (const [engine, first, warm] of engines)
  console.log(
    `| ${engine}: navigation to ready, first visit; then median of ${warm.length} (p90) | ${first.toFixed(1)} ms; ${median(warm).toFixed(1)} ms (${p90(warm).toFixed(1)} ms) | |`,
  );
