// SPDX-License-Identifier: MIT
// Copies a script without its comment lines (a line that holds only a
// comment, or a block comment, /* ... */ or /** ... */, from the start of a
// line; the licence line stays): the same code in fewer bytes.
//
// Usage: node uncomment.mjs SOURCE DESTINATION
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname } from 'node:path';

const [source, destination] = process.argv.slice(2);
let block = false;
const kept = readFileSync(source, 'utf8')
  .split('\n')
  .filter((line) => {
    if (!block && /^\s*\/\*/.test(line)) block = true;
    if (block) {
      block = !line.includes('*/');
      return false;
    }
    return !/^\s*\/\/(?! SPDX)/.test(line);
  });
mkdirSync(dirname(destination), { recursive: true });
writeFileSync(destination, kept.join('\n'));
