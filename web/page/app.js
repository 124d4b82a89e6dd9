// SPDX-License-Identifier: MIT
// The page: wires the form (built into index.html from the form's
// description, tools/page.mjs) to the WebAssembly module. Every number shown
// or drawn comes from the module's C++ core; this file only sets element
// properties, as the desktop's slots only set widget properties.
// The page says what it needs where the browser lacks it (index.html's
// #unavailable): at once when this script finds no WebAssembly it may run
// or an interface the form needs missing, after some seconds by itself
// (style.css) when this script never runs at all. A core that only failed
// to arrive leaves the form as it is; the next compute fetches it again.
document.documentElement.dataset.started = 'true';

// The form's description, written into the page when it was built: its
// texts (messages, titles) and its lines.
const layout = JSON.parse(document.getElementById('description').textContent);
// The core (prism.mjs), once it has started (below).
let prism;

const idOf = (control) => (control.index >= 0 ? `${control.name}-${control.index}` : control.name);
const root = document.getElementById('form');
const dialog = document.getElementById('message');
const dialogOk = document.getElementById('message-ok');

function setLine(element, x1, y1, x2, y2) {
  element.setAttribute('x1', x1);
  element.setAttribute('y1', y1);
  element.setAttribute('x2', x2);
  element.setAttribute('y2', y2);
}

const $ = (id) => document.getElementById(id);
// The element of the control with a role (the description's), and of the
// line with one.
const withRole = (role) => $(idOf(layout.controls.find((c) => c.role === role)));
const lineWithRole = (role) => $(layout.lines.find((l) => l.role === role).name);
const Text1 = withRole('power A');
const Text2 = withRole('direction A');
const Text3 = withRole('power B');
const Text4 = withRole('direction B');
const Command1 = withRole('compute');
const Command2 = withRole('reset');
const Command3 = withRole('end');
const Command4 = withRole('print');
const Label6 = withRole('result');
const entries = [Text1, Text2, Text3, Text4];
const vectors = ['vector A', 'vector B', 'vector C'].map(lineWithRole);
const diagramParts = [
  ...layout.lines.map((l) => $(l.name)),
  ...['letter A', 'letter B', 'letter C'].map(withRole),
];

function showDiagram(visible) {
  // Said in words while it is drawn; nothing stale once it is gone.
  const diagram = document.getElementById('diagram');
  if (visible) diagram.setAttribute('aria-label', prism.diagramText());
  else diagram.removeAttribute('aria-label');
  diagram.setAttribute('aria-hidden', String(!visible));
  for (const part of diagramParts) {
    if (part instanceof SVGElement) {
      // A line of no length leaves no dot.
      const empty =
        part.getAttribute('x1') === part.getAttribute('x2') &&
        part.getAttribute('y1') === part.getAttribute('y2');
      part.setAttribute('visibility', visible && !empty ? 'visible' : 'hidden');
    } else {
      part.hidden = !visible;
    }
  }
}

// Every digit visible: a text wider than its box is drawn in the largest
// size, in half pixels, at which it fits while half a pixel more does not,
// down to the description's smallest share of its size; then its beginning
// shows. Fields follow the rule while they are not being edited.
const STEPS_PER_PIXEL = 2;
function fit(element) {
  element.style.fontSize = ''; // the layout's size (form.css)
  if (element === document.activeElement) return;
  const fits = () => element.scrollWidth <= element.clientWidth;
  if (!fits()) {
    const full = parseFloat(getComputedStyle(element).fontSize);
    const smallest = full * layout.smallestTextScale;
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
function hangLineEnds(element, caption) {
  element.textContent = caption;
  if (!caption.includes(IDEOGRAPHIC_SPACE)) return;
  const text = element.firstChild;
  const range = document.createRange();
  const starts = [];
  let top = -Infinity;
  for (let i = 0; i < caption.length; ++i) {
    range.setStart(text, i);
    range.setEnd(text, i + 1);
    const box = [...range.getClientRects()].reduce((a, b) => (b.width > a.width ? b : a), { width: 0 });
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
// Where captions break and how small a long text is drawn, again: once the
// form is laid out anew or a bundled font arrives; nothing once it has
// ended.
function relayout() {
  if (ended) return;
  for (const c of layout.controls) if (c.caption) hangLineEnds($(idOf(c)), c.caption);
  [...entries, Label6].forEach(fit);
}

// The modal message: the program's title as its caption, one OK button that
// answers Enter and Escape; the focus returns where it was.
let focusBefore = null;
function showMessage(text) {
  focusBefore = document.activeElement;
  document.getElementById('message-title').textContent = layout.programTitle;
  document.getElementById('message-text').textContent = text;
  dialog.showModal();
  dialogOk.focus();
}
dialogOk.addEventListener('click', () => dialog.close());
dialog.addEventListener('close', () => focusBefore?.focus());

// Command1_Click: the entries to the core; its answer onto the form. A
// press before the core has started says so where the answer will come,
// and is answered once it has, unless an entry changes meanwhile; a core
// that failed to arrive is fetched again first, and if it fails again the
// message says so.
let waiting = null; // the press being answered once the core starts
function compute() {
  if (prism) return computeNow();
  const press = (waiting = {});
  showResult(layout.waitingText, true);
  const answer = () => {
    if (waiting !== press) return;
    waiting = null;
    computeNow();
  };
  const failed = async () => {
    if (waiting !== press) return;
    waiting = null;
    showResult('');
    if (!(await unavailable())) showMessage(layout.coreFailedMessage);
  };
  core.then(answer, () => {
    if (waiting !== press) return;
    core = loadCore();
    core.then(answer, failed);
  });
}

// The result line's text, drawn small enough to fit; busy while it waits.
function showResult(text, busy = false) {
  Label6.textContent = text;
  if (busy) Label6.setAttribute('aria-busy', 'true');
  else Label6.removeAttribute('aria-busy');
  fit(Label6);
}

function computeNow() {
  const [a, aBase, b, bBase] = entries.map((e) => e.value);
  const outcome = prism.compute(a, aBase, b, bBase);
  const Outcome = prism.outcomes;
  if (outcome === Outcome.RejectA) return showMessage(layout.messageA);
  if (outcome === Outcome.RejectB) return showMessage(layout.messageB);

  showResult(prism.resultText());
  showEyes(prism.eyes());
  for (const button of [Command2, Command3, Command4]) button.hidden = false;
  updateDiagram();
}

function updateDiagram() {
  if (!prism.hasScale()) return showDiagram(false);
  // The three vectors start at the diagram's origin, end where the core says.
  const { x: x1, y: y1 } = prism.origin();
  vectors.forEach((line, i) => {
    const end = prism.end(i);
    setLine(line, x1, y1, end.x, end.y);
  });
  showDiagram(true);
}

const committed = new Map(); // entry -> its text at its last change

// Command2_Click
function reset() {
  for (const entry of entries) {
    entry.value = '';
    committed.set(entry, '');
    fit(entry);
  }
  clearResult();
}

// As reset leaves them: the entries, the buttons and the focus stay; a
// press waiting for the core is forgotten.
function clearResult() {
  waiting = null;
  showResult('');
  showEyes(null);
  showDiagram(false);
}

// The result for each eye, as the core words it, in a table with the
// description's headings: a row for C as each eye's prism and a row for
// its split, a column for each eye; each split's cells name the reading
// they belong to (headers), for a screen reader moving cell by cell. Under
// it, where the browser lets a page write to the clipboard, the desktop's
// copies: the result line, the right eye's parts, the left eye's.
function showEyes(eyes) {
  const section = $('eyes');
  section.hidden = !eyes;
  if (!eyes) return section.replaceChildren();
  const words = layout.eyes;
  // An element with lines of text, each kept whole.
  const make = (tag, lines = [], attributes = {}) => {
    const e = document.createElement(tag);
    for (const line of lines) e.append(Object.assign(document.createElement('span'), { textContent: line }));
    for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
    return e;
  };
  if (!eyes.needed) return section.replaceChildren(make('p', [words.noPrism]));
  // A part to a line, so that a phone's narrow column never breaks one.
  const parts = (text) => (text ? text.split('、') : [words.smallParts]);
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
    [words.copyResult, Label6.textContent],
    [words.copyRight, eyes.asRight.parts],
    [words.copyLeft, eyes.asLeft.parts],
  ]) {
    if (!text) continue;
    const button = make('button', [caption], { type: 'button' });
    // Said again on every copy; nothing said where the browser refuses.
    button.addEventListener('click', () => {
      done.textContent = '';
      navigator.clipboard.writeText(text).then(
        () => (done.textContent = words.copied),
        () => {},
      );
    });
    copies.append(button);
  }
  copies.append(done);
  section.append(copies);
}

// A change to an entry's text clears a shown result and its diagram: what
// the form shows and prints beside the entries is always their result. An
// input method's text clears nothing until it is committed; an event that
// leaves the text as it was (a paste of the same text) clears nothing.
function entryChanged(entry) {
  if (entry.value === (committed.get(entry) ?? '')) return;
  committed.set(entry, entry.value);
  clearResult();
}

// Command3_Click: an installed app's window closes; a browser tab is never
// closed under its user: the form gives way to a notice, undone by a reload.
// So does an installed app whose window stays open (home-screen apps on an
// iPhone or iPad refuse to close).
function end() {
  if (matchMedia('(display-mode: standalone)').matches) {
    window.close();
    setTimeout(() => window.closed || showEnded(), 250);
    return;
  }
  showEnded();
}

let ended = false;
function showEnded() {
  ended = true;
  // The notice takes the focus, so that a screen reader says it at once.
  const notice = document.createElement('p');
  notice.id = 'ended';
  notice.tabIndex = -1;
  notice.setAttribute('role', 'status');
  notice.textContent = layout.endedNotice;
  root.replaceChildren(notice);
  notice.focus();
}

// The form built and wired, ready for input. (No top-level await: some
// engines handle it only in part.)
function start() {
  wire();
  // The page gives Text1 the focus (autofocus) once it is laid out; a
  // browser that has not yet is asked now.
  const first = document.querySelector('[autofocus]');
  if (first && document.activeElement !== first) first.focus();
  document.documentElement.dataset.ready = 'true';
  performance.mark('prism-ready');
  // In the frame that first paints the form, where it is laid out anyway,
  // and again whenever its layout changes (a phone turned): where captions
  // break, and how small a long text must be drawn.
  let width;
  new ResizeObserver(() => {
    if (root.offsetWidth === width) return;
    width = root.offsetWidth;
    relayout();
  }).observe(root);
}

function registerServiceWorker() {
  // Offline and installable: the service worker keeps every file of this
  // version. Registered once the core has started (or failed to), so that
  // on a slow network its downloads never delay the form or the core. A
  // new version is looked for whenever the page is shown again, so that it
  // is in use from the next load.
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker
      .register('sw.js', { updateViaCache: 'none' })
      .then((registration) => {
        document.addEventListener('visibilitychange', () => {
          if (document.visibilityState === 'visible') registration.update().catch(() => {});
        });
      })
      .catch(() => {}); // the page works without one, online
  }
}

function wire() {
  Command1.addEventListener('click', compute);
  Command2.addEventListener('click', reset);
  Command3.addEventListener('click', end);
  Command4.addEventListener('click', () => window.print());
  // A bundled font that arrives after a text was fitted changes its width.
  document.fonts.addEventListener('loadingdone', relayout);
  for (const entry of entries) {
    entry.addEventListener('input', (event) => event.isComposing || entryChanged(entry));
    entry.addEventListener('compositionend', () => entryChanged(entry));
    entry.addEventListener('focus', () => fit(entry));
    entry.addEventListener('blur', () => fit(entry));
    // Enter and Escape in a field do nothing; Enter still confirms an input
    // method's composition, which the browser handles before this.
    entry.addEventListener('keydown', (event) => {
      if ((event.key === 'Enter' || event.key === 'Escape') && !event.isComposing) event.preventDefault();
    });
  }
}

// Whether this browser lacks what the page needs: WebAssembly, or leave to
// compile it under the page's policy. The smallest module there is,
// instantiated as the core is.
const unavailable = async () => {
  try {
    await WebAssembly.instantiate(Uint8Array.of(0, 97, 115, 109, 1, 0, 0, 0));
    return false;
  } catch {
    return true;
  }
};

// The core: its module and its WebAssembly, fetched as the page is parsed
// (index.html preloads both). Fetched again by fresh addresses, since an
// engine may keep a failed import or a failed preload (the service worker
// answers any address of a file it keeps).
let retries = -1;
function loadCore() {
  const fresh = ++retries ? `?retry=${retries}` : '';
  const locateFile = (file, folder) => `${folder}${file}${fresh}`;
  return Promise.all([import(`./prism-core.mjs${fresh}`), import(`./prism.mjs${fresh}`)])
    .then(async ([{ default: createCore }, { wrap }]) => wrap(await createCore({ locateFile })))
    .then((started) => {
      prism = started;
      performance.mark('prism-core');
    });
}

let core = loadCore();
core.catch(async (error) => {
  console.warn('プリズムの合成: the calculator could not start:', error);
  if (await unavailable()) document.documentElement.dataset.failed = 'true';
});
core.then(registerServiceWorker, registerServiceWorker);
// A browser without an interface the form needs (older than the support
// table's) says so at once, rather than failing at the first message.
const needed = [
  window.ResizeObserver,
  window.HTMLDialogElement?.prototype.showModal,
  Element.prototype.replaceChildren,
  document.fonts,
];
if (needed.includes(undefined)) document.documentElement.dataset.failed = 'true';
else start();
