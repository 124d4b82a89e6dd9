// SPDX-License-Identifier: MIT
// One eye of the lens tool: its entries, grouped as the description groups
// them, each size with its way; its two results in an order's words; its
// put into B and copy.
import words from './lens-words.js';

export const key = (field) => field.replace(/ (\w)/, (_, c) => c.toUpperCase()); // "centre x" -> "centreX"
const ways = { centreX: 'centreIn', centreY: 'centreUp', prismX: 'baseIn', prismY: 'baseUp' };

// A result's parts in an order's words: "1.58△ BO、0.47△ BD", "3.0 mm 内方".
const order = ['in', 'out', 'up', 'down'];
export function joined(parts, prism, eyes) {
  return parts
    .filter((p) => p)
    .map((p) =>
      prism
        ? eyes.part.replace('%1', p.size).replace('%2', words.prismWays[order.indexOf(p.way)])
        : words.offsetPart.replace('%1', p.size).replace('%2', words.offsetWays[order.indexOf(p.way)]),
    )
    .join(eyes.separator);
}

export function texts(shown, eyes) {
  const prism = joined(shown.prism, true, eyes);
  const offset = joined(shown.offset, false, eyes);
  return {
    prism: prism ? `${prism}（${shown.prismForm}）` : words.noPrism,
    offset:
      shown.blocked !== null
        ? words.blocked.replace('%1', shown.blocked)
        : shown.tooFar
          ? words.tooFar.replace('%1', offset)
          : offset || words.noOffset,
  };
}

export function make(tag, attributes = {}, ...children) {
  const e = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
  e.append(...children);
  return e;
}

// The eye's fieldset and what the tool reads from and writes into it.
// `eye` is 'right' or 'left', `name` its word (右眼).
export function lensEye(eye, name) {
  const box = make('fieldset', { class: 'lens-eye' }, make('legend', {}, name));
  const entries = {};
  const choices = {};
  const results = {};
  let line;
  let group;
  for (const entry of words.entries) {
    if (entry.group !== group) {
      if (group === 1) box.append((results.prism = make('output', { id: `lens-${eye}-prism` })));
      group = entry.group;
      box.append(make('h3', {}, words.groups[group]), (line = make('div', { class: 'lens-line' })));
    }
    const id = `lens-${eye}-${entry.field.replace(' ', '-')}`;
    // S and C take a sign, which a decimal keypad lacks.
    const input = make('input', {
      id,
      type: 'text',
      'aria-label': `${name} ${entry.name}`,
      inputmode: entry.group === 0 && entry.field !== 'axis' ? 'text' : 'decimal',
      autocomplete: 'off',
      spellcheck: 'false',
    });
    entries[key(entry.field)] = input;
    const pair = make('label', { class: 'lens-entry' }, entry.label, input);
    if (!entry.choice) {
      line.append(pair);
      continue;
    }
    const across = entry.field.endsWith('x');
    const labels = entry.group === 2 ? words.prismChoices : words.offsetWays;
    const select = make(
      'select',
      { id: `${id}-way`, 'aria-label': `${name} ${entry.choice}` },
      make('option', {}, labels[across ? 0 : 2]),
      make('option', {}, labels[across ? 1 : 3]),
    );
    choices[ways[key(entry.field)]] = select;
    box.append((line = make('div', { class: 'lens-line' }, pair, select)));
  }
  box.append((results.offset = make('output', { id: `lens-${eye}-offset` })));
  const intoB = make('button', { type: 'button', id: `lens-${eye}-into-b` }, words.intoB.replace('%1', name));
  const copy = make('button', { type: 'button', id: `lens-${eye}-copy` }, words.copy.replace('%1', name));
  const copied = make('span', { role: 'status' });
  box.append(make('div', { class: 'lens-buttons' }, intoB, copy, copied));
  return {
    box,
    entries,
    intoB,
    copy,
    copied,
    // The entries as the core takes them.
    read: () => ({
      ...Object.fromEntries(Object.entries(entries).map(([k, input]) => [k, input.value])),
      ...Object.fromEntries(Object.entries(choices).map(([k, select]) => [k, select.selectedIndex === 0])),
    }),
    // The prisms wanted, filled.
    want: ({ x, y, in: inward, up }) => {
      [entries.prismX.value, entries.prismY.value] = [x, y];
      choices.baseIn.selectedIndex = inward ? 0 : 1;
      choices.baseUp.selectedIndex = up ? 0 : 1;
    },
    // Any edit of this eye's entries or ways.
    onEdit: (run) => box.addEventListener('input', run),
    results,
  };
}
