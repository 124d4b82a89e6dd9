// SPDX-License-Identifier: MIT
// Which browser versions the page needs: for each feature it uses, the first
// version of each browser that supports it, from MDN's browser-compat-data
// (an npm package pinned in package-lock.json), and where the built site
// uses it. Run, it prints the README's table; the browser tests check that
// every row's token is in the built site, that the README shows this very
// table, and that the page names these versions where it cannot start.
//
// Usage: node tools/compat.mjs
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

const bcd = createRequire(import.meta.url)('@mdn/browser-compat-data');
export const browsers = {
  chrome: 'Chrome',
  edge: 'Edge',
  firefox: 'Firefox',
  safari: 'Safari (macOS)',
  safari_ios: 'Safari (iOS, iPadOS)',
};

const policy = 'http.headers.Content-Security-Policy';
// Each feature: its key, what the page uses it for, the page's file that
// uses it (index.html and sw.js as the site has them, the rest as their
// sources are named, in whichever bundle holds them) and the text that
// shows it there (blanks and quotes as a minifier may write them; a
// pattern where the text alone would also match another), and what happens
// where a browser lacks it (none: the page needs it). `before` says, per
// browser, why versions before the first still run the page.
export const features = [
  [
    'html.elements.script.type.module',
    'the page and the core as JavaScript modules',
    'index.html',
    'type="module"',
  ],
  [
    'javascript.operators.import',
    'the lens tool fetched when it opens',
    'lens-open.js',
    "import('./lens/lens.js')",
  ],
  ['webassembly.api.instantiate_static', 'the C++ core', 'prism-core.mjs', 'WebAssembly.instantiate'],
  ['api.ResizeObserver', 'captions set again when the layout changes', 'fit.js', 'new ResizeObserver'],
  ['api.HTMLDialogElement.showModal', 'the modal message', 'notices.js', 'showModal()'],
  ['css.selectors.backdrop', "the message's backdrop", 'style.css', '::backdrop'],
  ['css.properties.custom-property', "the form's colours, set from its description", 'style.css', 'var(--'],
  [
    'css.properties.color-scheme',
    'light form controls in a dark theme',
    'style.css',
    'color-scheme: light',
    'a form drawn in its own colours everywhere',
  ],
  [
    'css.properties.-webkit-text-stroke',
    'bold drawn as the desktop draws it',
    'style.css',
    '-webkit-text-stroke',
  ],
  ['javascript.operators.optional_chaining', "the page's script", 'app.js', '?.'],
  ['javascript.operators.nullish_coalescing', "the page's script", 'app.js', '??'],
  ['api.Element.replaceChildren', 'captions, the notice after END', 'fit.js', 'replaceChildren('],
  ['api.Document.fonts', 'refitting texts when a bundled font arrives', 'fit.js', 'document.fonts'],
  [
    'css.at-rules.font-face.WOFF_2',
    'the bundled fonts',
    'style.css',
    "format('woff2')",
    "the machine's own faces",
  ],
  ['api.ServiceWorkerContainer.register', 'working offline', 'loader.js', 'serviceWorker', 'online only'],
  [
    'api.FetchEvent.resultingClientId',
    'a page open during an update keeping its version',
    'sw.js',
    'resultingClientId',
    "the new version's files",
  ],
  [
    'css.at-rules.media.display-mode',
    "END closing an installed app's window",
    'notices.js',
    'display-mode',
    'the notice, as in a tab',
  ],
  [
    'html.elements.link.rel.preload',
    "fetching the core's WebAssembly with the page",
    'index.html',
    'rel="preload"',
    'fetched when the core asks',
  ],
  [
    'css.at-rules.container',
    'one column on a phone held upright',
    'form.css',
    '@container',
    "the form scaled to the screen's width",
  ],
  [
    'css.at-rules.page',
    'printing 10 mm in from the corner',
    'style.css',
    '@page',
    "the printer's own margins",
  ],
  [
    'css.properties.print-color-adjust',
    "printing the form's colours",
    'style.css',
    /(?<![-\w])print-color-adjust: ?exact/, // not the prefixed line's tail
    '-webkit-print-color-adjust',
  ],
  ['css.types.min', 'the form scaled to a narrow sheet', 'style.css', 'min('],
  [
    'api.HTMLElement.inputMode',
    'a decimal keypad on a touch keyboard',
    'index.html',
    'inputmode="decimal"',
    'the full keyboard',
  ],
  [
    'css.selectors.focus-visible',
    'the focus ring and tint',
    'style.css',
    ':focus-visible',
    "the browser's own focus ring",
  ],
  [
    'api.Clipboard.writeText',
    "copying the result and each eye's parts",
    'eyes.js',
    'clipboard.writeText',
    "selecting the table's text",
  ],
  [
    'css.properties.scrollbar-gutter',
    'the layout kept when a result brings a scrollbar',
    'style.css',
    'scrollbar-gutter: stable',
    'the layout chosen again beside it',
  ],
  [
    'css.at-rules.media.forced-colors',
    'the diagram in a forced-colours theme',
    'style.css',
    'forced-colors',
    "the theme's colours throughout",
  ],
  // The page's policy, directive by directive. A directive a browser does
  // not know is not enforced there: the page works, less guarded.
  [
    `${policy}.script-src.wasm-unsafe-eval`,
    'the C++ core under the policy',
    'index.html',
    "'wasm-unsafe-eval'",
    undefined,
    { firefox: 'applied no policy to WebAssembly' },
  ],
  ...[
    'default-src',
    'script-src',
    'style-src',
    'img-src',
    'font-src',
    'connect-src',
    'manifest-src',
    'worker-src',
    'object-src',
    'base-uri',
    'form-action',
  ].map((directive) => [
    `${policy}.${directive}`,
    "the page's policy",
    'index.html',
    `${directive} '`,
    'not enforced',
  ]),
];

// The first version that supports a feature in full, without a flag or a prefix.
const first = (support) => {
  const entries = [support].flat().filter((e) => e && !e.flags && !e.prefix && !e.alternative_name);
  const full = entries.find((e) => !e.partial_implementation && !e.version_removed);
  const v = full?.version_added;
  return typeof v === 'string' ? v.replace('≤', '') : null;
};
const newer = (a, b) => {
  if (!a || !b) return a ?? b;
  const order = a
    .split('.')
    .map(Number)
    .reduce((d, n, i) => d || n - (Number(b.split('.')[i]) || 0), 0);
  return order >= 0 ? a : b;
};

// For each feature, each browser's first version; and the versions the
// page needs: for each browser the newest first version among the features
// without a fallback (and without a reason why earlier ones run the page).
export function support() {
  const rows = features.map(([key, use, file, token, fallback, before = {}]) => {
    const compat = key.split('.').reduce((node, part) => node?.[part], bcd)?.__compat;
    if (!compat) throw new Error(`browser-compat-data has no ${key}`);
    const versions = Object.fromEntries(Object.keys(browsers).map((b) => [b, first(compat.support[b])]));
    return { key, use, file, token, fallback, before, versions };
  });
  const needed = Object.fromEntries(Object.keys(browsers).map((b) => [b, null]));
  for (const row of rows.filter((r) => !r.fallback))
    for (const b of Object.keys(browsers)) if (!row.before[b]) needed[b] = newer(needed[b], row.versions[b]);
  return { rows, needed, version: bcd.__meta.version };
}

// The README's table.
export function table() {
  const { rows, needed, version } = support();
  const notes = [];
  const cell = (row, b) => {
    const v = row.versions[b] ?? '—';
    if (!row.before[b]) return v;
    notes.push(`${browsers[b]} before ${v}: ${row.before[b]}`);
    return `${v}*`;
  };
  const lines = [
    `| Feature | ${Object.values(browsers).join(' | ')} | Where missing |`,
    `|---|${Object.keys(browsers)
      .map(() => '---')
      .join('|')}|---|`,
    `| **the page needs** | ${Object.values(needed)
      .map((v) => `**${v}**`)
      .join(' | ')} | |`,
    ...rows.map(
      (row) =>
        `| ${row.use} (\`${row.key.split('.').slice(-1)[0]}\`) | ${Object.keys(browsers)
          .map((b) => cell(row, b))
          .join(' | ')} | ${row.fallback ?? 'needed'} |`,
    ),
    '',
    ...notes.map((n) => `\\* ${n}, so earlier versions run the page too.`),
    `(@mdn/browser-compat-data ${version})`,
  ];
  return lines.join('\n');
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) console.log(table());
