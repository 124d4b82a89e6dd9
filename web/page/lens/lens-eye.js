// SPDX-License-Identifier: MIT
// One eye of the lens tool: its entries, grouped as the description groups
// them, each size with its way; its two results; its put into B and copy.
import words from './lens-words.js';

/** @returns {HTMLElement} */
export function make(tag, attributes = {}, ...children) {
  const e = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
  e.append(...children);
  return e;
}

// A size's way, by the names the core takes: in or out across, up or down.
const WAYS = {
  centreX: ['in', 'out'],
  centreY: ['up', 'down'],
  prismX: ['in', 'out'],
  prismY: ['up', 'down'],
  readX: ['in', 'out'],
  readY: ['up', 'down'],
};

// The eye's fieldset and what the tool reads from and writes into it.
// `captions` are the eye's from the description: its name, each entry's
// and way's accessible name, its buttons'.
/** @param {import('./lens-words.js').EyeCaptions} captions */
export function lensEye(captions) {
  const box = make('fieldset', { class: 'lens-eye' }, make('legend', {}, captions.eye));
  /** @type {Record<string, HTMLInputElement>} */
  const entries = {};
  /** @type {Record<string, HTMLSelectElement>} */
  const ways = {};
  const results = {
    prism: make('output', { id: `lens-${captions.key}-prism` }),
    offset: make('output', { id: `lens-${captions.key}-offset` }),
  };
  let line;
  let group;
  for (const [field, entry] of words.entries.entries()) {
    if (entry.group !== group) {
      if (group === 1) box.append(results.prism);
      if (group === 2) box.append(results.offset);
      group = entry.group;
      box.append(make('h3', {}, words.groups[group]), (line = make('div', { class: 'lens-line' })));
    }
    const id = `lens-${captions.key}-${entry.key.replace(/[A-Z]/, (c) => `-${c.toLowerCase()}`)}`;
    // S and C take a sign, which a decimal keypad lacks.
    const input = /** @type {HTMLInputElement} */ (
      make('input', {
        id,
        type: 'text',
        'aria-label': captions.names[field],
        inputmode: entry.group === 0 && entry.key !== 'axis' ? 'text' : 'decimal',
        autocomplete: 'off',
        spellcheck: 'false',
        maxlength: 32767,
      })
    );
    entries[entry.key] = input;
    const pair = make('label', { class: 'lens-entry' }, entry.label, input);
    if (!entry.ways) {
      line.append(pair);
      continue;
    }
    const across = entry.key.endsWith('X');
    const labels = entry.group === 1 ? words.offsetWays : words.prismChoices;
    const select = /** @type {HTMLSelectElement} */ (
      make(
        'select',
        { id: `${id}-way`, 'aria-label': captions.choices[field] },
        ...WAYS[entry.key].map((way, n) => make('option', { value: way }, labels[(across ? 0 : 2) + n])),
      )
    );
    ways[entry.key] = select;
    box.append((line = make('div', { class: 'lens-line' }, pair, select)));
  }
  const intoB = make('button', { type: 'button', id: `lens-${captions.key}-into-b` }, captions.intoB);
  const copy = make('button', { type: 'button', id: `lens-${captions.key}-copy` }, captions.copy);
  const copied = make('span', { role: 'status' });
  box.append(make('div', { class: 'lens-buttons' }, intoB, copy, copied));
  const way = (key) => /** @type {any} */ (ways[key].value);
  return {
    box,
    entries,
    intoB,
    copy,
    copied,
    results,
    /** The entries as the core takes them. @returns {import('../prism.mjs').LensEye} */
    read: () => ({
      sphere: entries.sphere.value,
      cylinder: entries.cylinder.value,
      axis: entries.axis.value,
      centreX: entries.centreX.value,
      centreY: entries.centreY.value,
      prismX: entries.prismX.value,
      prismY: entries.prismY.value,
      centreXWay: way('centreX'),
      centreYWay: way('centreY'),
      prismXWay: way('prismX'),
      prismYWay: way('prismY'),
      readX: entries.readX.value,
      readY: entries.readY.value,
      readXWay: way('readX'),
      readYWay: way('readY'),
    }),
    /** The prisms wanted, filled. @param {import('../prism.mjs').Wanted} wanted */
    want: (wanted) => {
      entries.prismX.value = wanted.prismX;
      entries.prismY.value = wanted.prismY;
      ways.prismX.value = wanted.prismXWay;
      ways.prismY.value = wanted.prismYWay;
    },
    // Any edit of this eye's entries or ways.
    onEdit: (run) => box.addEventListener('input', run),
  };
}
