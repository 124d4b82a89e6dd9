// SPDX-License-Identifier: MIT
// What the engine suites measure on a screenshot of the form: each
// caption's ink, how much of two pictures differs, a colour at a point; and,
// in the page, where each caption breaks into lines.
import pixelmatch from 'pixelmatch';
import { PNG } from 'pngjs';
import { TWIPS_PER_PIXEL, pixel } from './support.mjs';

export const pixels = (rect) => rect.map((t) => Math.round(t / TWIPS_PER_PIXEL));

// The caption's ink inside its control: the box of its dark pixels and the
// darkness summed over them (in whole black pixels). Darkness is how far a
// pixel lies below its row's background (the row's commonest colour), so
// a button's shading counts for nothing. A button's frame is left out;
// so are the controls lying over a label (the entries over "△ Base °").
export function inkOf(png, rect, { inset = 0, covered = [] } = {}) {
  const [x, y, w, h] = [rect[0] + inset, rect[1] + inset, rect[2] - 2 * inset, rect[3] - 2 * inset];
  const hidden = (i, j) =>
    covered.some(([cx, cy, cw, ch]) => i >= cx - 1 && i <= cx + cw && j >= cy - 1 && j <= cy + ch);
  let box = null;
  let ink = 0;
  for (let j = y; j < y + h; ++j) {
    const row = [];
    for (let i = x; i < x + w; ++i) if (!hidden(i, j)) row.push([i, pixel(png, i, j)]);
    const counts = new Map();
    for (const [, p] of row) counts.set(p.join(), (counts.get(p.join()) ?? 0) + 1);
    const background = [...counts]
      .reduce((a, b) => (b[1] > a[1] ? b : a), ['', 0])[0]
      .split(',')
      .map(Number);
    for (const [i, p] of row) {
      const darkness = Math.max(0, ...p.map((c, k) => background[k] - c));
      if (darkness > 8) ink += darkness;
      if (darkness > 60)
        box = box
          ? {
              left: Math.min(box.left, i),
              top: Math.min(box.top, j),
              right: Math.max(box.right, i),
              bottom: Math.max(box.bottom, j),
            }
          : { left: i, top: j, right: i, bottom: j };
    }
  }
  return { box, ink: ink / 255 };
}

// The share of the pixels of a w x h area at the top-left of both pictures
// that look different (pixelmatch's measure, antialiased edges counted).
export function differing(a, b, width, height) {
  const area = (png) => {
    const part = new PNG({ width, height });
    PNG.bitblt(png, part, 0, 0, width, height, 0, 0);
    return part.data;
  };
  return (
    pixelmatch(area(a), area(b), null, width, height, { threshold: 0.1, includeAA: true }) / (width * height)
  );
}

// Whether a pixel has a colour, within `tolerance` in every channel.
export const near = (p, colour, tolerance = 3) => p.every((c, k) => Math.abs(c - colour[k]) <= tolerance);

// Runs in the page: for every caption of the form, the index of the first
// character of each line it is drawn on.
export function lineStartsInPage() {
  const starts = {};
  const range = document.createRange();
  for (const element of document.querySelectorAll('#form > .Label, #form > .CommandButton')) {
    if (!element.textContent) continue;
    starts[element.id] = [];
    let top = -Infinity;
    let offset = 0; // of the text node in the caption
    const walker = document.createTreeWalker(element, NodeFilter.SHOW_TEXT);
    for (let text = walker.nextNode(); text; offset += text.length, text = walker.nextNode()) {
      for (let i = 0; i < text.length; ++i) {
        range.setStart(text, i);
        range.setEnd(text, i + 1);
        // The largest box: an engine may add an empty one at the end of the line before.
        const box = [...range.getClientRects()].reduce(
          (a, b) => (b.width * b.height > a.width * a.height ? b : a),
          { width: 0, height: 0 },
        );
        if (box.width * box.height === 0) continue;
        if (box.top > top + box.height / 2) {
          starts[element.id].push(offset + i);
          top = box.top;
        }
      }
    }
  }
  return starts;
}

// WCAG's contrast ratio of two colours.
export function contrast(a, b) {
  const luminance = (c) => {
    const [r, g, bl] = c
      .map((v) => v / 255)
      .map((v) => (v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4));
    return 0.2126 * r + 0.7152 * g + 0.0722 * bl;
  };
  const [l1, l2] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (l1 + 0.05) / (l2 + 0.05);
}

// Runs in the page: what a phone's user would find wrong with the form laid
// out on a narrow screen, after a compute. Every shown control inside the
// screen's width (and the diagram's lines), every entry and button at least `target` CSS pixels
// each way, no caption smaller than the form's own size, no entry's text
// under 16 px (a phone zooms into it), the description's lines in order
// down the column with the eyes' table under the result, and no sideways
// scrolling.
export function phoneFaults({ layout, target }) {
  const faults = [];
  const width = document.documentElement.clientWidth;
  const lines = new Map(); // row -> its extent down the page
  const extend = (row, r) => {
    const line = lines.get(row) ?? { top: Infinity, bottom: -Infinity };
    lines.set(row, { top: Math.min(line.top, r.top), bottom: Math.max(line.bottom, r.bottom) });
  };
  for (const c of layout.controls) {
    const e = document.getElementById(c.id);
    if (!e || e.closest('[hidden]')) continue;
    const r = e.getBoundingClientRect();
    const size = parseFloat(getComputedStyle(e).fontSize);
    const own = ((c.font.family ? c.font : layout.windowFont).points * 96) / 72;
    if (r.left < -0.5 || r.right > width + 0.5)
      faults.push(`${e.id} spans ${r.left}..${r.right} of ${width}`);
    if (c.kind !== 'Label' && (r.width < target || r.height < target))
      faults.push(`${e.id} is ${r.width} x ${r.height}`);
    if (size < own - 0.01 || (c.kind === 'TextBox' && size < 16)) faults.push(`${e.id} drawn at ${size} px`);
    extend(c.row, r);
  }
  // The diagram's drawn lines on the screen too.
  for (const line of document.querySelectorAll('#diagram line[visibility="visible"]')) {
    const r = line.getBoundingClientRect();
    if (r.left < -0.5 || r.right > width + 0.5)
      faults.push(`${line.id} spans ${r.left}..${r.right} of ${width}`);
  }
  const eyes = document.getElementById('eyes');
  if (!eyes.hidden) {
    const r = eyes.getBoundingClientRect();
    if (r.right > width + 0.5) faults.push(`the eyes' table reaches ${r.right} of ${width}`);
    for (const b of eyes.querySelectorAll('button'))
      if (b.offsetWidth < target || b.offsetHeight < target) faults.push(`${b.textContent} is too small`);
    extend(layout.controls.find((c) => c.role === 'result').row + 0.5, r);
  }
  const order = [...lines].sort((a, b) => a[0] - b[0]);
  for (let i = 1; i < order.length; ++i)
    if (order[i][1].top < order[i - 1][1].bottom - 1)
      faults.push(`line ${order[i][0]} starts at ${order[i][1].top}, above line ${order[i - 1][0]}'s end`);
  if (document.documentElement.scrollWidth > width) faults.push('the page scrolls sideways');
  return faults;
}
