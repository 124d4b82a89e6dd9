// SPDX-License-Identifier: MIT
// The page: wires the form (built into index.html from the form's
// description, tools/page.mjs) to the WebAssembly module. Every number shown
// or drawn comes from the module's C++ core; the page only sets element
// properties, as the desktop's slots only set widget properties. This entry
// module holds the wiring and the actions; each module it imports has one
// job, and is handed what it needs.
// Where the browser lacks what the page needs, the page says so (index.html's
// #unavailable): at once when loader.js finds no WebAssembly it may run or
// this module an interface missing, after some seconds by itself (style.css)
// when no script runs at all.
import { diagram } from './diagram.js';
import { showEyes } from './eyes.js';
import { fit as fitTo, hangLineEnds, refitWhenLaidOut } from './fit.js';
import { lensOpener } from './lens-open.js';
import { cancelWaiting, unavailable, withCore } from './loader.js';
import { end, ended, showMessage as message } from './notices.js';

document.documentElement.dataset.started = 'true';

// The form's description, written into the page when it was built: its
// texts, its controls' element ids, roles and captions, its lines. The page
// knows its controls by what they do, not by their names.
const layout = JSON.parse(document.getElementById('description').textContent);
const $ = (id) => document.getElementById(id);
const withRole = (role) => $(layout.controls.find((c) => c.role === role).id);
const lineWithRole = (role) => $(layout.lines.find((l) => l.role === role).name);
const fit = (element) => fitTo(element, layout.smallestTextScale);
const showMessage = (text) => message(layout.programTitle, text);

const entries = /** @type {HTMLInputElement[]} */ (
  ['power A', 'direction A', 'power B', 'direction B'].map(withRole)
);
const [Command1, Command2, Command3, Command4] = ['compute', 'reset', 'end', 'print'].map(withRole);
const Label6 = withRole('result');
const Diagram = diagram($('diagram'), ['vector A', 'vector B', 'vector C'].map(lineWithRole), [
  ...['legend A', 'legend B', 'legend C'].map(lineWithRole),
  ...['letter A', 'letter B', 'letter C'].map(withRole),
]);

const Lens = lensOpener({
  section: $('lens'),
  below: $('eyes'),
  entriesB: entries.slice(2),
  fit,
  page: { copied: layout.eyes.copied, showMessage, coreFailedMessage: layout.coreFailedMessage },
});

// Where captions break and how small a long text is drawn (nothing once
// the form has ended).
function relayout() {
  if (ended) return;
  for (const c of layout.controls) if (c.caption) hangLineEnds($(c.id), c.caption);
  [...entries, Label6].forEach(fit);
}

// Command1_Click: the entries to the core; its answer onto the form. A
// press before the core has started says so where the answer will come,
// and is answered once it has, unless an entry changes meanwhile; if the
// core cannot be had, the message says so.
function compute() {
  const [aPower, aBase, bPower, bBase] = entries.map((e) => e.value);
  withCore((core) => show(core.compute({ aPower, aBase, bPower, bBase })), {
    wait: () => showResult(layout.waitingText, true),
    fail: async () => {
      showResult('');
      if (!(await unavailable())) showMessage(layout.coreFailedMessage);
    },
  });
}

// The result line's text, drawn small enough to fit; busy while it waits.
function showResult(text, busy = false) {
  Label6.textContent = text;
  if (busy) Label6.setAttribute('aria-busy', 'true');
  else Label6.removeAttribute('aria-busy');
  fit(Label6);
}

function show(shown) {
  if (shown.outcome === 'refused A') return showMessage(layout.messageA);
  if (shown.outcome === 'refused B') return showMessage(layout.messageB);
  showResult(shown.result);
  showEyes($('eyes'), shown.eyes, shown.result, layout.eyes);
  for (const button of [Command2, Command3, Command4]) button.hidden = false;
  Diagram.update(shown);
  Lens.composed(shown.c);
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
  cancelWaiting();
  showResult('');
  showEyes($('eyes'), null);
  Diagram.hide();
  Lens.composed(null);
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

// The form wired, ready for input. (No top-level await: some engines
// handle it only in part.)
function start() {
  Command1.addEventListener('click', compute);
  Command2.addEventListener('click', reset);
  Command3.addEventListener('click', () => end(layout.endedNotice));
  Command4.addEventListener('click', () => window.print());
  for (const entry of entries) {
    entry.addEventListener(
      'input',
      (event) => /** @type {InputEvent} */ (event).isComposing || entryChanged(entry),
    );
    entry.addEventListener('compositionend', () => entryChanged(entry));
    for (const type of ['focus', 'blur']) entry.addEventListener(type, () => fit(entry));
    // Enter and Escape in a field do nothing; Enter still confirms an input
    // method's composition, which the browser handles before this.
    entry.addEventListener('keydown', (event) => {
      if ((event.key === 'Enter' || event.key === 'Escape') && !event.isComposing) event.preventDefault();
    });
  }
  // The page gives Text1 the focus (autofocus) once it is laid out; a
  // browser that has not yet is asked now (a second focus() does nothing).
  const first = /** @type {HTMLElement | null} */ (document.querySelector('[autofocus]'));
  first?.focus();
  document.documentElement.dataset.ready = 'true';
  performance.mark('prism-ready');
  refitWhenLaidOut($('form'), relayout);
}

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
