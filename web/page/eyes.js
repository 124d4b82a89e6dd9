// SPDX-License-Identifier: MIT
// The result for each eye, under the form: the core's texts in a table under
// the description's headings, and the desktop's copies as buttons.

// An element with lines of text, each kept whole (a phone's narrow column
// never breaks one).
function make(tag, lines = [], attributes = {}) {
  const e = document.createElement(tag);
  for (const line of lines) e.append(Object.assign(document.createElement('span'), { textContent: line }));
  for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
  return e;
}

// A copy onto the clipboard, `status` saying `copied` once it is written:
// said again on every copy, nothing said where the browser refuses.
export function copyText(text, status, copied) {
  status.textContent = '';
  navigator.clipboard.writeText(text).then(
    () => (status.textContent = copied),
    () => {},
  );
}

// In `section`, the core's texts for each eye (`eyes`, null once the result
// is gone) under the description's `words`: a row for C as each eye's prism
// and a row for its split, a column for each eye; each split's cells name
// the reading they belong to (headers), for a screen reader moving cell by
// cell. Under it, where the browser lets a page write to the clipboard, the
// desktop's copies: the `result` line, the right eye's parts, the left eye's.
/** @param {HTMLElement} section @param {import('./prism.mjs').Eyes | null} eyes @param {string} [result] @param {any} [words] */
export function showEyes(section, eyes, result, words) {
  section.hidden = !eyes;
  if (!eyes) return section.replaceChildren();
  if (!eyes.needed) return section.replaceChildren(make('p', [eyes.none]));
  const row = (id, heading, cells, reading = id) => {
    const tr = make('tr');
    tr.append(
      make('th', [heading], { scope: 'row', id: `eyes-${id}` }),
      ...cells.map((text, eye) =>
        make('td', text ? text.split('\n') : [], { headers: `eyes-${reading} eyes-${id} eyes-${eye}` }),
      ),
    );
    return tr;
  };
  const head = make('tr');
  head.append(
    make('td'),
    ...[words.rightEye, words.leftEye].map((eye, n) => make('th', [eye], { scope: 'col', id: `eyes-${n}` })),
  );
  const table = make('table');
  table.append(
    make('caption', [words.heading]),
    head,
    row('right', words.asRight, [eyes.asRight.parts, '']),
    row('right-split', words.split, eyes.asRight.split, 'right'),
    row('left', words.asLeft, ['', eyes.asLeft.parts]),
    row('left-split', words.split, eyes.asLeft.split, 'left'),
  );
  section.replaceChildren(table);
  if (!navigator.clipboard?.writeText) return;
  const copies = make('p', [], { class: 'copies' });
  const done = make('span', [], { role: 'status' });
  for (const [caption, text] of [
    [words.copyResult, result],
    [words.copyRight, eyes.copyRight],
    [words.copyLeft, eyes.copyLeft],
  ]) {
    if (!text) continue;
    const button = make('button', [caption], { type: 'button' });
    button.addEventListener('click', () => copyText(text, done, words.copied));
    copies.append(button);
  }
  copies.append(done);
  section.append(copies);
}
