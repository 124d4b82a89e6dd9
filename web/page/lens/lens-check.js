// SPDX-License-Identifier: MIT
// The check of a finished pair against its order: what it is for, where its
// order comes from, and what the core says of the pair, line by line; its
// copy all of them, as a lab's complaint or a remake order takes them.
import { make } from './lens-eye.js';
import { answer } from './lens-near.js';
import words from './lens-words.js';

/** @param {string} copiedWord  what a copy says once done */
export function lensCheck(copiedWord) {
  const { output, buttons, show } = answer('lens-check', words.copyCheck, copiedWord);
  const box = make(
    'fieldset',
    { class: 'lens-check' },
    make('legend', {}, words.checkHeading),
    make('p', {}, words.checkScope),
    make('p', {}, words.checkOrdered),
    output,
    buttons,
  );
  return { box, show };
}
