// SPDX-License-Identifier: MIT
// Texts drawn as the desktop draws them: a long text small enough to fit
// its box, and a caption's line ends hanging; both again whenever they may
// have changed.
// Every digit visible: a text wider than its box is drawn in the largest
// size, in half pixels, at which it fits while half a pixel more does not,
// down to `smallestScale` of its size; then its beginning shows. Fields
// follow the rule while they are not being edited. (Its twin on the
// desktop: window/fitting.cpp's shrunk().)
const STEPS_PER_PIXEL = 2;
export function fit(element, smallestScale) {
  element.style.fontSize = ''; // the layout's size (form.css)
  if (element === document.activeElement) return;
  const fits = () => element.scrollWidth <= element.clientWidth;
  if (!fits()) {
    const full = parseFloat(getComputedStyle(element).fontSize);
    const smallest = full * smallestScale;
    const fitsAt = (step) => {
      element.style.fontSize = `${step / STEPS_PER_PIXEL}px`;
      return fits();
    };
    // A search between the smallest step and one below the full size that
    // keeps "fits at low" and "does not fit at high + 1".
    let low = Math.ceil(smallest * STEPS_PER_PIXEL);
    let high = Math.ceil(full * STEPS_PER_PIXEL) - 1;
    if (high < low || !fitsAt(low)) {
      element.style.fontSize = `${smallest}px`;
    } else {
      while (low < high) {
        const middle = Math.ceil((low + high) / 2);
        if (fitsAt(middle)) low = middle;
        else high = middle - 1;
      }
      fitsAt(low);
    }
  }
  if (element.scrollLeft) element.scrollLeft = 0;
}

// A caption's ideographic blank at the end of one of its lines hangs
// outside the line, as the desktop draws it: a centred line is centred
// without it. Most engines hang it by themselves, one does not; so the
// blank is set in a box of no width, and the line breaks where it broke.
const IDEOGRAPHIC_SPACE = '\u3000';
export function hangLineEnds(element, caption) {
  element.textContent = caption;
  if (!caption.includes(IDEOGRAPHIC_SPACE)) return;
  const text = element.firstChild;
  const range = document.createRange();
  const starts = [];
  let top = -Infinity;
  for (let i = 0; i < caption.length; ++i) {
    range.setStart(text, i);
    range.setEnd(text, i + 1);
    const box = [...range.getClientRects()].reduce((a, b) => (b.width > a.width ? b : a), new DOMRect());
    if (box.width && box.top > top + box.height / 2) {
      starts.push(i);
      top = box.top;
    }
  }
  const parts = [];
  starts.forEach((start, n) => {
    const line = caption.slice(start, starts[n + 1] ?? caption.length);
    const body = line.replace(/\u3000+$/, '');
    parts.push(body);
    if (body.length < line.length) {
      const hanging = document.createElement('span');
      hanging.className = 'hang';
      hanging.textContent = line.slice(body.length);
      parts.push(hanging);
    }
    if (n + 1 < starts.length) parts.push(document.createElement('br'));
  });
  element.replaceChildren(...parts);
}

// Fitting and line ends again where they may have moved: in the frame that
// first paints the form (where it is laid out anyway), whenever its layout
// changes (a phone turned), and when a bundled font arrives after a text
// was fitted, which changes its width.
export function refitWhenLaidOut(form, refit) {
  document.fonts.addEventListener('loadingdone', refit);
  let width;
  new ResizeObserver(() => {
    if (form.offsetWidth === width) return;
    width = form.offsetWidth;
    refit();
  }).observe(form);
}
