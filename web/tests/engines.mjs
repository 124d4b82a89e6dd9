// SPDX-License-Identifier: MIT
// The page in one browser engine; the same cases in each of the three its
// users run (drivers.mjs): `node engines.mjs chromium|firefox|webkit`, one
// browser start per run. Each run also grabs the desktop window after the
// same entries (PRISM_DESKTOP_FORM) and compares the page with it. Chromium's
// run writes each caption's ink to PRISM_ENGINE_REFERENCE; the other runs
// compare their captions with it.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { PNG } from 'pngjs';
import { VIEWPORT, launch } from './drivers.mjs';
import { contrast, differing, inkOf, lineStartsInPage, near, phoneFaults, pixels } from './looks.mjs';
import {
  TWIPS_PER_PIXEL,
  control,
  expected,
  layout,
  pixel,
  printed,
  serve,
  site,
  vectorsDrawn,
  worked,
} from './support.mjs';

const engine = process.argv[2];
const reference = process.env.PRISM_ENGINE_REFERENCE;
const INCH = 96; // CSS pixels, and the dots per inch printed pages are rendered at
const [formWidth, formHeight] = pixels([layout.width, layout.height]);

let browser;
let server;
let desktop; // { png, lines }: the desktop window after the worked example

before(async () => {
  server = await serve(site);
  browser = await launch(engine);
  desktop = grabDesktop(worked);
  console.log(`# ${engine} ${browser.version}`);
});
after(async () => {
  await browser?.close();
  server?.stop();
});

// The desktop window after `entries`, grabbed by the program's own code.
function grabDesktop(entries) {
  const folder = mkdtempSync(join(tmpdir(), 'prism-desktop-'));
  const file = join(folder, 'form.png');
  const env = { ...process.env, QT_QPA_PLATFORM: 'offscreen', LANG: 'C.UTF-8' };
  delete env.LC_ALL;
  const run = spawnSync(process.env.PRISM_DESKTOP_FORM, [file, ...entries], { env, encoding: 'utf8' });
  assert.equal(run.status, 0, `the desktop window: ${run.stderr || run.error}`);
  const png = PNG.sync.read(readFileSync(file));
  rmSync(folder, { recursive: true, force: true });
  return { png, ...JSON.parse(run.stdout) };
}

const $ = (id) => `#${id}`;
const visible = (id) => browser.evaluate((id) => !document.getElementById(id)?.closest('[hidden]'), id);

// Polls the page until fn(arg) is true (or a value), for up to 5 s.
async function until(fn, arg, what) {
  for (let i = 0; i < 200; ++i) {
    const value = await browser.evaluate(fn, arg);
    if (value) return value;
    await new Promise((r) => setTimeout(r, 25));
  }
  assert.fail(`waited in vain: ${what}`);
}

async function enter(entries) {
  for (const [i, text] of entries.entries()) await browser.type($(`Text${i + 1}`), text);
}

// The worked example entered and computed, its result on the form.
async function computeWorked() {
  await browser.goto(server.url);
  await enter(worked);
  await browser.click($('Command1'));
  const text = expected(worked).text;
  await until((t) => document.getElementById('Label6').textContent === t, text, 'the result');
}

// The page after the worked example, as a picture.
async function workedScreenshot() {
  await computeWorked();
  return PNG.sync.read(await browser.screenshot());
}

const captioned = layout.controls.filter((c) => c.caption && c.kind !== 'TextBox');
const fontOf = (c) => (c.font.family ? c.font : layout.windowFont);

test('every control sits at its rectangle with its caption, in its size and weight', async () => {
  await computeWorked(); // the buttons and letters hidden at start now show
  const found = await browser.evaluate(
    (ids) =>
      ids.map((id) => {
        const e = document.getElementById(id);
        const r = e.getBoundingClientRect();
        const s = getComputedStyle(e);
        return {
          id,
          box: [r.x, r.y, r.width, r.height],
          caption: e.textContent,
          size: s.fontSize,
          bold: e.classList.contains('bold'),
          stroke: parseFloat(s.webkitTextStrokeWidth) || 0,
          hidden: !!e.closest('[hidden]'),
        };
      }),
    layout.controls.map((c) => c.id),
  );
  for (const [i, c] of layout.controls.entries()) {
    const got = found[i];
    assert.equal(got.hidden, false, `${got.id} shows`);
    c.rect.forEach((t, k) =>
      assert.ok(Math.abs(got.box[k] - t / TWIPS_PER_PIXEL) <= 1, `${got.id}: ${got.box} for ${c.rect}`),
    );
    if (c.kind !== 'TextBox' && c.name !== 'Label6') assert.equal(got.caption, c.caption, got.id);
    assert.equal(got.size, `${(fontOf(c).points * 96) / 72}px`, got.id);
    // Bold: the outline widened by a 24th of the size; regular: not at all.
    const px = (fontOf(c).points * 96) / 72;
    assert.ok(
      Math.abs(got.stroke - (fontOf(c).bold ? px / 24 : 0)) < 0.02,
      `${got.id}: stroke ${got.stroke}`,
    );
  }
});

test('the worked example: its result, and A, B and C drawn where the geometry puts them', async () => {
  const png = await workedScreenshot();
  const answer = expected(worked);
  // A = 3 at 0°, B = 4 at 90°, C = A + B = 5: the longest, C, is drawn 1800
  // twips long, so one prism dioptre is 360 twips; y grows downward.
  const unit = 1800 / 5;
  const want = [
    [3, 0],
    [0, 4],
    [3, 4],
  ].map(([x, y]) => ({ x: answer.origin.x + unit * x, y: answer.origin.y - unit * y }));
  const drawn = await browser.evaluate(() =>
    ['Line1', 'Line2', 'Line3'].map((id) => {
      const l = document.getElementById(id);
      return {
        x1: +l.getAttribute('x1'),
        y1: +l.getAttribute('y1'),
        x: +l.getAttribute('x2'),
        y: +l.getAttribute('y2'),
      };
    }),
  );
  drawn.forEach((line, i) => {
    assert.ok(
      Math.abs(line.x - want[i].x) < 1 && Math.abs(line.y - want[i].y) < 1,
      `Line${i + 1} ends at ${line.x}, ${line.y}`,
    );
    assert.deepEqual([line.x1, line.y1], [answer.origin.x, answer.origin.y]);
  });
  assert.deepEqual(vectorsDrawn(png, { origin: answer.origin, ends: want }), [9, 9, 9]);
  for (const id of ['Command2', 'Command3', 'Command4']) assert.ok(await visible(id), id);
});

for (const [prism, entries, key] of [
  ['A', ['', '0', '4', '90'], 'Enter'],
  ['B', ['3', '0', '4', '361'], 'Escape'],
]) {
  test(`a refused prism ${prism} brings its message; ${key} closes it and the focus returns`, async () => {
    await browser.goto(server.url);
    await enter(entries);
    await browser.press('Tab'); // from Text4 to the compute button
    assert.equal(await browser.evaluate(() => document.activeElement.id), 'Command1');
    await browser.press('Space');
    const message = await until(
      () => {
        const d = document.getElementById('message');
        return (
          d.open && {
            title: d.querySelector('h1').textContent,
            text: d.querySelector('p').textContent,
            buttons: d.querySelectorAll('button').length,
            focus: document.activeElement.id,
            modal: d.matches(':modal'),
          }
        );
      },
      null,
      'the message',
    );
    assert.deepEqual(message, {
      title: layout.programTitle,
      text: prism === 'A' ? layout.messageA : layout.messageB,
      buttons: 1,
      focus: 'message-ok',
      modal: true,
    });
    await browser.press(key);
    await until(() => !document.getElementById('message').open, null, 'the message closes');
    assert.equal(await browser.evaluate(() => document.activeElement.id), 'Command1');
    assert.equal(await browser.evaluate(() => document.getElementById('Label6').textContent), '');
    for (const id of ['Command2', 'Command3', 'Command4']) assert.equal(await visible(id), false, id);
  });
}

test('reset clears the entries, the result and the diagram, and keeps the buttons', async () => {
  await computeWorked();
  await browser.click($('Command2'));
  const after = await browser.evaluate(() => ({
    entries: [1, 2, 3, 4].map((n) => document.getElementById(`Text${n}`).value),
    result: document.getElementById('Label6').textContent,
    lines: [...document.querySelectorAll('#diagram line')].map((l) => l.getAttribute('visibility')),
    letters: ['Label9', 'Label12', 'Label13'].map((id) => document.getElementById(id).hidden),
    buttons: ['Command2', 'Command3', 'Command4'].map((id) => document.getElementById(id).hidden),
  }));
  assert.deepEqual(after, {
    entries: ['', '', '', ''],
    result: '',
    lines: layout.lines.map(() => 'hidden'),
    letters: [true, true, true],
    buttons: [false, false, false],
  });
});

test('a result wider than its line is drawn smaller, every digit inside the line', async () => {
  const entries = ['1e20', '0', '0', '0'];
  await browser.goto(server.url);
  await enter(entries);
  await browser.click($('Command1'));
  const text = expected(entries).text;
  await until((t) => document.getElementById('Label6').textContent === t, text, 'the result');
  const { line, ink, halfPixelMoreFits } = await browser.evaluate(() => {
    const label = document.getElementById('Label6');
    const range = document.createRange();
    range.selectNodeContents(label);
    const box = (r) => ({ left: r.left, right: r.right });
    const shown = { line: box(label.getBoundingClientRect()), ink: box(range.getBoundingClientRect()) };
    // The largest size that fits: half a pixel more (the page's step) does not.
    const size = label.style.fontSize;
    label.style.fontSize = `${parseFloat(getComputedStyle(label).fontSize) + 0.5}px`;
    const halfPixelMoreFits = label.scrollWidth <= label.clientWidth;
    label.style.fontSize = size;
    return { ...shown, halfPixelMoreFits };
  });
  assert.ok(text.startsWith('100000000000000000000.0'), text);
  assert.equal(halfPixelMoreFits, false);
  assert.ok(
    ink.left >= line.left && ink.right <= line.right,
    `the text spans ${JSON.stringify(ink)} in ${JSON.stringify(line)}`,
  );
});

// The lens tool beside the worked example's result: the worked lens in the
// right eye (S -3.00, C -2.00, AX 30, the centre 5 mm in and 2 mm up, 1.00△
// base out wanted), computed with Enter, as an order writes it; its prism
// put into B's entries, an edit that clears the composer's result.
test('the lens tool: the worked lens in the right eye, its prism put into B', async () => {
  await computeWorked();
  // Once painted: the section has moved below the eyes' table.
  await browser.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  await browser.click($('lens-open'));
  await until(() => !!document.getElementById('lens-right-sphere'), null, 'the lens tool');
  for (const [field, text] of Object.entries({ sphere: '-3', cylinder: '-2', axis: '30' }))
    await browser.type($(`lens-right-${field}`), text);
  for (const [field, text] of Object.entries({ 'centre-x': '5', 'centre-y': '2', 'prism-x': '1' }))
    await browser.type($(`lens-right-${field}`), text);
  await browser.evaluate(() => {
    const base = document.getElementById('lens-right-prism-x-way');
    base.selectedIndex = 1; // BO
    base.dispatchEvent(new Event('input', { bubbles: true }));
    document.getElementById('lens-right-prism-x').focus();
  });
  await browser.press('Enter');
  const shown = await until(
    () =>
      document.getElementById('lens-right-offset').textContent &&
      [...document.querySelectorAll('.lens-eye output')].map((o) => o.textContent),
    null,
    'the lens results',
  );
  assert.deepEqual(shown, ['1.58△ BO、0.47△ BD（1.64△ Base 196°）', '3.0 mm 内方、0.6 mm 上方', '', '']);
  await browser.click($('lens-right-into-b'));
  assert.deepEqual(
    await browser.evaluate(() =>
      ['Text3', 'Text4', 'Label6'].map(
        (id) => document.getElementById(id).value ?? document.getElementById(id).textContent,
      ),
    ),
    ['1.64', '196.5', ''],
  );
});

test('typing in any entry after a result clears the result and the diagram', async () => {
  await computeWorked();
  for (const [i, typed] of worked.entries()) {
    const id = `Text${i + 1}`;
    // A point at the end: another text, the same number.
    await browser.type($(id), '.');
    const after = await browser.evaluate(
      (id) => ({
        entry: document.getElementById(id).value,
        result: document.getElementById('Label6').textContent,
        lines: [...document.querySelectorAll('#diagram line')].map((l) => l.getAttribute('visibility')),
      }),
      id,
    );
    assert.deepEqual(after, { entry: `${typed}.`, result: '', lines: layout.lines.map(() => 'hidden') });
    // The next entry is changed after a result again.
    await browser.click($('Command1'));
    await until(() => document.getElementById('Label6').textContent, null, 'a result');
  }
});

test('on a phone held upright the form is one column, on the screen, every target a thumb wide', async (t) => {
  // As narrow as the engine's window goes (WebKitGTK's browser keeps its
  // toolbar's width, about 450 px): narrower than the form, in any case.
  await browser.resize(360, 740);
  try {
    await computeWorked();
    const width = await browser.evaluate(() => document.documentElement.clientWidth);
    t.diagnostic(`at ${width} CSS px`);
    assert.ok(width < formWidth, `${width} px wide`);
    assert.deepEqual(await browser.evaluate(phoneFaults, { layout, target: 44 }), []);
  } finally {
    await browser.resize(VIEWPORT.width, VIEWPORT.height);
  }
});

test('END in a browser tab gives way to the notice, which takes the focus', async () => {
  await computeWorked();
  await browser.click($('Command3'));
  const text = await until(() => document.getElementById('ended')?.textContent, null, 'the notice');
  assert.equal(text, layout.endedNotice);
  assert.equal(await browser.evaluate(() => document.getElementById('Text1')), null);
  assert.equal(await browser.evaluate(() => document.activeElement.id), 'ended');
});

test('the keyboard focus shows as a ring two pixels wide at 3:1, and tints the compute button', async (t) => {
  await browser.goto(server.url);
  const unfocused = PNG.sync.read(await browser.screenshot());
  await browser.press('Tab'); // from Text1, where the form starts
  const entry = PNG.sync.read(await browser.screenshot());
  for (let n = 2; n <= 4; ++n) await browser.press('Tab');
  assert.equal(await browser.evaluate(() => document.activeElement.id), 'Command1');
  const button = PNG.sync.read(await browser.screenshot());
  // Outward from the middle of each side of the control: how many pixels in
  // a row changed from the unfocused look at 3:1 or more.
  const ring = (png, c) => {
    const [x, y, w, h] = pixels(c.rect);
    const sides = [
      [x + w / 2, y, 0, -1],
      [x + w / 2, y + h - 1, 0, 1],
      [x, y + h / 2, -1, 0],
      [x + w - 1, y + h / 2, 1, 0],
    ];
    return sides.map(([sx, sy, dx, dy]) => {
      let run = 0;
      let best = 0;
      for (let i = -2; i <= 5; ++i) {
        const [px, py] = [Math.round(sx + dx * i), Math.round(sy + dy * i)];
        run = contrast(pixel(png, px, py), pixel(unfocused, px, py)) >= 3 ? run + 1 : 0;
        best = Math.max(best, run);
      }
      return best;
    });
  };
  const rings = { Text2: ring(entry, control('Text2')), Command1: ring(button, control('Command1')) };
  t.diagnostic(`ring widths, top bottom left right: ${JSON.stringify(rings)}`);
  for (const [id, sides] of Object.entries(rings))
    for (const width of sides) assert.ok(width >= 2, `${id}: ${sides}`);
  // The tint: the fill seen through the focus colour, as the desktop draws it.
  const c = control('Command1');
  const [x, y, , h] = pixels(c.rect);
  const p = layout.palette;
  const through = (fill, over) => fill.map((v, k) => v + ((over[k] - v) * p.focusAlpha) / 255);
  assert.ok(
    near(pixel(button, x + 6, y + h - 6), through(c.background, p.focus), 4),
    `${pixel(button, x + 6, y + h - 6)}`,
  );
});

test('every caption breaks into lines where the desktop breaks it', async () => {
  await computeWorked();
  assert.deepEqual(await browser.evaluate(lineStartsInPage), desktop.lines);
});

// Points of the form and the colour each must have, from the description:
// the dialog grey in the corners, white fields with their frames, the
// buttons' faces and edges, the title's background, the legend's lines.
function colourSamples() {
  const p = layout.palette;
  const samples = [];
  for (const [x, y] of [
    [2, 2],
    [formWidth - 3, 2],
    [2, formHeight - 3],
    [formWidth - 3, formHeight - 3],
  ])
    samples.push(['form', x, y, p.window]);
  for (const c of layout.controls) {
    const [x, y, w, h] = pixels(c.rect);
    const mid = x + Math.floor(w / 2);
    if (c.kind === 'TextBox')
      samples.push([c.name, x + w - 4, y + h / 2, p.field], [`${c.name} frame`, mid, y, p.frame]);
    else if (c.kind === 'CommandButton' && c.background) {
      samples.push(
        [c.name, x + 6, y + 6, c.background],
        [`${c.name} edge`, mid, y, p.light],
        [`${c.name} edge`, mid, y + 1, p.midlight],
        [`${c.name} edge`, mid, y + h - 2, p.dark],
        [`${c.name} edge`, mid, y + h - 1, p.shadow],
      );
    } else if (c.kind === 'CommandButton') {
      samples.push(
        [`${c.name} frame`, mid, y, p.frame],
        [`${c.name} face`, mid, y + 1, p.buttonTop],
        [`${c.name} face`, mid, y + h - 2, p.buttonBottom],
      );
    } else if (c.background) samples.push([c.name, x + 2, y + 2, c.background]);
  }
  for (const l of layout.lines.filter((l) => l.fixed)) {
    const [x, y, w] = pixels(l.fixed);
    samples.push([l.name, x + w / 2, y - 1, l.colour]);
  }
  return samples;
}

test('the form in its own colours, whatever the system theme', async (t) => {
  const check = (png, theme) => {
    for (const [what, x, y, colour] of colourSamples()) {
      const p = pixel(png, x, y);
      assert.ok(near(p, colour), `${theme}: ${what} at (${x}, ${y}) is ${p}, not ${colour}`);
    }
  };
  check(await workedScreenshot(), browser.theme);
  const dark = () => browser.evaluate(() => matchMedia('(prefers-color-scheme: dark)').matches);
  assert.equal(await dark(), browser.theme === 'dark', `the browser runs in a ${browser.theme} theme`);
  t.diagnostic(`checked in a ${browser.theme} system theme`);
  // A caption's colour is its description's, or the form's text colour.
  const colours = await browser.evaluate(
    (ids) => ids.map((id) => getComputedStyle(document.getElementById(id)).color),
    captioned.map((c) => c.id),
  );
  captioned.forEach((c, i) =>
    assert.equal(colours[i], `rgb(${(c.text ?? layout.palette.text).join(', ')})`, c.id),
  );
  if (!browser.preferDark) return;
  t.diagnostic('and in a dark one');
  await browser.preferDark(true);
  try {
    const png = await workedScreenshot();
    assert.equal(await dark(), true);
    check(png, 'dark');
  } finally {
    await browser.preferDark(false);
  }
});

// Each caption's ink box and ink. The engine's own text rasteriser sets how
// dark every glyph edge is drawn (one engine hints glyphs onto the pixel
// grid, one does not), the same for every caption: that overall weight is
// the median ratio of the regular captions to the reference's, and must not
// fall below 0.8; beyond it, each caption stays within 15 % of the
// reference's ink, so that bold stays as heavy and regular stays regular,
// and within 2 px of its ink box.
function captionInks(png) {
  const covering = layout.controls.filter((c) => c.kind !== 'Label').map((c) => pixels(c.rect));
  return Object.fromEntries(
    captioned.map((c) => {
      const button = c.kind === 'CommandButton';
      return [c.id, inkOf(png, pixels(c.rect), { inset: button ? 4 : 0, covered: button ? [] : covering })];
    }),
  );
}

test(`each caption's ink as ${engine === 'chromium' ? 'the desktop' : 'Chromium'} draws it`, async (t) => {
  const mine = captionInks(await workedScreenshot());
  let theirs;
  if (engine === 'chromium') {
    theirs = captionInks(desktop.png);
    if (reference) writeFileSync(reference, JSON.stringify(mine));
  } else {
    assert.ok(reference, 'PRISM_ENGINE_REFERENCE names the reference run of Chromium');
    theirs = JSON.parse(readFileSync(reference, 'utf8'));
  }
  const ratio = (c) => mine[c.id].ink / theirs[c.id].ink;
  const regular = captioned
    .filter((c) => !fontOf(c).bold)
    .map(ratio)
    .sort((a, b) => a - b);
  const weight =
    (regular[Math.floor((regular.length - 1) / 2)] + regular[Math.ceil((regular.length - 1) / 2)]) / 2;
  t.diagnostic(
    `overall weight ${weight.toFixed(3)}; ${captioned.map((c) => `${c.id} ${ratio(c).toFixed(3)}`).join(', ')}`,
  );
  assert.ok(weight >= 0.8, `text drawn at ${weight.toFixed(3)} of the reference's ink`);
  for (const c of captioned) {
    const [a, b] = [mine[c.id], theirs[c.id]];
    assert.ok(a.box, `${c.id}: no ink`);
    for (const edge of ['left', 'top', 'right', 'bottom'])
      assert.ok(
        Math.abs(a.box[edge] - b.box[edge]) <= 2,
        `${c.id}: ink box ${JSON.stringify(a.box)}, reference ${JSON.stringify(b.box)}`,
      );
    assert.ok(
      Math.abs(ratio(c) / weight - 1) <= 0.15,
      `${c.id}: ink ${a.ink.toFixed(1)}, reference ${b.ink.toFixed(1)}`,
    );
  }
});

test('the form looks as the desktop window does after the same entries', async (t) => {
  const share = differing(await workedScreenshot(), desktop.png, formWidth, formHeight);
  t.diagnostic(`${(share * 100).toFixed(2)} % of the form's pixels differ from the desktop's`);
  assert.ok(share <= 0.05, `${(share * 100).toFixed(2)} % differ`);
});

for (const [format, width] of [
  ['A4', 210],
  ['A5', 148],
]) {
  test(`prints the form alone on one ${format} page, 10 mm in, at true size or scaled to fit`, async (t) => {
    if (!browser.pdf) {
      t.skip(`${engine}'s driver has no print command`);
      return;
    }
    await computeWorked();
    const out = printed(await browser.pdf({ format }), INCH);
    assert.equal(out.pages, 1);
    const mm = (pixels) => (pixels / INCH) * 25.4;
    assert.ok(
      Math.abs(mm(out.bounds.x) - 10) < 1.5 && Math.abs(mm(out.bounds.y) - 10) < 1.5,
      `at ${JSON.stringify(out.bounds)}`,
    );
    // True size (9870 x 6375 twips is 6.85 x 4.43 inches) where it fits,
    // else the page's width less the two insets, in proportion.
    const trueWidth = (layout.width / 1440) * INCH;
    const room = ((width - 20) / 25.4) * INCH;
    if (trueWidth <= room)
      assert.ok(
        Math.abs(out.bounds.width / trueWidth - 1) < 0.01,
        `${out.bounds.width} px wide, not ${trueWidth}`,
      );
    else assert.ok(Math.abs(out.bounds.width / room - 1) < 0.01, `${out.bounds.width} px wide in ${room}`);
    assert.ok(Math.abs(out.bounds.width / out.bounds.height / (layout.width / layout.height) - 1) < 0.01);
    assert.ok(out.text.includes(expected(worked).text), out.text);
    const scale = out.bounds.width / formWidth;
    const answer = expected(worked);
    const at = (p) => ({ x: p.x * scale, y: p.y * scale });
    assert.deepEqual(
      vectorsDrawn(out.png, { origin: at(answer.origin), ends: answer.ends.map(at) }, out.bounds),
      [9, 9, 9],
    );
  });
}
