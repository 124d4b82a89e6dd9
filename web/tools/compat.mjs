// SPDX-License-Identifier: MIT
// Which browser versions the page needs: for each feature it uses, the first
// version of each browser that supports it, from MDN's browser-compat-data
// (an npm package pinned in package-lock.json). Prints the README's table.
//
// Usage: node tools/compat.mjs
import { createRequire } from 'node:module';

const bcd = createRequire(import.meta.url)('@mdn/browser-compat-data');
const browsers = {
  chrome: 'Chrome',
  edge: 'Edge',
  firefox: 'Firefox',
  safari: 'Safari (macOS)',
  safari_ios: 'Safari (iOS, iPadOS)',
};

// [key, what the page uses it for, its fallback where an engine lacks it]
const features = [
  ['html.elements.script.type.module', 'the page and the core as JavaScript modules'],
  ['webassembly.api.instantiate_static', 'the C++ core'],
  ['api.HTMLDialogElement.showModal', 'the modal message'],
  ['css.selectors.backdrop', "the message's backdrop"],
  ['css.properties.custom-property', "the form's colours, set from its description"],
  [
    'css.properties.color-scheme',
    'light form controls in a dark theme',
    'a form drawn in its own colours everywhere',
  ],
  ['css.properties.-webkit-text-stroke', 'bold drawn as the desktop draws it'],
  ['javascript.operators.optional_chaining', "the page's script"],
  ['javascript.operators.nullish_coalescing', "the page's script"],
  ['api.Element.replaceChildren', 'captions, the notice after END'],
  ['api.Document.fonts', 'refitting texts when a bundled font arrives'],
  ['css.at-rules.font-face.WOFF_2', 'the bundled fonts', "the machine's own faces"],
  ['api.ServiceWorkerContainer.register', 'working offline', 'online only'],
  ['css.at-rules.media.display-mode', "END closing an installed app's window", 'the notice, as in a tab'],
  ['html.elements.link.rel.modulepreload', 'loading the core early', 'loaded when the page asks'],
  ['css.at-rules.page', 'printing 10 mm in from the corner', "the printer's own margins"],
  ['css.properties.print-color-adjust', "printing the form's colours", '-webkit-print-color-adjust'],
  ['css.types.min', 'the form scaled to a narrow screen or sheet'],
  ['api.HTMLElement.inputMode', 'a decimal keypad on a touch keyboard', 'the full keyboard'],
  ['css.selectors.focus-visible', 'the focus ring and tint', "the browser's own focus ring"],
  [
    'css.at-rules.media.forced-colors',
    'the diagram in a forced-colours theme',
    "the theme's colours throughout",
  ],
];

const first = (support) => {
  const entries = [support].flat().filter((e) => e && !e.flags && !e.prefix && !e.alternative_name);
  const full = entries.find((e) => !e.partial_implementation && !e.version_removed);
  const v = full?.version_added;
  return typeof v === 'string' ? v.replace('≤', '') : null;
};
const newer = (a, b) =>
  !b
    ? a
    : !a
      ? b
      : a
            .split('.')
            .map(Number)
            .reduce((d, n, i) => d || n - (Number(b.split('.')[i]) || 0), 0) >= 0
        ? a
        : b;

const needed = Object.fromEntries(Object.keys(browsers).map((b) => [b, null]));
const rows = [];
for (const [key, use, fallback] of features) {
  const compat = key.split('.').reduce((node, part) => node?.[part], bcd)?.__compat;
  if (!compat) throw new Error(`browser-compat-data has no ${key}`);
  const versions = Object.keys(browsers).map((b) => first(compat.support[b]));
  if (!fallback) Object.keys(browsers).forEach((b, i) => (needed[b] = newer(needed[b], versions[i])));
  rows.push(
    `| ${use} (\`${key.split('.').slice(-1)[0]}\`) | ${versions.map((v) => v ?? '—').join(' | ')} | ${fallback ?? 'needed'} |`,
  );
}

console.log(`| Feature | ${Object.values(browsers).join(' | ')} | Where missing |`);
console.log(
  `|---|${Object.keys(browsers)
    .map(() => '---')
    .join('|')}|---|`,
);
console.log(
  `| **the page needs** | ${Object.values(needed)
    .map((v) => `**${v}**`)
    .join(' | ')} | |`,
);
for (const row of rows) console.log(row);
console.log(`\n(@mdn/browser-compat-data ${bcd.__meta.version})`);
