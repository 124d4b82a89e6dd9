// SPDX-License-Identifier: MIT
// Prints every character the page draws in one of the faces the form's
// description names, for subsetting that face's bundled stand-in: the
// captions of the controls in that face; in the result line's face the
// result line, the waiting text and each eye's words (the eyes' table under
// it takes that face); in the entries' face the digits and signs an entry
// can hold, in half and full width; in the window's face the messages, the
// notice after END and the message's "OK". Read from the module's Node build.
//
// Usage: node characters.mjs NODE-MODULE STYLE-CSS FONT-FILE > characters.txt
// (the face is the one whose bundled stand-in STYLE-CSS loads from FONT-FILE)
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { wrap } from '../core/prism.mjs';

const [modulePath, style, file] = process.argv.slice(2);
const face = readFileSync(style, 'utf8')
  .split('@font-face')
  .find((rule) => rule.includes(`url(${file})`));
const family = face?.match(/font-family: 'bundled ([^']+)'/)?.[1];
if (!family) throw new Error(`${style} loads no bundled face from ${file}`);
const core = wrap(await createRequire(import.meta.url)(resolve(modulePath))());
const layout = core.form();
const faceOf = (c) => c.font.family || layout.windowFont.family;

const texts = layout.controls.filter((c) => faceOf(c) === family).map((c) => c.caption);
if (faceOf(layout.controls.find((c) => c.role === 'result')) === family) {
  // From the core itself: "5.0△ Base 53°", "3.0", "BI", "2.50△ Base 233°".
  const { result, eyes } = core.compute({ aPower: '3', aBase: '0', bPower: '4', bBase: '90' });
  const strings = (value) =>
    typeof value === 'string'
      ? [value]
      : typeof value === 'object'
        ? Object.values(value).flatMap(strings)
        : [];
  texts.push(result, layout.waitingText, ...strings(layout.eyes), ...strings(eyes));
}
if (layout.controls.some((c) => c.kind === 'TextBox' && faceOf(c) === family)) {
  const half = '0123456789.+-eE ';
  const full = [...half].map((c) => (c === ' ' ? '\u3000' : String.fromCodePoint(c.codePointAt(0) + 0xfee0)));
  texts.push(half, ...full);
}
if (layout.windowFont.family === family)
  texts.push(
    layout.programTitle,
    layout.messageA,
    layout.messageB,
    layout.coreFailedMessage,
    layout.endedNotice,
    'OK',
  );
if (texts.length === 0) throw new Error(`the page draws nothing in ${family}`);

const characters = [...new Set([...texts.join('')])].filter((c) => c !== '\n').sort();
process.stdout.write(characters.join(''));
