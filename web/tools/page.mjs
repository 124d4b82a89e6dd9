// SPDX-License-Identifier: MIT
// Builds the page from the form's description, at build time: index.html
// from its template, with the form's controls and diagram as markup, the
// title, what the page says where it cannot start, the description itself
// as JSON (the page's script reads its texts); and form.css, every
// control's place, font and colours, and the form's palette, and the lens
// tool's words, both bundled with the page's other sources. The browser paints the form as it parses the
// page; the page's script only wires it to the core. Read from the module's
// Node build.
//
// Usage: node page.mjs NODE-MODULE TEMPLATE SITE-FOLDER STAGE-FOLDER
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { wrap } from '../core/prism.mjs';

const [module, template, site, stage] = process.argv.slice(2);
const core = wrap(await createRequire(import.meta.url)(resolve(module))());
const layout = core.form();
const { twipsPerPixel } = layout;

const escape = (text) =>
  text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
const rgb = (c) => `rgb(${c[0]}, ${c[1]}, ${c[2]})`;
// Lengths in the form's own pixel (--px, style.css): one CSS pixel, or less
// where the screen or the sheet is narrower than the form.
const px = (twips) => `calc(var(--px) * ${twips / twipsPerPixel})`;
const fontOf = (control) => (control.font.family ? control.font : layout.windowFont);

// The named face first (a Japanese Windows PC has it), then its stand-ins
// where the machine has them, as on the desktop, then the stand-in the site
// bundles for it (style.css: "bundled " and the named face), where it has one.
function fontFamily(named, bundled = true) {
  const standIns = layout.substitutions.find((s) => s.named === named)?.standIns ?? [];
  return [named, ...standIns, ...(bundled ? [`bundled ${named}`] : [])]
    .map((f) => `"${f}"`)
    .concat('sans-serif')
    .join(', ');
}

function attributes(pairs) {
  return Object.entries(pairs)
    .filter(([, value]) => value !== false && value !== undefined)
    .map(([name, value]) => (value === true ? ` ${name}` : ` ${name}="${escape(String(value))}"`))
    .join('');
}

// The markup of one control. Bold is the .bold outline (style.css).
// The first control of the tab order shown at start has the focus.
const first = layout.controls.filter((c) => c.tab >= 0 && c.visible).sort((a, b) => a.tab - b.tab)[0];
function element(c) {
  const classes = [
    c.kind,
    ...(fontOf(c).bold ? ['bold'] : []),
    ...(c.kind === 'CommandButton' && c.background ? ['filled'] : []),
  ];
  const common = { id: c.id, class: classes.join(' '), hidden: !c.visible, autofocus: c === first };
  if (c.kind === 'TextBox') {
    // A touch keyboard's decimal keypad, nothing that would change what is
    // typed, and as long as a desktop line edit takes (32767).
    return `<input${attributes({
      ...common,
      type: 'text',
      'aria-label': c.accessibleName,
      inputmode: 'decimal',
      autocomplete: 'off',
      autocapitalize: 'off',
      autocorrect: 'off',
      spellcheck: 'false',
      maxlength: 32767,
    })}>`;
  }
  if (c.kind === 'CommandButton')
    return `<button${attributes({ ...common, type: 'button' })}>${escape(c.caption)}</button>`;
  // The result line is read out when it changes, described by what it is
  // (a hidden element: every browser reads a description it points to).
  if (c.role === 'result') {
    const what = `${c.id}-what`;
    return `<div${attributes({ ...common, role: 'status', 'aria-live': 'polite', 'aria-describedby': what })}>${escape(c.caption)}</div>\n<span${attributes({ id: what, hidden: true })}>${escape(c.accessibleDescription)}</span>`;
  }
  return `<div${attributes(common)}>${escape(c.caption)}</div>`;
}

// The lines lie on the form's surface, beneath every control: the vectors
// start at the diagram's origin and each compute says where they end, the
// legend's lines never move. An image to a screen reader, named with the
// diagram in words while it is drawn.
function diagram() {
  const { x, y } = layout.diagramOrigin;
  const lines = layout.lines.map((l) => {
    const ends = l.fixed
      ? { x1: l.fixed[0], y1: l.fixed[1], x2: l.fixed[0] + l.fixed[2], y2: l.fixed[1] + l.fixed[3] }
      : { x1: x, y1: y };
    return `<line${attributes({
      id: l.name,
      stroke: rgb(l.colour),
      'stroke-width': l.width * twipsPerPixel,
      'stroke-linecap': 'round',
      visibility: 'hidden',
      ...ends,
    })}/>`;
  });
  return `<svg${attributes({ id: 'diagram', viewBox: `0 0 ${layout.width} ${layout.height}`, role: 'img', 'aria-hidden': 'true' })}>${lines.join('')}</svg>`;
}

// The result for each eye (app.js fills it after a compute): outside the
// form's rectangle, read right after the result line.
const eyes = `<section${attributes({ id: 'eyes', hidden: true, 'aria-label': layout.eyes.heading })}></section>`;

// Labels first (beneath), then the focusable controls in tab order.
const ordered = [...layout.controls].sort((a, b) => (a.tab < 0 ? -1 : a.tab) - (b.tab < 0 ? -1 : b.tab));
const form = [
  diagram(),
  ...ordered.flatMap((c) => (c.role === 'result' ? [element(c), eyes] : [element(c)])),
].join('\n');
const result = layout.controls.find((c) => c.role === 'result');

// The palette as custom properties (--window, --button-top ...), the focus
// tint's two colours, the form's size in its pixels.
const { focusAlpha, ...colours } = layout.palette;
const properties = Object.entries(colours).map(
  ([role, c]) => `  --${role.replace(/[A-Z]/g, (l) => `-${l.toLowerCase()}`)}: ${rgb(c)};`,
);
const tint = (c) => `rgb(${c.join(' ')} / ${(focusAlpha / 255).toFixed(4)})`;
const css = [
  "/* Generated from the form's description by tools/page.mjs. */",
  `:root {\n${properties.join('\n')}\n  --focus-tint-top: ${tint(layout.palette.focusLight)};\n  --focus-tint-bottom: ${tint(layout.palette.focus)};\n  --columns: ${layout.width / twipsPerPixel};\n  --rows: ${layout.height / twipsPerPixel};\n}`,
  `#form,\n#diagram {\n  width: ${px(layout.width)};\n  height: ${px(layout.height)};\n}`,
  // The message and the notice after END are in the window's default font.
  `#message,\n#ended {\n  font-family: ${fontFamily(layout.windowFont.family)};\n  font-size: ${layout.windowFont.points}pt;\n}`,
  eyesRule(),
  // The lens tool, under the form in the machine's own faces (the bundled
  // subsets hold only what the form draws).
  `#lens {\n  font-family: ${fontFamily(layout.lens.font.family, false)};\n  font-size: ${layout.lens.font.points}pt;\n}`,
  ...layout.controls.map((c) => {
    const [left, top, width, height] = c.rect;
    const font = fontOf(c);
    const rules = [
      `left: ${px(left)}`,
      `top: ${px(top)}`,
      `width: ${px(width)}`,
      `height: ${px(height)}`,
      `font-family: ${fontFamily(font.family)}`,
      `font-size: ${px((font.points * 1440) / 72)}`,
      `font-style: ${font.italic ? 'italic' : 'normal'}`,
    ];
    if (c.text) rules.push(`color: ${rgb(c.text)}`);
    if (c.background) rules.push(`background-color: ${rgb(c.background)}`);
    if (c.kind === 'Label')
      rules.push(`text-align: ${{ left: 'left', right: 'right', centre: 'center' }[c.align]}`);
    return `#${c.id} {\n${rules.map((r) => `  ${r};`).join('\n')}\n}`;
  }),
  ...phoneLayout(),
].join('\n');

// A phone held upright: the same controls in one column of lines (the
// description's rows), at the form's own sizes instead of scaled down, each
// entry and button at least a thumb's target. Chosen on the width the page
// has beside a scrollbar (the body's, through a container query), on screen
// only: the print keeps the form's own layout. Within a line the controls
// keep their distances across, so a caption behind a field stays behind it;
// a line wider than the column puts its leading caption above the rest.
function phoneLayout() {
  const GUTTER = 16; // CSS px each side of the column
  const TARGET = 44; // CSS px: the least height and width of a target
  const formWidth = layout.width / twipsPerPixel;
  const pixelsOf = (twips) => twips / twipsPerPixel;
  const rule = (selector, declarations) =>
    `${selector} {\n${declarations.map((d) => `  ${d};`).join('\n')}\n}`;
  // Each line of the column has three tracks: a caption moved above it, the
  // line itself, and what the page shows beneath it (the eyes' table).
  const track = (row, part) => 3 * row + part + 1;
  const rows = new Map();
  for (const c of layout.controls) rows.set(c.row, [...(rows.get(c.row) ?? []), c]);
  const placed = (c, row, part, left) =>
    rule(`#form > #${c.id}`, [
      `grid-row: ${track(row, part)}`,
      `margin-left: ${left}px`,
      `max-width: calc(100% - ${left}px)`,
    ]);
  const inLine = [];
  const captionAbove = [];
  const [ax, ay, aw] = layout.diagramArea;
  const share = (twips) => `${(100 * twips) / aw}%`;
  for (const [row, controls] of rows) {
    if (row === layout.diagramRow) {
      // The diagram's area across the column: the whole drawing scaled with
      // it and shifted so that the area's corner is the line's, the legend's
      // letters where the drawing puts them (a share of the width), at their
      // own size.
      inLine.push(
        rule('#form > #diagram', [
          `grid-row: ${track(row, 1)}`,
          'align-self: start',
          `width: calc(100% * ${layout.width / aw})`,
          'max-width: none',
          'height: auto',
          `margin-left: calc(-1 * ${share(ax)})`,
          `margin-top: calc(8px - ${share(ay)})`,
          'pointer-events: none',
        ]),
        ...controls.map((c) =>
          rule(`#form > #${c.id}`, [
            `grid-row: ${track(row, 1)}`,
            'align-self: start',
            `margin-left: ${share(c.rect[0] - ax)}`,
            `margin-top: calc(8px + ${share(c.rect[1] - ay)})`,
          ]),
        ),
      );
      continue;
    }
    const leftOf = (cs) => Math.min(...cs.map((c) => c.rect[0]));
    const left = leftOf(controls);
    const right = Math.max(...controls.map((c) => c.rect[0] + c.rect[2]));
    inLine.push(...controls.map((c) => placed(c, row, 1, pixelsOf(c.rect[0] - left))));
    // A caption: the line's leftmost control, a label, before fields.
    const [caption, ...rest] = [...controls].sort((a, b) => a.rect[0] - b.rect[0]);
    const fields = rest.filter((c) => c.kind !== 'Label');
    if (caption.kind !== 'Label' || fields.length === 0) continue;
    const width = pixelsOf(right - left) + 2 * GUTTER;
    captionAbove.push(
      `@container page (max-width: ${width - 0.02}px) {`,
      placed(caption, row, 0, 0),
      ...rest.map((c) => placed(c, row, 1, pixelsOf(c.rect[0] - leftOf(rest)))),
      '}',
    );
  }
  return [
    '@media screen {',
    `@container page (max-width: ${formWidth - 0.02}px) {`,
    rule('#form', [
      '--px: 1px',
      'display: grid',
      'grid-template-columns: minmax(0, 1fr)',
      'justify-items: start',
      'align-items: center',
      'width: auto',
      'height: auto',
      `padding: 0 ${GUTTER}px ${GUTTER}px`,
      'overflow-x: clip',
    ]),
    rule('#form > *', ['grid-column: 1', 'position: relative', 'left: 0', 'top: 0', 'margin-top: 8px']),
    rule('#form > .Label', ['height: auto']),
    ...layout.controls
      .filter((c) => c.kind === 'Label')
      .map((c) => rule(`#form > #${c.id}`, [`min-height: ${pixelsOf(c.rect[3])}px`])),
    rule('#form > .TextBox,\n#form > .CommandButton,\n#message button', [
      `min-width: ${TARGET}px`,
      `min-height: ${TARGET}px`,
    ]),
    ...eyesColumn(track(result.row, 2), TARGET),
    rule('#lens button,\n#lens input,\n#lens select', [`min-width: ${TARGET}px`, `min-height: ${TARGET}px`]),
    ...inLine,
    '}',
    ...captionAbove,
    '}',
  ];
}

// The eyes' table (its looks are style.css's): under the form, from the
// result line's left edge, in the result line's face; on a phone, on the
// track under the result line, its cells breaking where the column is too
// narrow and its buttons a thumb's target.
function eyesRule() {
  return `#eyes {\n  left: ${px(result.rect[0])};\n  font-family: ${fontFamily(result.font.family)};\n}`;
}
function eyesColumn(track, target) {
  return [
    `#form > #eyes {\n  grid-row: ${track};\n  top: 0;\n  max-width: 100%;\n}`,
    '#eyes th,\n#eyes td {\n  white-space: normal;\n  overflow-wrap: anywhere;\n}',
    `#eyes button {\n  min-width: ${target}px;\n  min-height: ${target}px;\n}`,
  ];
}

// The page's copy of the description: its words and rules whole, less what
// only this build reads (the form's places, fonts and colours, and its
// column's rows, all in the markup and form.css); of each control and line,
// what the page's script reads (its element id, its role, its caption).
const buildOnly = [
  'width',
  'height',
  'twipsPerPixel',
  'windowFont',
  'palette',
  'diagramArea',
  'diagramRow',
  'diagramOrigin',
  'substitutions',
  'lens', // lens/lens-words.js: loaded with the lens tool
];
const words = Object.fromEntries(Object.entries(layout).filter(([key]) => !buildOnly.includes(key)));
// Of the eyes' words, the table's headings and the copies' captions: the
// texts in the table come finished from the core.
const eyeWords = [
  'heading',
  'rightEye',
  'leftEye',
  'asRight',
  'asLeft',
  'split',
  'copyResult',
  'copyRight',
  'copyLeft',
  'copied',
];
const json = JSON.stringify({
  ...words,
  eyes: Object.fromEntries(eyeWords.map((key) => [key, layout.eyes[key]])),
  controls: layout.controls.map(({ id, role, caption }) => ({ id, role, caption })),
  lines: layout.lines.map(({ name, role }) => ({ name, role })),
});
// The lens tool's section: the button that opens it; the rest comes with
// its script (lens/lens.js), and its words with it.
const lens = `<section${attributes({ id: 'lens', 'aria-label': layout.lens.title })}><button${attributes({ id: 'lens-open', type: 'button', 'aria-expanded': 'false', 'aria-controls': 'lens-tool' })}>${escape(layout.lens.title)}</button></section>`;
mkdirSync(join(stage, 'lens'), { recursive: true });
writeFileSync(
  join(stage, 'lens', 'lens-words.js'),
  `// SPDX-License-Identifier: MIT\n// The lens tool's words, from the form's description.\nexport default ${JSON.stringify(core.lensForm())};\n`,
);

const html = readFileSync(template, 'utf8')
  .replaceAll('@TITLE@', () => escape(layout.programTitle))
  .replaceAll('@UNAVAILABLE@', () => escape(layout.unavailableNotice))
  .replaceAll('@FORM@', () => form)
  .replaceAll('@LENS@', () => lens)
  // Inside a script element only "</" could end it early.
  .replaceAll('@DESCRIPTION@', () => json.replaceAll('</', '<\\/'));
mkdirSync(site, { recursive: true });
writeFileSync(join(site, 'index.html'), html);
writeFileSync(join(stage, 'form.css'), `${css}\n`);
