// SPDX-License-Identifier: MIT
// Prints every character the form can show, for subsetting the bundled
// fonts: the description's texts (captions, titles, messages, the notices,
// each eye's words), the result line's and the eyes' pieces, the page's own
// "OK", and the digits and signs an entry can hold, in half and full width.
// Read from the module's Node build.
//
// Usage: node characters.mjs NODE-MODULE > characters.txt
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { wrap } from '../core/prism.mjs';

const core = wrap(await createRequire(import.meta.url)(resolve(process.argv[2]))());
const layout = JSON.parse(core.formJson());

const texts = [
  layout.windowTitle,
  layout.programTitle,
  layout.messageA,
  layout.messageB,
  layout.endedNotice,
  layout.unavailableNotice,
  layout.waitingText,
  layout.coreFailedMessage,
  ...Object.values(layout.eyes),
  'OK',
];
for (const c of layout.controls) texts.push(c.caption, c.accessibleName);
// A result line: a power, "△ Base ", a direction, "°" (from the core itself).
core.compute('3', '0', '4', '90');
texts.push(core.resultText());
// Each eye's words ("3.0△ BI、4.0△ BU", "2.50△ Base 233°"), from the core too.
const strings = (value) => (typeof value === 'string' ? [value] : Object.values(value).flatMap(strings));
texts.push(...strings(core.eyes()));
const half = '0123456789.+-eE ';
const full = [...half]
  .map((c) => (c === ' ' ? '\u3000' : String.fromCodePoint(c.codePointAt(0) + 0xfee0)))
  .join('');
texts.push(half, full, '-');

const characters = [...new Set([...texts.join('')])].filter((c) => c !== '\n').sort();
process.stdout.write(characters.join(''));
