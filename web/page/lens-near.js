// SPDX-License-Identifier: MIT
// Where the wearer reads, through both lenses: the reading point's depth
// and inset, each eye's prism there, the vertical imbalance (near, and far
// where decentred) and the slab-off that would correct it, in the
// description's words; its copy the line a lab order takes.
import words from './lens-words.js';
import { copyText } from './eyes.js';
import { joined, make } from './lens-eye.js';

// The lines it shows; after the eyes' two, those a lab order takes.
function lines(n, eyes) {
  if (!n.bothLenses) return [words.needsBoth];
  const name = (eye) => (eye === 'right' ? eyes.rightEye : eyes.leftEye);
  const imbalance = (says, i) =>
    says.replace('%1', i.size) + (i.moreDown ? words.moreDown.replace('%1', name(i.moreDown)) : '');
  const out = n.prisms.map((parts, i) =>
    words.nearPrism
      .replace('%1', name(i ? 'left' : 'right'))
      .replace('%2', joined(parts, true, eyes) || words.noPrism),
  );
  out.push(imbalance(words.nearImbalance, n.near));
  if (n.distance) out.push(imbalance(words.farImbalance, n.distance));
  if (n.slabOff) {
    const other = n.slabOff === 'right' ? 'left' : 'right';
    out.push(
      words.slabOff.replaceAll('%1', n.correction).replace('%2', name(n.slabOff)).replace('%3', name(other)),
    );
    if (n.rarelyMade) out.push(words.adapt);
    out.push(words.steps);
  }
  return out;
}

export function lensNear(eyes) {
  const entry = (id, name, value = '') => {
    const input = make('input', {
      id,
      type: 'text',
      inputmode: 'decimal',
      autocomplete: 'off',
      'aria-label': name,
    });
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
  let shown = [];
  copy.addEventListener('click', () => copyText(shown.slice(2).join('\u3000'), copied, eyes.copied));
  return {
    box,
    depth,
    inset,
    // The near part's value, or nothing (null) once an entry changed.
    show(n) {
      shown = n && !n.refused ? lines(n, eyes) : [];
      result.replaceChildren(...shown.map((line) => make('span', {}, line)));
      copy.hidden = !n?.bothLenses || !!n.refused || !navigator.clipboard?.writeText;
      copied.textContent = '';
    },
  };
}
