// SPDX-License-Identifier: MIT
// Writes the page's HTML from its template with the texts of the form's
// description: the program's title, and what the page says where it cannot
// start (no JavaScript, no WebAssembly, opened from disk). Read from the
// module's Node build.
//
// Usage: node page.mjs NODE-MODULE TEMPLATE OUT
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';

const [module, template, out] = process.argv.slice(2);
const core = await createRequire(import.meta.url)(resolve(module))();
const layout = JSON.parse(core.ccall('prism_form_json', 'string', [], []));
const escape = (text) => text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
const html = readFileSync(template, 'utf8')
  .replaceAll('@TITLE@', escape(layout.programTitle))
  .replaceAll('@UNAVAILABLE@', escape(layout.unavailableNotice));
writeFileSync(out, html);
