// SPDX-License-Identifier: MIT
// Copies a script without its comment lines (a line that holds only a
// comment; the licence line stays): the same code in fewer bytes.
//
// Usage: node uncomment.mjs SOURCE DESTINATION
import { readFileSync, writeFileSync } from 'node:fs';

const [source, destination] = process.argv.slice(2);
const lines = readFileSync(source, 'utf8').split('\n');
writeFileSync(destination, lines.filter((line) => !/^\s*\/\/(?! SPDX)/.test(line)).join('\n'));
