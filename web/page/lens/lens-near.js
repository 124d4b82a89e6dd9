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
  const { output, buttons, show } = answer('lens-near', words.copyNear, copiedWord);
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
    output,
    buttons,
  );
  return { box, depth, inset, show };
}

// A part that answers in lines (where the wearer reads, the check of a
// finished pair): its `output` (`id`), a line each, and its copy's
// `buttons`; `show` places what the core says of it, or nothing (null) once
// an entry changed, the copy offered where there is something to copy.
export function answer(id, caption, copiedWord) {
  const output = make('output', { id });
  const copy = make('button', { type: 'button', id: `${id}-copy` }, caption);
  const copied = make('span', { role: 'status' });
  let shown = null;
  copy.addEventListener('click', () => copyText(shown.copy, copied, copiedWord));
  return {
    output,
    buttons: make('div', { class: 'lens-buttons' }, copy, copied),
    /** @param {{ lines: string[], copy: string } | null} value */
    show(value) {
      shown = value;
      output.replaceChildren(...(value?.lines ?? []).map((line) => make('span', {}, line)));
      copy.hidden = !value?.copy || !navigator.clipboard?.writeText;
      copied.textContent = '';
    },
  };
}
