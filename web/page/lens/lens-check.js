// SPDX-License-Identifier: MIT
// The check of a finished pair against its order: what it is for, where its
// order comes from, and what the core says of the pair, line by line; its
// copy all of them, as a lab's complaint or a remake order takes them.
import { copyText } from '../eyes.js';
import { make } from './lens-eye.js';
import words from './lens-words.js';

/** @param {string} copiedWord  what a copy says once done */
export function lensCheck(copiedWord) {
  const result = make('output', { id: 'lens-check' });
  const copy = make('button', { type: 'button', id: 'lens-check-copy' }, words.copyCheck);
  const copied = make('span', { role: 'status' });
  const box = make(
    'fieldset',
    { class: 'lens-check' },
    make('legend', {}, words.checkHeading),
    make('p', {}, words.checkScope),
    make('p', {}, words.checkOrdered),
    result,
    make('div', { class: 'lens-buttons' }, copy, copied),
  );
  let shown = null;
  copy.addEventListener('click', () => copyText(shown.copy, copied, copiedWord));
  return {
    box,
    /** What the core says of the pair, or nothing (null). @param {{ lines: string[], copy: string } | null} check */
    show(check) {
      shown = check;
      result.replaceChildren(...(check?.lines ?? []).map((line) => make('span', {}, line)));
      copy.hidden = !check || !navigator.clipboard?.writeText;
      copied.textContent = '';
    },
  };
}
