// SPDX-License-Identifier: MIT
// The page as a user meets it, in a real Chromium: the form as described,
// the compute, the messages, reset, the keyboard, END.
import { expect, test } from '@playwright/test';
import { TWIPS_PER_PIXEL, bluish, control, count, dark, expected, idOf, layout, open, reddish, screenshot, type, vectorsDrawn, worked } from './support.mjs';

test.beforeEach(async ({ page }) => {
  await open(page);
});

test('every control sits at its rectangle with its caption, in its colours', async ({ page }) => {
  await expect(page).toHaveTitle(layout.programTitle);
  // The buttons and legend letters hidden at start show after a compute.
  await type(page, worked);
  await page.locator('#Command1').click();
  for (const c of layout.controls) {
    const element = page.locator(`#${idOf(c)}`);
    await expect(element, c.name).toBeVisible();
    const box = await element.boundingBox();
    const [left, top, width, height] = c.rect.map((t) => t / TWIPS_PER_PIXEL);
    for (const [got, want] of [[box.x, left], [box.y, top], [box.width, width], [box.height, height]])
      expect(Math.abs(got - want), `${idOf(c)} ${JSON.stringify(box)}`).toBeLessThanOrEqual(1);
    if (c.kind !== 'TextBox' && c.name !== 'Label6') expect(await element.textContent()).toBe(c.caption);
    const style = await element.evaluate((e) => {
      const s = getComputedStyle(e);
      return { color: s.color, backgroundColor: s.backgroundColor, fontSize: s.fontSize, fontWeight: s.fontWeight };
    });
    if (c.text) expect(style.color).toBe(`rgb(${c.text.join(', ')})`);
    if (c.background) expect(style.backgroundColor).toBe(`rgb(${c.background.join(', ')})`);
    const font = c.font.family ? c.font : layout.windowFont;
    expect(style.fontSize, idOf(c)).toBe(`${(font.points * 96) / 72}px`);
    expect(style.fontWeight).toBe(font.bold ? '700' : '400');
  }
});

test('the worked example shows its result and draws A blue, B red, C black', async ({ page }) => {
  const want = expected(worked);
  await type(page, worked);
  await page.locator('#Command1').click();
  await expect(page.locator('#Label6')).toHaveText(want.text);
  for (const id of ['Command2', 'Command3', 'Command4']) await expect(page.locator(`#${id}`)).toBeVisible();

  const png = await screenshot(page);
  // Along each vector, from a tenth of the way to nine tenths: its colour.
  expect(vectorsDrawn(png, want)).toEqual([9, 9, 9]);
  const tests = [bluish, reddish, dark];
  // The filled buttons in their colours, the title on its background.
  for (const c of layout.controls.filter((c) => c.background)) {
    const [x, y, width, height] = c.rect.map((t) => t / TWIPS_PER_PIXEL);
    const area = { x: x + 3, y: y + 3, width: width - 6, height: height - 6 };
    const same = ([r, g, b]) => r === c.background[0] && g === c.background[1] && b === c.background[2];
    expect(count(png, area, same), c.name).toBeGreaterThan((area.width * area.height) / 2);
  }
  // The legend: each line in its colour, beside its letter.
  for (const [i, line] of layout.lines.filter((l) => l.fixed).entries()) {
    const [x, y, width] = line.fixed.map((t) => t / TWIPS_PER_PIXEL);
    expect(count(png, { x: x + 2, y: y - 2, width: width - 4, height: 5 }, tests[i]), line.name).toBeGreaterThan(30);
  }
});

for (const [prism, entries] of [['A', ['', '0', '4', '90']], ['B', ['3', '0', '4', '361']]]) {
  test(`a refused prism ${prism} brings its message and changes nothing else`, async ({ page }) => {
    await type(page, entries);
    await page.locator('#Text4').focus();
    await page.keyboard.press('Tab'); // to the compute button
    await expect(page.locator('#Command1')).toBeFocused();
    await page.keyboard.press('Space');

    const dialog = page.getByRole('dialog');
    await expect(dialog).toBeVisible();
    await expect(dialog.locator('h1')).toHaveText(layout.programTitle);
    await expect(dialog.locator('p')).toHaveText(prism === 'A' ? layout.messageA : layout.messageB);
    await expect(dialog.getByRole('button')).toHaveCount(1);
    await expect(dialog.getByRole('button', { name: 'OK' })).toBeFocused();
    // Modal: the form underneath takes no click.
    expect(await page.evaluate(() => document.querySelector('#message').matches(':modal'))).toBe(true);

    await page.keyboard.press(prism === 'A' ? 'Enter' : 'Escape');
    await expect(dialog).toBeHidden();
    await expect(page.locator('#Command1')).toBeFocused();
    await expect(page.locator('#Label6')).toHaveText('');
    for (const id of ['Command2', 'Command3', 'Command4']) await expect(page.locator(`#${id}`)).toBeHidden();
    for (const [i, text] of entries.entries()) await expect(page.locator(`#Text${i + 1}`)).toHaveValue(text);
  });
}

test('reset clears the entries, the result and the diagram, and keeps the buttons', async ({ page }) => {
  await type(page, worked);
  await page.locator('#Command1').click();
  await page.locator('#Command2').click();
  for (let n = 1; n <= 4; ++n) await expect(page.locator(`#Text${n}`)).toHaveValue('');
  await expect(page.locator('#Label6')).toHaveText('');
  for (const line of layout.lines) await expect(page.locator(`#${line.name}`)).toHaveAttribute('visibility', 'hidden');
  for (const id of ['Label9', 'Label12', 'Label13']) await expect(page.locator(`#${id}`)).toBeHidden();
  for (const id of ['Command2', 'Command3', 'Command4']) await expect(page.locator(`#${id}`)).toBeVisible();
  await expect(page.locator('#Command2')).toBeFocused();
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
  expect(await chain(visibleAtStart.length)).toEqual([...visibleAtStart, '']);

  await type(page, worked);
  await page.locator('#Command1').click();
  const all = byTab.map((c) => c.name);
  await page.locator(`#${all[0]}`).focus();
  expect(await chain(all.length)).toEqual([...all, '']);
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
