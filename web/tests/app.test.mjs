// SPDX-License-Identifier: MIT
// The page as an app: installable, working offline, updated as a whole,
// safe by construction, its captions fitting in the bundled fonts.
import { chromium, expect, test } from '@playwright/test';
import {
  appendFileSync,
  cpSync,
  existsSync,
  mkdtempSync,
  readdirSync,
  readFileSync,
  rmSync,
  statSync,
  writeFileSync,
} from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { support, table } from '../tools/compat.mjs';
import { launchOptions } from './browser.mjs';
import { PNG } from 'pngjs';
import {
  expected,
  layout,
  open,
  pixel,
  rebuildServiceWorker,
  servedCopy,
  site,
  type,
  worked,
} from './support.mjs';

async function computeWorked(page) {
  await type(page, worked);
  await page.locator('#Command1').click();
  await expect(page.locator('#Label6')).toHaveText(expected(worked).text);
}

test('no request leaves the origin, nothing is stored, and the policy is in force', async ({
  page,
  baseURL,
}) => {
  const requests = [];
  page.on('request', (r) => requests.push(r.url()));
  const violations = [];
  page.on('console', (m) => /Content Security Policy/i.test(m.text()) && violations.push(m.text()));
  await open(page);
  await computeWorked(page);
  await page.pdf({ format: 'A4' });
  const origin = new URL(baseURL).origin;
  expect(requests.length).toBeGreaterThan(3);
  for (const url of requests) expect(new URL(url).origin, url).toBe(origin);
  expect(violations).toEqual([]);

  const policy = await page.locator('meta[http-equiv="Content-Security-Policy"]').getAttribute('content');
  expect(policy).toContain("default-src 'self'");
  expect(policy).not.toMatch(/'unsafe-inline'|'unsafe-eval'|\*|https?:/);
  const stored = await page.evaluate(async () => ({
    cookies: document.cookie,
    local: localStorage.length,
    session: sessionStorage.length,
    databases: (await indexedDB.databases()).length,
  }));
  expect(stored).toEqual({ cookies: '', local: 0, session: 0, databases: 0 });
  for (let n = 1; n <= 4; ++n) await expect(page.locator(`#Text${n}`)).toHaveAttribute('autocomplete', 'off');
});

test('every caption fits its box in the bundled stand-in fonts', async ({ page }) => {
  await open(page);
  await computeWorked(page); // the buttons and letters shown
  const ids = await page.evaluate(() =>
    [...document.querySelectorAll('#form > .Label, #form > .CommandButton')]
      .filter((e) => e.textContent)
      .map((e) => e.id),
  );
  const margin = 8;
  for (const id of ids) {
    // The caption alone on the form, in its bundled stand-in, unclipped:
    // no ink may fall outside its box.
    const used = await page.evaluate(async (id) => {
      for (const e of document.querySelectorAll('#form > *')) e.style.opacity = e.id === id ? '' : '0';
      const element = document.getElementById(id);
      const named = getComputedStyle(element).fontFamily.split(',')[0].trim().replace(/"/g, '');
      element.style.fontFamily = `"bundled ${named}"`;
      element.style.overflow = 'visible';
      const style = getComputedStyle(element);
      const faces = await document.fonts.load(
        `${style.fontWeight} ${style.fontSize} "bundled ${named}"`,
        element.textContent,
      );
      return faces.length > 0;
    }, id);
    expect(used, `${id}: a bundled face`).toBe(true);
    const box = await page.locator(`#${id}`).boundingBox();
    const shot = PNG.sync.read(
      await page.screenshot({
        clip: {
          x: box.x - margin,
          y: box.y - margin,
          width: box.width + 2 * margin,
          height: box.height + 2 * margin,
        },
      }),
    );
    const background = pixel(shot, 0, 0);
    // A one-pixel fringe is the antialiasing of synthesised bold at the
    // box's edge, which the box clips; a caption that does not fit reaches
    // further.
    const fringe = 1;
    const inside = (x, y) =>
      x >= margin - fringe &&
      x < margin + box.width + fringe &&
      y >= margin - fringe &&
      y < margin + box.height + fringe;
    let outside = 0;
    for (let y = 0; y < shot.height; ++y)
      for (let x = 0; x < shot.width; ++x)
        if (!inside(x, y) && pixel(shot, x, y).some((c, i) => Math.abs(c - background[i]) > 40)) ++outside;
    expect(outside, `${id}: ink outside its box`).toBe(0);
    await page.evaluate(() => {
      for (const e of document.querySelectorAll('#form > *')) e.style.opacity = '';
    });
  }
});

// END in an installed app's window closes it; where the window stays open
// (home-screen apps on an iPhone or iPad refuse to close) the notice shows,
// as in a tab.
for (const refused of [false, true]) {
  test(`END in an installed app ${refused ? 'whose window stays open shows the notice' : 'closes its window'}`, async ({
    context,
    page,
    baseURL,
  }) => {
    // A headless browser has no installed window: the app's page is told it
    // runs standalone, as in an installed app's window, and is opened the
    // way a launcher opens one, as a window of its own.
    await context.addInitScript((refused) => {
      const real = window.matchMedia.bind(window);
      window.matchMedia = (query) =>
        query.includes('display-mode: standalone')
          ? { matches: true, media: query, addEventListener() {} }
          : real(query);
      if (refused) window.close = () => {};
    }, refused);
    await page.goto('about:blank');
    const [app] = await Promise.all([
      context.waitForEvent('page'),
      page.evaluate((url) => window.open(url), baseURL),
    ]);
    await app.locator('html[data-ready="true"]').waitFor();
    await computeWorked(app);
    if (refused) {
      await app.locator('#Command3').click();
      await expect(app.locator('#ended')).toHaveText(layout.endedNotice);
      return;
    }
    // The click closes the page under the pointer: what counts is that it
    // closes, not how the click's own bookkeeping ends.
    const { x, y, width, height } = await app.locator('#Command3').boundingBox();
    const closed = app.waitForEvent('close');
    await app.mouse.click(x + width / 2, y + height / 2).catch((error) => {
      if (!app.isClosed()) throw error;
    });
    await closed;
  });
}

test('installable, and after one visit it works with no network', async () => {
  const profile = mkdtempSync(join(tmpdir(), 'prism-profile-'));
  let copy, context;
  try {
    copy = await servedCopy();
    // A persistent profile: Chromium counts a fresh context as incognito, never installable.
    context = await chromium.launchPersistentContext(profile, launchOptions);
    const page = context.pages()[0] ?? (await context.newPage());
    await page.goto(copy.url);
    await page.locator('html[data-ready="true"]').waitFor();
    await page.evaluate(() => navigator.serviceWorker.ready);
    await expect.poll(() => page.evaluate(() => !!navigator.serviceWorker.controller)).toBe(true);
    const cdp = await context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    expect(installabilityErrors).toEqual([]);
    const { errors } = await cdp.send('Page.getAppManifest');
    expect(errors).toEqual([]);

    await context.setOffline(true);
    await page.reload();
    await page.locator('html[data-ready="true"]').waitFor();
    await computeWorked(page);
    // Every file of the site is there offline, the fonts included; the
    // source maps, which only a developer's tools ask for, are not kept.
    const { files } = precached(copy.folder);
    const served = readdirSync(copy.folder, { recursive: true }).filter(
      (f) => statSync(join(copy.folder, f)).isFile() && !f.endsWith('.map'),
    );
    expect(files.filter((f) => f !== './').sort()).toEqual(served.filter((f) => f !== 'sw.js').sort());
    for (const file of files)
      expect(await bytes(page, file), file).toBe(onDisk(copy.folder, file === './' ? 'index.html' : file));
  } finally {
    await context?.close();
    copy?.stop();
    rmSync(profile, { recursive: true, force: true });
  }
});

// The files a copy's service worker keeps, and its version, as its sw.js lists them.
const precached = (folder) => {
  const sw = readFileSync(join(folder, 'sw.js'), 'utf8');
  return {
    files: [...sw.matchAll(/^ {2}'([^']+)',$/gm)].map((m) => m[1]),
    version: /VERSION = '(\w+)'/.exec(sw)[1],
  };
};
const bytes = (page, file) =>
  page.evaluate(
    (f) => fetch(f).then(async (r) => [...new Uint8Array(await r.arrayBuffer())].join(',')),
    file,
  );
const onDisk = (folder, file) => [...readFileSync(join(folder, file))].join(',');

// Opens a copy's page and waits until its service worker controls it.
async function openControlled(page, url) {
  await page.goto(url);
  await page.locator('html[data-ready="true"]').waitFor();
  await page.evaluate(() => navigator.serviceWorker.ready);
  await expect.poll(() => page.evaluate(() => !!navigator.serviceWorker.controller)).toBe(true);
}

// Publishes a second build of a copy (`change` alters its files) and has
// `page` look for it, as a page does when it is shown again, until the new
// version's worker has taken over.
async function publish(page, folder, change) {
  change();
  rebuildServiceWorker(folder);
  const { version } = precached(folder);
  await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.update()));
  await expect
    .poll(() =>
      page.evaluate((v) => caches.keys().then((names) => names.some((n) => n.endsWith(` ${v}`))), version),
    )
    .toBe(true);
  await expect
    .poll(() =>
      page.evaluate(async () => {
        const r = await navigator.serviceWorker.getRegistration();
        return !r.installing && !r.waiting;
      }),
    )
    .toBe(true);
}

test('a new version is in use from the next reload; a page left open keeps its own files', async ({
  browser,
}) => {
  const copy = await servedCopy();
  const context = await browser.newContext();
  try {
    // Version 1 in two pages.
    const [first, second] = [await context.newPage(), await context.newPage()];
    await openControlled(first, copy.url);
    await openControlled(second, copy.url);
    const font = 'fonts/pgothic.woff2';
    const oldFont = onDisk(copy.folder, font);

    // Version 2: the page's script and a font changed.
    const marker = '\n// the second version\n';
    await publish(first, copy.folder, () => {
      appendFileSync(join(copy.folder, 'app.js'), marker);
      appendFileSync(join(copy.folder, font), 'the second version');
    });

    // The reloaded page is version 2, every file of it.
    await first.reload();
    await first.locator('html[data-ready="true"]').waitFor();
    for (const file of precached(copy.folder).files.filter((f) => f !== './'))
      expect(await bytes(first, file), file).toBe(onDisk(copy.folder, file));
    await computeWorked(first);

    // The page left open still computes, and a late font request gets
    // version 1's font. The page never reloaded itself.
    await computeWorked(second);
    expect(await bytes(second, font)).toBe(oldFont);
    expect(await second.evaluate(() => fetch('app.js').then((r) => r.text()))).not.toContain(marker);

    // Once it is closed, version 1's files go at the next load.
    await second.close();
    await first.reload();
    await first.locator('html[data-ready="true"]').waitFor();
    const own = await first.evaluate(() => caches.keys());
    expect(own.filter((name) => !name.endsWith(' pages'))).toEqual([
      own.find((n) => n.endsWith(` ${precached(copy.folder).version}`)),
    ]);
  } finally {
    await context.close();
    copy.stop();
  }
});

test('two copies on one host and another app keep their own caches, each copy working offline', async ({
  browser,
}) => {
  const copy = await servedCopy('apps/prism/');
  const folder2 = join(copy.folder, '../prism2');
  cpSync(copy.folder, folder2, { recursive: true });
  const url2 = copy.url.replace('/apps/prism/', '/apps/prism2/');
  const context = await browser.newContext();
  try {
    const [one, two] = [await context.newPage(), await context.newPage()];
    await openControlled(one, copy.url);
    // Another app of the same host, with a cache of its own.
    await one.evaluate(() =>
      caches.open('another app').then((c) => c.put('/another-app', new Response('its own'))),
    );
    await openControlled(two, url2);
    const offlineWorks = async () => {
      await context.setOffline(true);
      for (const page of [one, two]) {
        await page.reload();
        await computeWorked(page);
      }
      expect(await one.evaluate(() => caches.match('/another-app').then((r) => r?.text()))).toBe('its own');
      await context.setOffline(false);
    };
    await offlineWorks();
    // The second copy updated: the first copy and the other app keep theirs.
    await publish(two, folder2, () => appendFileSync(join(folder2, 'app.js'), '\n// the second version\n'));
    await offlineWorks();
  } finally {
    await context.close();
    copy.stop();
  }
});

// Where the browser lacks what the page needs it says so, with the
// versions of the support table, under the program's title; never a blank
// page.
const policyWithout = (html) => html.replace(" 'wasm-unsafe-eval'", '');
const failures = {
  'with scripts off': { javaScriptEnabled: false },
  'when opened from disk': { file: true },
  'where its policy forbids WebAssembly': { copy: policyWithout },
  'where it has no modal dialog': { init: () => delete HTMLDialogElement.prototype.showModal },
};
for (const [when, how] of Object.entries(failures)) {
  test(`the page says what it needs ${when}`, async ({ browser, baseURL }) => {
    const context = await browser.newContext({ javaScriptEnabled: how.javaScriptEnabled ?? true });
    const copy = how.copy && (await servedCopy());
    try {
      if (copy)
        writeFileSync(
          join(copy.folder, 'index.html'),
          how.copy(readFileSync(join(site, 'index.html'), 'utf8')),
        );
      const page = await context.newPage();
      if (how.init) await page.addInitScript(how.init);
      await page.goto(how.file ? pathToFileURL(join(site, 'index.html')).href : (copy?.url ?? baseURL));
      const notice = page.locator('#unavailable');
      await expect(notice).toBeVisible({ timeout: 15000 });
      await expect(notice.locator('p')).toHaveText(layout.unavailableNotice);
      await expect(page).toHaveTitle(layout.programTitle);
      await expect(page.locator('#form')).toBeHidden();
    } finally {
      await context.close();
      copy?.stop();
    }
  });
}

test('a core that does not arrive keeps the form; a compute fetches it again and says when it cannot', async ({
  context,
  page,
  baseURL,
}) => {
  let arrives = false;
  await context.route(/prism(-core)?\.(mjs|wasm)/, (route) => (arrives ? route.continue() : route.abort()));
  await page.goto(baseURL);
  await page.locator('html[data-ready="true"]').waitFor();
  await type(page, worked);
  await page.locator('#Command1').click();
  await expect(page.getByRole('dialog')).toContainText(layout.coreFailedMessage);
  // Nothing waits any more: no waiting text left behind.
  await expect(page.locator('#Label6')).toHaveText('');
  await expect(page.locator('#Label6')).not.toHaveAttribute('aria-busy');
  await page.locator('#message-ok').click();
  for (const [n, text] of worked.entries()) await expect(page.locator(`#Text${n + 1}`)).toHaveValue(text);
  arrives = true;
  await page.locator('#Command1').click();
  await expect(page.locator('#Label6')).toHaveText(expected(worked).text);
});

test('a normal load never shows what the page needs, not for a frame', async ({ page }) => {
  // Looked at on every frame from the first, until the form is ready.
  await page.addInitScript(() => {
    window.unavailableSeen = false;
    const look = () => {
      const notice = document.getElementById('unavailable');
      if (
        notice &&
        getComputedStyle(notice).visibility === 'visible' &&
        getComputedStyle(notice).display !== 'none'
      )
        window.unavailableSeen = true;
      if (document.documentElement.dataset.ready !== 'true') requestAnimationFrame(look);
    };
    requestAnimationFrame(look);
  });
  await open(page);
  expect(await page.evaluate(() => window.unavailableSeen)).toBe(false);
  await expect(page.locator('#unavailable')).toBeHidden();
});

// A press waiting for the core is answered once it has started; an entry
// changed meanwhile forgets it, so that no result shows beside entries it
// was not computed from.
for (const edited of [false, true]) {
  test(`the form is ready before the core has loaded; a compute pressed meanwhile says so and ${edited ? 'an edit forgets it' : 'is answered once it has'}`, async ({
    page,
    baseURL,
  }) => {
    let release;
    const held = new Promise((resolve) => (release = resolve));
    await page.route('**/prism-core.wasm', async (route) => {
      await held;
      await route.continue();
    });
    await page.goto(baseURL);
    await page.locator('html[data-ready="true"]').waitFor();
    await type(page, worked);
    await page.locator('#Command1').click();
    await expect(page.locator('#Label6')).toHaveText(layout.waitingText);
    await expect(page.locator('#Label6')).toHaveAttribute('aria-busy', 'true');
    if (edited) {
      await page.locator('#Text2').press('End');
      await page.keyboard.type('5');
    }
    release();
    await page.waitForFunction(() => performance.getEntriesByName('prism-core').length > 0);
    await expect(page.locator('#Label6')).toHaveText(edited ? '' : expected(worked).text);
    await expect(page.locator('#Label6')).not.toHaveAttribute('aria-busy');
  });
}

test('the support table tells the truth: the README shows it, the site uses each feature, the notice names its versions', async () => {
  const { rows, needed } = support();
  expect(readFileSync(new URL('../../README.md', import.meta.url), 'utf8')).toContain(table());
  // Each token in every shipped file that holds the row's file: the site's
  // own by name, a source in each bundle whose source map names it.
  const bundles = readdirSync(site, { recursive: true })
    .filter((f) => f.endsWith('.map'))
    .map((map) => ({
      file: map.slice(0, -'.map'.length),
      sources: JSON.parse(readFileSync(join(site, map), 'utf8')).sources,
    }));
  const shipped = (file) =>
    existsSync(join(site, file))
      ? [file]
      : bundles.filter((b) => b.sources.some((s) => s.endsWith(`/${file}`))).map((b) => b.file);
  const plain = (text) => text.replace(/\s+/g, '').replaceAll("'", '"');
  for (const row of rows) {
    expect(shipped(row.file), `${row.file} ships`).not.toEqual([]);
    for (const file of shipped(row.file)) {
      const text = readFileSync(join(site, file), 'utf8');
      const found =
        row.token instanceof RegExp ? row.token.test(text) : plain(text).includes(plain(row.token));
      expect(found, `${row.key}: ${row.token} in ${file}`).toBe(true);
    }
  }
  const named = Object.fromEntries(
    [...layout.unavailableNotice.matchAll(/(Chrome|Edge|Firefox|Safari) ([\d.]+)/g)].map((m) => [m[1], m[2]]),
  );
  expect(named).toEqual({
    Chrome: needed.chrome,
    Edge: needed.edge,
    Firefox: needed.firefox,
    Safari: needed.safari,
  });
  expect(needed.safari_ios).toBe(needed.safari);
  // The bundles are built for these very versions: no syntax they lack.
  expect(JSON.parse(readFileSync(new URL('../tools/oldest.json', import.meta.url), 'utf8'))).toEqual(needed);
});
