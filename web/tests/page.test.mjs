// SPDX-License-Identifier: MIT
// The page as a user meets it, in a real Chromium: the keyboard, a screen
// reader, an input method, END and a reload. What every engine must show
// alike (the form, the compute, the messages, reset, printing) is in
// engines.mjs, run in each.
import { expect, test } from '@playwright/test';
import { launchOptions } from './browser.mjs';
import { contrast, phoneFaults } from './looks.mjs';
import {
  TWIPS_PER_PIXEL,
  control,
  expected,
  layout,
  open,
  pixel,
  printed,
  screenshot,
  type,
  vectorsDrawn,
  worked,
} from './support.mjs';

test.beforeEach(async ({ page }) => {
  await open(page);
});

test('the tab chain follows the layout and lets the focus leave the page', async ({ page }) => {
  const focused = () => page.evaluate(() => document.activeElement?.id ?? '');
  const chain = async (count) => {
    const ids = [await focused()];
    for (let i = 0; i < count; ++i) {
      await page.keyboard.press('Tab');
      ids.push(await focused());
    }
    return ids;
  };
  const byTab = layout.controls.filter((c) => c.tab >= 0).sort((a, b) => a.tab - b.tab);
  const visibleAtStart = byTab.filter((c) => c.visible).map((c) => c.name);
  // After the form, the lens tool's button; then out of the page.
  expect(await chain(visibleAtStart.length + 1)).toEqual([...visibleAtStart, 'lens-open', '']);

  await type(page, worked);
  await page.locator('#Command1').click();
  const all = byTab.map((c) => c.name);
  await page.locator(`#${all[0]}`).focus();
  expect(await chain(all.length + 1)).toEqual([...all, 'lens-open', '']);
});

test('Enter and Escape in a field do nothing; Space and Enter press a focused button', async ({ page }) => {
  await type(page, worked);
  for (let n = 1; n <= 4; ++n) {
    await page.locator(`#Text${n}`).press('Enter');
    await page.locator(`#Text${n}`).press('Escape');
  }
  await expect(page.locator('#Label6')).toHaveText('');
  await expect(page.getByRole('dialog')).toBeHidden();
  await page.locator('#Command1').focus();
  await page.keyboard.press('Enter');
  await expect(page.locator('#Label6')).toHaveText(expected(worked).text);
});

test('the entries and the result speak to a screen reader', async ({ page }) => {
  for (const c of layout.controls.filter((c) => c.kind === 'TextBox'))
    await expect(page.getByRole('textbox', { name: c.accessibleName })).toHaveAttribute('id', c.name);
  await expect(page.getByRole('status')).toHaveAttribute('aria-live', 'polite');
  await expect(page.getByRole('button', { name: control('Command1').caption.trim() })).toBeVisible();
});

test('full-width digits typed through an input method compute as on the desktop', async ({ page }) => {
  const entries = ['３', '０', '４', '９０'];
  for (const [i, text] of entries.entries()) {
    await page.locator(`#Text${i + 1}`).focus();
    await page.keyboard.insertText(text);
  }
  await page.locator('#Command1').click();
  await expect(page.locator('#Label6')).toHaveText(expected(entries).text);
});

test('END in a browser tab ends the calculator with a notice; a reload brings it back', async ({ page }) => {
  await type(page, worked);
  await page.locator('#Command1').click();
  await page.locator('#Command3').click();
  await expect(page.locator('#ended')).toHaveText(layout.endedNotice);
  await expect(page.locator('#Text1')).toHaveCount(0);
  await page.reload();
  await page.locator('html[data-ready="true"]').waitFor();
  await expect(page.locator('#Text1')).toBeFocused();
});

// A shown result belongs to the entries beside it: each way of changing an
// entry's text clears it and its diagram; the next compute shows the result
// of the entries as they now stand.
const edits = {
  typing: [
    'Text1',
    async (field, page) => {
      await field.press('End');
      await page.keyboard.type('5');
    },
  ],
  'a deletion': [
    'Text4',
    async (field) => {
      await field.press('End');
      await field.press('Backspace');
    },
  ],
  'a paste': [
    'Text1',
    async (field, page) => {
      await page.locator('#Text2').selectText();
      await page.keyboard.press('Control+C');
      await field.press('End');
      await page.keyboard.press('Control+V');
    },
  ],
  'an input method, once it commits': [
    'Text1',
    async (field, page) => {
      await field.press('End');
      const cdp = await page.context().newCDPSession(page);
      await cdp.send('Input.imeSetComposition', { text: '５', selectionStart: 1, selectionEnd: 1 });
      // Still being composed: nothing is cleared yet.
      await expect(page.locator('#Label6')).toHaveText(expected(worked).text);
      await cdp.send('Input.insertText', { text: '５' });
    },
  ],
};
const shownResult = (page) =>
  page.evaluate(() => ({
    result: document.getElementById('Label6').textContent,
    lines: [...document.querySelectorAll('#diagram line')].map((l) => l.getAttribute('visibility')),
    letters: ['Label9', 'Label12', 'Label13'].map((id) => !document.getElementById(id).hidden),
    buttons: ['Command2', 'Command3', 'Command4'].map((id) => !document.getElementById(id).hidden),
  }));

for (const [edit, [id, act]] of Object.entries(edits)) {
  test(`${edit} clears the result and the diagram; the next compute shows the new one`, async ({ page }) => {
    await type(page, worked);
    await page.locator('#Command1').click();
    await expect(page.locator('#Label6')).toHaveText(expected(worked).text);
    await act(page.locator(`#${id}`), page);
    const entries = await Promise.all([1, 2, 3, 4].map((n) => page.locator(`#Text${n}`).inputValue()));
    expect(entries).not.toEqual(worked);
    expect(await shownResult(page)).toEqual({
      result: '',
      lines: layout.lines.map(() => 'hidden'),
      letters: [false, false, false],
      buttons: [true, true, true],
    });
    await expect(page.locator(`#${id}`)).toBeFocused();
    await page.locator('#Command1').click();
    await expect(page.locator('#Label6')).toHaveText(expected(entries).text);
  });
}

test('moving the focus, selecting, or typing the old text again brings back or clears nothing', async ({
  page,
}) => {
  await type(page, worked);
  await page.locator('#Command1').click();
  const shown = await shownResult(page);
  await page.keyboard.press('Tab');
  await page.locator('#Text2').click();
  await page.locator('#Text2').selectText();
  expect(await shownResult(page)).toEqual(shown);

  await page.locator('#Text2').press('Backspace');
  await page.keyboard.type(worked[1]);
  await expect(page.locator('#Text2')).toHaveValue(worked[1]);
  expect((await shownResult(page)).result).toBe('');
});

// The worked example in the words an order is written in: C as the right
// eye's is 3.0△ BI with 4.0△ BU, as the left eye's 3.0△ BO with 4.0△ BU;
// split, 2.50△ at 53° for the eye it was measured for, 233° for the other.
test("each eye's words under the form after a result, gone after an edit", async ({ page }) => {
  await type(page, worked);
  await page.locator('#Command1').click();
  const table = page.getByRole('table', { name: '眼ごとのプリズム' });
  expect(
    await table
      .locator('tr')
      .evaluateAll((rows) => rows.map((r) => [...r.cells].map((c) => c.innerText.replace(/\n/g, ' ')))),
  ).toEqual([
    ['', '右眼', '左眼'],
    ['Ｃを右眼に', '3.0△ BI 4.0△ BU', ''],
    ['半分ずつ', '2.50△ Base 53° 1.50△ BI 2.00△ BU', '2.50△ Base 233° 1.50△ BI 2.00△ BD'],
    ['Ｃを左眼に', '', '3.0△ BO 4.0△ BU'],
    ['半分ずつ', '2.50△ Base 233° 1.50△ BO 2.00△ BD', '2.50△ Base 53° 1.50△ BO 2.00△ BU'],
  ]);
  // What a screen reader says of each cell of a split: its reading, that
  // it is the split, and its eye.
  expect(
    await table
      .locator('td[headers]')
      .evaluateAll((tds) =>
        tds
          .filter((td) => td.textContent)
          .map((td) => td.headers.split(' ').map((id) => document.getElementById(id).textContent)),
      ),
  ).toEqual([
    ['Ｃを右眼に', 'Ｃを右眼に', '右眼'],
    ['Ｃを右眼に', '半分ずつ', '右眼'],
    ['Ｃを右眼に', '半分ずつ', '左眼'],
    ['Ｃを左眼に', 'Ｃを左眼に', '左眼'],
    ['Ｃを左眼に', '半分ずつ', '右眼'],
    ['Ｃを左眼に', '半分ずつ', '左眼'],
  ]);
  // Outside the form's rectangle (whose place and size the engine cases check).
  const [form, box] = await Promise.all([page.locator('#form').boundingBox(), table.boundingBox()]);
  expect(box.y).toBeGreaterThanOrEqual(form.y + form.height);
  // Each copy, as the desktop's menu copies it, and said so.
  await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
  const said = page.locator('#eyes [role=status]');
  for (const [caption, copied] of [
    ['結果をコピー', '5.0△ Base 53°'],
    ['右眼の値をコピー', '3.0△ BI、4.0△ BU'],
    ['左眼の値をコピー', '3.0△ BO、4.0△ BU'],
  ]) {
    await page.getByRole('button', { name: caption }).click();
    await expect(said).toHaveText('コピーしました');
    expect(await page.evaluate(() => navigator.clipboard.readText())).toBe(copied);
  }
  // A write the browser refuses is not said to be done.
  const refused = await page.evaluate(async () => {
    let attempt;
    navigator.clipboard.writeText = () => (attempt = Promise.reject(new Error('refused')));
    document.querySelector('#eyes button').click();
    await attempt.catch(() => null); // the page's own answer to the refusal comes first
    return document.querySelector('#eyes [role=status]').textContent;
  });
  expect(refused).toBe('');
  await page.locator('#Text2').press('End');
  await page.keyboard.type('5');
  await expect(table).toHaveCount(0);
});

// A page on plain http (not https, not 127.0.0.1) has no clipboard: it
// computes all the same, with each eye's words and no copies.
test('a browser without a clipboard computes, and shows each eye without copies', async ({
  browser,
  baseURL,
}) => {
  const context = await browser.newContext();
  try {
    await context.addInitScript(() =>
      Object.defineProperty(Navigator.prototype, 'clipboard', { get: () => undefined }),
    );
    const page = await context.newPage();
    await page.goto(baseURL);
    await page.locator('html[data-ready="true"]').waitFor();
    await type(page, worked);
    await page.locator('#Command1').click();
    await expect(page.locator('#Label6')).toHaveText(expected(worked).text);
    await expect(page.getByRole('table', { name: '眼ごとのプリズム' })).toBeVisible();
    await expect(page.locator('#eyes button')).toHaveCount(0);
  } finally {
    await context.close();
  }
});

test('a print after an edit shows the entries with no result and no diagram', async ({ page }) => {
  await type(page, worked);
  await page.locator('#Command1').click();
  const answer = expected(worked);
  const before = printed(await page.pdf({ format: 'A4' }), 96);
  expect(before.text).toContain(answer.text);
  expect(before.text).not.toContain('BI'); // the eyes' table is never printed
  expect(vectorsDrawn(before.png, answer, before.bounds)).toEqual([9, 9, 9]);

  await page.locator('#Text1').press('End');
  await page.keyboard.type('5');
  const after = printed(await page.pdf({ format: 'A4' }), 96);
  expect(after.text).not.toContain(answer.text);
  expect(vectorsDrawn(after.png, answer, after.bounds)).toEqual([0, 0, 0]);
});

// A phone held upright: the form in one column at its own sizes, a thumb's
// target each, nothing off the screen, and still printed as the form. Held
// sideways, a tablet, a desktop: the form at true size.
for (const [width, height, phone] of [
  [320, 640, true],
  [360, 640, true],
  [390, 844, true],
  [844, 390, false],
  [1024, 768, false],
]) {
  test(`at ${width} x ${height}${phone ? ', a phone held upright,' : ''} every control is on the screen`, async ({
    browser,
  }) => {
    const touch = width < 1024;
    const context = await browser.newContext({
      viewport: { width, height },
      isMobile: touch,
      hasTouch: touch,
      deviceScaleFactor: 1,
    });
    const page = await context.newPage();
    try {
      await open(page);
      await type(page, worked);
      await (touch ? page.locator('#Command1').tap() : page.locator('#Command1').click());
      await expect(page.locator('#Label6')).toHaveText(expected(worked).text);
      expect(await page.evaluate(() => [visualViewport.width, visualViewport.scale])).toEqual([width, 1]);
      const form = await page.locator('#form').boundingBox();
      if (!phone) {
        expect([form.width, form.height]).toEqual(
          [layout.width, layout.height].map((t) => t / TWIPS_PER_PIXEL),
        );
        expect(await page.evaluate(() => document.documentElement.scrollWidth)).toBeLessThanOrEqual(width);
        return;
      }
      expect(await page.evaluate(phoneFaults, { layout, target: 44 })).toEqual([]);
      await page.locator('#Text1').fill('');
      await page.locator('#Command1').tap();
      const ok = await page.locator('#message-ok').boundingBox();
      expect(Math.min(ok.width, ok.height)).toBeGreaterThanOrEqual(44);
      await page.locator('#message-ok').tap();
      // The print keeps the form's own layout at true size, 10 mm in.
      const out = printed(await page.pdf({ format: 'A4' }), 96);
      expect(out.bounds.width).toBeCloseTo(layout.width / TWIPS_PER_PIXEL, -1);
      expect(out.bounds.x).toBeCloseTo((10 / 25.4) * 96, -1);
    } finally {
      await context.close();
    }
  });
}

// A desktop window a little wider than the form, so tall that nothing
// scrolls at first; then the page grows taller than the window (as a result
// and the eyes' table under it may), and a classic scrollbar shows: the form
// keeps its layout, and never scrolls sideways.
test("a classic scrollbar never changes the form's layout or pushes it sideways", async ({ browser }) => {
  const scrolling = await browser
    .browserType()
    .launch({ ...launchOptions, ignoreDefaultArgs: ['--hide-scrollbars'] });
  try {
    const page = await scrolling.newPage({ viewport: { width: 665, height: 1000 } });
    await page.goto(test.info().project.use.baseURL);
    await page.locator('html[data-ready="true"]').waitFor();
    const laidOut = () =>
      page.evaluate(() => ({
        compute: JSON.stringify(document.getElementById('Command1').getBoundingClientRect()),
        scrolls: document.documentElement.scrollHeight > innerHeight,
        sideways: document.documentElement.scrollWidth > document.documentElement.clientWidth,
      }));
    const before = await laidOut();
    await page.evaluate(() => {
      const taller = document.createElement('div');
      taller.style.height = '2000px';
      document.body.append(taller);
    });
    expect(await laidOut()).toEqual({ ...before, scrolls: true });
    expect(before).toMatchObject({ scrolls: false, sideways: false });
  } finally {
    await scrolling.close();
  }
});

// Half a pixel is the page's step: a result just too wide for its line, one
// that fits half a pixel smaller, is drawn half a pixel smaller, not more.
test('a text just too wide for its box is drawn one step smaller', async ({ page }) => {
  await type(page, worked);
  await page.locator('#Command1').click();
  await expect(page.locator('#Label6')).toHaveText(expected(worked).text);
  const fitsAtFull = await page.locator('#Label6').evaluate((line) => {
    const full = parseFloat(getComputedStyle(line).fontSize);
    line.style.textAlign = 'left'; // overflow to the right, where it counts
    line.style.fontSize = `${full - 0.5}px`;
    line.style.width = 'max-content';
    line.style.width = `${line.scrollWidth}px`;
    line.style.fontSize = '';
    return line.scrollWidth <= line.clientWidth;
  });
  const full = await page.locator('#Label6').evaluate((line) => parseFloat(getComputedStyle(line).fontSize));
  await page.locator('#Command1').click(); // the same result, fitted again
  await expect
    .poll(() =>
      page
        .locator('#Label6')
        .evaluate((line, full) => parseFloat(getComputedStyle(line).fontSize) - full, full),
    )
    .toBe(-0.5);
  expect(fitsAtFull).toBe(false);
});

test('a long entry is edited at its own size and drawn smaller once left, as on the desktop', async ({
  page,
}) => {
  const field = page.locator('#Text1');
  const size = () => field.evaluate((e) => parseFloat(getComputedStyle(e).fontSize));
  const full = (control('Text1').font.points * 96) / 72;
  await field.fill('1234567.891');
  expect(await size()).toBe(full);
  await page.keyboard.press('Tab');
  expect(await size()).toBeLessThan(full);
  await field.focus();
  expect(await size()).toBe(full);
});

test('the entries ask a touch keyboard for a decimal keypad and change nothing typed', async ({ page }) => {
  for (let n = 1; n <= 4; ++n) {
    const field = page.locator(`#Text${n}`);
    await expect(field).toHaveAttribute('inputmode', 'decimal');
    await expect(field).toHaveAttribute('autocapitalize', 'off');
    await expect(field).toHaveAttribute('autocorrect', 'off');
    await expect(field).toHaveAttribute('spellcheck', 'false');
  }
});

test('a screen reader hears the diagram in words while it is drawn, and nothing stale', async ({ page }) => {
  const diagram = () => page.getByRole('img');
  await expect(diagram()).toHaveCount(0);
  await type(page, worked);
  await page.locator('#Command1').click();
  // As the result line writes C, for each vector, in the core's words.
  await expect(diagram()).toHaveAccessibleName(`A 3.0△ Base 0°、B 4.0△ Base 90°、C ${expected(worked).text}`);
  await page.locator('#Command2').click();
  await expect(diagram()).toHaveCount(0);
  await type(page, ['0', '0', '0', '90']); // no scale: no diagram
  await page.locator('#Command1').click();
  await expect(page.locator('#Label6')).toHaveText(expected(['0', '0', '0', '90']).text);
  await expect(diagram()).toHaveCount(0);
});

for (const scheme of ['light', 'dark']) {
  test(`in a ${scheme} forced-colours theme the diagram keeps three colours at 3:1, the rest takes the theme's`, async ({
    page,
  }) => {
    await page.emulateMedia({ forcedColors: 'active', colorScheme: scheme });
    await type(page, worked);
    await page.locator('#Command1').click();
    const png = await screenshot(page);
    const background = pixel(png, 2, 2);
    // The most contrasting pixel near the middle of each line: a vector's
    // middle, a legend line's middle.
    const answer = expected(worked);
    const middles = [
      ...answer.ends.map((e) => ({
        x: (answer.origin.x + e.x) / 2 / TWIPS_PER_PIXEL,
        y: (answer.origin.y + e.y) / 2 / TWIPS_PER_PIXEL,
      })),
      ...layout.lines
        .filter((l) => l.fixed)
        .map((l) => ({
          x: (l.fixed[0] + l.fixed[2] / 2) / TWIPS_PER_PIXEL,
          y: l.fixed[1] / TWIPS_PER_PIXEL,
        })),
    ];
    const colours = middles.map(({ x, y }) => {
      let best = background;
      for (let j = -2; j <= 2; ++j)
        for (let i = -2; i <= 2; ++i) {
          const p = pixel(png, x + i, y + j);
          if (contrast(p, background) > contrast(best, background)) best = p;
        }
      return best;
    });
    for (const [i, c] of colours.entries())
      expect(contrast(c, background), `${layout.lines[i].name}: ${c}`).toBeGreaterThanOrEqual(3);
    // A, B and C apart, and each legend line in its vector's colour.
    expect(new Set(colours.slice(0, 3).map(String)).size).toBe(3);
    expect(colours.slice(3).map(String)).toEqual(colours.slice(0, 3).map(String));
    // Only the diagram keeps its own colours; captions and entries take the
    // theme's, readable on its background.
    const adjusted = await page.evaluate(() =>
      [...document.querySelectorAll('#form > *')]
        .filter((e) => getComputedStyle(e).forcedColorAdjust === 'none')
        .map((e) => e.id),
    );
    expect(adjusted).toEqual(['diagram']);
    const label5 = control('Label5');
    const [x, y, w, h] = label5.rect.map((t) => t / TWIPS_PER_PIXEL);
    let strongest = 0;
    for (let j = y; j < y + h; ++j)
      for (let i = x; i < x + w; ++i) strongest = Math.max(strongest, contrast(pixel(png, i, j), background));
    expect(strongest).toBeGreaterThanOrEqual(4.5);
  });
}
