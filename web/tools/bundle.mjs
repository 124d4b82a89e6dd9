// SPDX-License-Identifier: MIT
// Bundles the page from its sources gathered in STAGE (as the site lays
// them out) into SITE with Debian's esbuild: each script with everything it
// imports, minified, for the oldest engines the support table names
// (oldest.json, which the support table's test holds to the table), with
// its licence line and a linked source map beside it.
//   app.js        the page's entry module, its modules, the module's door and
//                 the core's factory: the first visit's one script
//   lens/lens.js  the lens tool, with its own door and its core's factory:
//                 loaded when the tool first opens (the page imports it by
//                 address, not bundled)
//   style.css     the first visit's style sheets as one (the page's, and
//                 the form's written from its description)
//   lens/lens.css the lens tool's, loaded with it; noscript.css apart
// and each core's WebAssembly beside its factory's script.
//
// Usage: node bundle.mjs ESBUILD STAGE SITE
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

const [esbuild, stage, site] = process.argv.slice(2);
const oldest = JSON.parse(readFileSync(new URL('oldest.json', import.meta.url), 'utf8'));
const target = [
  ...['chrome', 'edge', 'firefox', 'safari'].map((b) => `${b}${oldest[b]}`),
  `ios${oldest.safari_ios}`,
].join(',');
const LICENCE = 'SPDX-License-Identifier: MIT';

const bundle = (entry, output, options, { map = true } = {}) => {
  mkdirSync(dirname(join(site, output)), { recursive: true });
  execFileSync(
    esbuild,
    [
      join(stage, entry),
      '--bundle',
      '--minify',
      ...(map ? ['--sourcemap'] : []),
      `--target=${target}`,
      `--outfile=${join(site, output)}`,
      '--log-level=warning',
      ...options,
    ],
    { stdio: 'inherit' },
  );
};
const script = ['--format=esm', `--banner:js=// ${LICENCE}`];
const style = [`--banner:css=/* ${LICENCE} */`, '--external:fonts/*'];

bundle('app.js', 'app.js', [...script, '--external:./lens/lens.js']);
bundle('lens/lens.js', 'lens/lens.js', script);
const first = join(stage, 'first.css');
writeFileSync(first, '@import "./style.css";\n@import "./form.css";\n');
bundle('first.css', 'style.css', style);
bundle('lens/lens.css', 'lens/lens.css', style);
// Where no script runs: nothing for a developer to trace.
bundle('noscript.css', 'noscript.css', style, { map: false });
copyFileSync(join(stage, 'prism-core.wasm'), join(site, 'prism-core.wasm'));
copyFileSync(join(stage, 'prism-lens.wasm'), join(site, 'lens', 'prism-lens.wasm'));
