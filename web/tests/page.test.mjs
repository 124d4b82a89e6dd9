// SPDX-License-Identifier: MIT
// The page as a user meets it, in a real Chromium: the keyboard, a screen
// reader, an input method, END and a reload. What every engine must show
// alike (the form, the compute, the messages, reset, printing) is in
// engines.mjs, run in each.
import { expect, test } from '@playwright/test';
import { control, expected, layout, open, type, worked } from './support.mjs';

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
