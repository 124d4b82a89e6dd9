// SPDX-License-Identifier: MIT
// The page: builds the form from the description the WebAssembly module
// hands over, and wires its four buttons to the module. Every number shown
// or drawn comes from the module's C++ core; this file only lays out
// (twips to CSS pixels) and sets element properties, as the desktop's slots
// only set widget properties.
// The page says what it needs where it cannot start (index.html's
// #unavailable): at once when this script runs and the core fails, after a
// few seconds by itself (style.css) when this script never runs at all.
document.documentElement.dataset.started = 'true';

const TWIPS_PER_PIXEL = 15; // 1440 twips to the inch, 96 CSS pixels to the inch
const SVG = 'http://www.w3.org/2000/svg';

// Set once the module has started (start(), below).
let call;
let layout;

const Outcome = { Composed: 0, RejectA: 1, RejectB: 2 };

const idOf = (control) => (control.index >= 0 ? `${control.name}-${control.index}` : control.name);
// Lengths in the form's own pixels (--px, style.css): one CSS pixel, or less
// where the screen or the sheet is narrower than the form.
const px = (twips) => `calc(var(--px) * ${twips / TWIPS_PER_PIXEL})`;
const points = (pt) => `calc(var(--px) * ${(pt * 96) / 72})`;
const rgb = (c) => (c ? `rgb(${c[0]}, ${c[1]}, ${c[2]})` : '');

// The named face first (a Japanese Windows PC has it), then its stand-ins
// where the machine has them, as on the desktop, then the stand-in the site
// bundles for it (style.css: "bundled " and the named face).
function fontFamily(named) {
  const family = named || layout.windowFont.family;
  const standIns = layout.substitutions.find((s) => s.named === family)?.standIns ?? [];
  return [family, ...standIns, `bundled ${family}`].map((f) => `"${f}"`).concat('sans-serif').join(', ');
}

function placeAndStyle(element, control) {
  const [left, top, width, height] = control.rect;
  const font = control.font.family ? control.font : layout.windowFont;
  Object.assign(element.style, {
    left: px(left),
    top: px(top),
    width: px(width),
    height: px(height),
    fontFamily: fontFamily(font.family),
    fontSize: points(font.points),
    fontWeight: '400', // bold: the .bold outline (style.css)
    fontStyle: font.italic ? 'italic' : 'normal',
    color: rgb(control.text),
  });
  element.classList.toggle('bold', font.bold);
  element.dataset.size = element.style.fontSize; // the layout's size, which fit() returns to
  element.id = idOf(control);
  element.classList.add(control.kind);
  element.hidden = !control.visible;
}

const root = document.getElementById('form');
const dialog = document.getElementById('message');
const dialogOk = document.getElementById('message-ok');
const controls = new Map(); // id -> element

// The form's colours and size, as CSS custom properties of the page
// (style.css): --window, --button-top ... and the focus tint's two colours.
function setProperties() {
  const style = document.documentElement.style;
  const { focusAlpha, ...colours } = layout.palette;
  for (const [role, colour] of Object.entries(colours))
    style.setProperty(`--${role.replace(/[A-Z]/g, (c) => `-${c.toLowerCase()}`)}`, rgb(colour));
  const tint = (c) => `rgb(${c.join(' ')} / ${focusAlpha / 255})`;
  style.setProperty('--focus-tint-top', tint(layout.palette.focusLight));
  style.setProperty('--focus-tint-bottom', tint(layout.palette.focus));
  style.setProperty('--columns', layout.width / TWIPS_PER_PIXEL);
  style.setProperty('--rows', layout.height / TWIPS_PER_PIXEL);
}

function build() {
  document.title = layout.programTitle;
  setProperties();
  root.style.width = px(layout.width);
  root.style.height = px(layout.height);
  // The message is in the window's default font, as the desktop's is.
  Object.assign(dialog.style, {
    fontFamily: fontFamily(layout.windowFont.family),
    fontSize: `${layout.windowFont.points}pt`,
  });

  // The lines lie on the form's surface, beneath every control.
  const svg = document.createElementNS(SVG, 'svg');
  svg.setAttribute('viewBox', `0 0 ${layout.width} ${layout.height}`);
  svg.style.width = px(layout.width);
  svg.style.height = px(layout.height);
  // An image to a screen reader, named with the diagram in words while it
  // is drawn (showDiagram).
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-hidden', 'true');
  svg.id = 'diagram';
  for (const line of layout.lines) {
    const element = document.createElementNS(SVG, 'line');
    element.id = line.name;
    element.setAttribute('stroke', rgb(line.colour));
    element.setAttribute('stroke-width', line.width * TWIPS_PER_PIXEL); // pixels, in twips
    element.setAttribute('stroke-linecap', 'round');
    if (line.fixed) {
      const [x, y, width, height] = line.fixed;
      setLine(element, x, y, x + width, y + height);
    }
    element.setAttribute('visibility', 'hidden');
    svg.append(element);
    controls.set(line.name, element);
  }
  root.append(svg);

  // Labels first (beneath), then the focusable controls in tab order.
  const ordered = [...layout.controls].sort((a, b) => (a.tab < 0 ? -1 : a.tab) - (b.tab < 0 ? -1 : b.tab));
  for (const control of ordered) {
    let element;
    if (control.kind === 'TextBox') {
      element = document.createElement('input');
      element.type = 'text';
      element.setAttribute('aria-label', control.accessibleName);
      // A touch keyboard's decimal keypad, and nothing that would change
      // what is typed.
      element.inputMode = 'decimal';
      element.setAttribute('autocomplete', 'off');
      element.setAttribute('autocapitalize', 'off');
      element.setAttribute('autocorrect', 'off');
      element.spellcheck = false;
      // As long as a desktop line edit takes: the texts go to the core
      // through its stack, which a pasted megabyte would overflow.
      element.maxLength = 32767;
    } else if (control.kind === 'CommandButton') {
      element = document.createElement('button');
      element.type = 'button';
      element.textContent = control.caption;
      if (control.background) {
        element.classList.add('filled');
        element.style.backgroundColor = rgb(control.background);
      }
    } else {
      element = document.createElement('div');
      element.textContent = control.caption;
      element.style.textAlign = { left: 'left', right: 'right', centre: 'center' }[control.align];
      if (control.background) element.style.backgroundColor = rgb(control.background);
      if (control.accessibleDescription) {
        // The result line: read out when it changes, described by its role.
        element.setAttribute('role', 'status');
        element.setAttribute('aria-live', 'polite');
        element.setAttribute('aria-description', control.accessibleDescription);
      }
    }
    placeAndStyle(element, control);
    root.append(element);
    controls.set(element.id, element);
  }
}

function setLine(element, x1, y1, x2, y2) {
  element.setAttribute('x1', x1);
  element.setAttribute('y1', y1);
  element.setAttribute('x2', x2);
  element.setAttribute('y2', y2);
}

const $ = (id) => controls.get(id);
const entries = () => ['Text1', 'Text2', 'Text3', 'Text4'].map($);
const diagramParts = () =>
  [...layout.lines.map((l) => $(l.name)), $('Label9'), $('Label12'), $('Label13')];

function showDiagram(visible) {
  // Said in words while it is drawn; nothing stale once it is gone.
  const diagram = document.getElementById('diagram');
  if (visible) diagram.setAttribute('aria-label', call('prism_diagram_text', 'string'));
  else diagram.removeAttribute('aria-label');
  diagram.setAttribute('aria-hidden', String(!visible));
  for (const part of diagramParts()) {
    if (part instanceof SVGElement) {
      // A line of no length leaves no dot.
      const empty = part.getAttribute('x1') === part.getAttribute('x2')
        && part.getAttribute('y1') === part.getAttribute('y2');
      part.setAttribute('visibility', visible && !empty ? 'visible' : 'hidden');
    } else {
      part.hidden = !visible;
    }
  }
}

// Every digit visible: a text wider than its box is drawn just small enough
// to fit, down to half its size; then its beginning shows. Fields follow the
// rule while they are not being edited.
const SMALLEST_SCALE = 0.5;
function fit(element) {
  element.style.fontSize = element.dataset.size;
  if (element === document.activeElement) return;
  const full = parseFloat(getComputedStyle(element).fontSize);
  let size = full;
  while (element.scrollWidth > element.clientWidth && size > full * SMALLEST_SCALE) {
    size = Math.max(size - 0.5, full * SMALLEST_SCALE);
    element.style.fontSize = `${size}px`;
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
const hangAll = () => {
  for (const c of layout.controls) if (c.caption) hangLineEnds($(idOf(c)), c.caption);
};

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

// Command1_Click: the entries to the core; its answer onto the form.
function compute() {
  const [a, aBase, b, bBase] = entries().map((e) => e.value);
  const outcome = call('prism_compute', 'number', a, aBase, b, bBase);
  if (outcome === Outcome.RejectA) return showMessage(layout.messageA);
  if (outcome === Outcome.RejectB) return showMessage(layout.messageB);

  const result = $('Label6');
  result.textContent = call('prism_result_text', 'string');
  fit(result);
  for (const id of ['Command2', 'Command3', 'Command4']) $(id).hidden = false;
  updateDiagram();
}

function updateDiagram() {
  if (!call('prism_has_scale', 'number')) return showDiagram(false);
  // The three vectors start at the diagram's origin, end where the core says.
  const x1 = call('prism_origin_x', 'number');
  const y1 = call('prism_origin_y', 'number');
  ['Line1', 'Line2', 'Line3'].forEach((name, i) => {
    setLine($(name), x1, y1, call('prism_end_x', 'number', i), call('prism_end_y', 'number', i));
  });
  showDiagram(true);
}

const committed = new Map(); // entry -> its text at its last change

// Command2_Click
function reset() {
  for (const entry of entries()) {
    entry.value = '';
    committed.set(entry, '');
    fit(entry);
  }
  clearResult();
}

// As reset leaves them: the entries, the buttons and the focus stay.
function clearResult() {
  $('Label6').textContent = '';
  showDiagram(false);
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
function end() {
  if (matchMedia('(display-mode: standalone)').matches) {
    window.close();
    return;
  }
  // The notice takes the focus, so that a screen reader says it at once.
  const notice = document.createElement('p');
  notice.id = 'ended';
  notice.tabIndex = -1;
  notice.setAttribute('role', 'status');
  notice.textContent = layout.endedNotice;
  notice.style.fontFamily = fontFamily(layout.windowFont.family);
  root.replaceChildren(notice);
  notice.focus();
}

// The module started: the form is built and wired. (No top-level await:
// some engines handle it only in part.)
function start(core) {
  call = (name, returns, ...args) =>
    core.ccall(name, returns, args.map((a) => (typeof a === 'string' ? 'string' : 'number')), args);
  layout = JSON.parse(call('prism_form_json', 'string'));
  build();
  hangAll();
  wire();
  $('Text1').focus();
  document.documentElement.dataset.ready = 'true';
  performance.mark('prism-ready');

  // Offline and installable: the service worker keeps every file of this
  // version. Registered after the form is ready, so it never delays it. A
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
  $('Command1').addEventListener('click', compute);
  $('Command2').addEventListener('click', reset);
  $('Command3').addEventListener('click', end);
  $('Command4').addEventListener('click', () => window.print());
  // A bundled font that arrives after a text was fitted changes its width.
  document.fonts.addEventListener('loadingdone', () => {
    hangAll();
    [...entries(), $('Label6')].forEach(fit);
  });
  for (const entry of entries()) {
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

function fail(error) {
  document.documentElement.dataset.failed = 'true';
  console.error('プリズムの合成 could not start:', error);
}

import('./prism-core.mjs')
  .then(({ default: createCore }) => createCore())
  .then(start)
  .catch(fail);
