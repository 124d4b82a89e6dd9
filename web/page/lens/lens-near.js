// SPDX-License-Identifier: MIT
// Where the wearer reads, through both lenses: the reading point's depth
// and inset, and what the core says of it, line by line; its copy the
// lines a lab order takes.
import { copyText } from '../eyes.js';
import { make } from './lens-eye.js';
import words from './lens-words.js';

/** @param {string} copiedWord  what a copy says once done */
export function lensNear(copiedWord) {
  const entry = (id, name, value = '') => {
    const input = /** @type {HTMLInputElement} */ (
      make('input', { id, type: 'text', inputmode: 'decimal', autocomplete: 'off', 'aria-label': name })
    );
    input.value = value;
    return input;
  };
  const depth = entry('lens-depth', words.depthName, words.depthAtStart);
  const inset = entry('lens-inset', words.insetName);
  const result = make('output', { id: 'lens-near' });
  const copy = make('button', { type: 'button', id: 'lens-near-copy' }, words.copyNear);
  const copied = make('span', { role: 'status' });
  const box = make(
    'fieldset',
    { class: 'lens-near' },
    make('legend', {}, words.nearHeading),
    make(
      'div',
      { class: 'lens-line' },
      make('label', { class: 'lens-entry' }, words.depthLabel, depth),
      make('label', { class: 'lens-entry' }, words.insetLabel, inset),
    ),
    result,
    make('div', { class: 'lens-buttons' }, copy, copied),
  );
  let shown = null;
  copy.addEventListener('click', () => copyText(shown.copy, copied, copiedWord));
  return {
    box,
    depth,
    inset,
    /** What the core says of it, or nothing (null) once an entry changed. @param {{ lines: string[], copy: string } | null} near */
    show(near) {
      shown = near;
      result.replaceChildren(...(near?.lines ?? []).map((line) => make('span', {}, line)));
      copy.hidden = !near?.copy || !navigator.clipboard?.writeText;
      copied.textContent = '';
    },
  };
}
