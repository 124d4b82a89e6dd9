// SPDX-License-Identifier: MIT
// The result for each eye, under the form: the core's readings in a table
// with the description's words, and the desktop's copies as buttons.

// A part as an order writes it ("3.0△ BI"), in the description's words; a
// reading's parts joined, those too small to write (null) left out.
const written = (part, words) => words.part.replace('%1', part.size).replace('%2', part.letters);
const joined = (parts, words) =>
  parts
    .filter((p) => p)
    .map((p) => written(p, words))
    .join(words.separator);

// An element with lines of text, each kept whole.
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

// In `section`, the core's readings (null once the result is gone) with the
// description's `words`: a row for C as each eye's prism and a row for its
// split, a column for each eye; each split's cells name the reading they
// belong to (headers), for a screen reader moving cell by cell. Under it,
// where the browser lets a page write to the clipboard, the desktop's
// copies: the `result` line, the right eye's parts, the left eye's.
export function showEyes(section, eyes, result, words) {
  section.hidden = !eyes;
  if (!eyes) return section.replaceChildren();
  if (!eyes.needed) return section.replaceChildren(make('p', [words.noPrism]));
  // A part to a line, so that a phone's narrow column never breaks one.
  const parts = (ps) => {
    const lines = ps.filter((p) => p).map((p) => written(p, words));
    return lines.length ? lines : [words.smallParts];
  };
  const row = (id, heading, cells, reading = id) => {
    const tr = make('tr');
    tr.append(
      make('th', [heading], { scope: 'row', id: `eyes-${id}` }),
      ...cells.map((texts, eye) => make('td', texts, { headers: `eyes-${reading} eyes-${id} eyes-${eye}` })),
    );
    return tr;
  };
  const head = make('tr');
  head.append(
    make('td'),
    ...[words.rightEye, words.leftEye].map((eye, n) => make('th', [eye], { scope: 'col', id: `eyes-${n}` })),
  );
  const split = (reading) => [reading.right, reading.left].map((half) => [half.prism, ...parts(half.parts)]);
  const table = make('table');
  table.append(
    make('caption', [words.heading]),
    head,
    row('right', words.asRight, [parts(eyes.asRight.parts), []]),
    row('right-split', words.split, split(eyes.asRight), 'right'),
    row('left', words.asLeft, [[], parts(eyes.asLeft.parts)]),
    row('left-split', words.split, split(eyes.asLeft), 'left'),
  );
  section.replaceChildren(table);
  if (!navigator.clipboard?.writeText) return;
  const copies = make('p', [], { class: 'copies' });
  const done = make('span', [], { role: 'status' });
  for (const [caption, text] of [
    [words.copyResult, result],
    [words.copyRight, joined(eyes.asRight.parts, words)],
    [words.copyLeft, joined(eyes.asLeft.parts, words)],
  ]) {
    if (!text) continue;
    const button = make('button', [caption], { type: 'button' });
    button.addEventListener('click', () => copyText(text, done, words.copied));
    copies.append(button);
  }
  copies.append(done);
  section.append(copies);
}
