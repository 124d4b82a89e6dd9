// SPDX-License-Identifier: MIT
// The WebAssembly half of the agreement test: the native driver prints its
// answers to many entry quadruples; the module (Node build) answers the same
// quadruples, in the same order, and every answer must agree: outcome,
// result text, each eye's texts, one-decimal powers, scale existence and scale exactly, end
// points within 0.01 twip.
//
// Usage: node agreement.mjs NATIVE-DRIVER NODE-MODULE [COUNT]
import { spawnSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { wrap } from '../core/prism.mjs';

const [driver, modulePath, countText = '100000'] = process.argv.slice(2);
const native = spawnSync(driver, [countText], { encoding: 'utf8', maxBuffer: 1 << 30 });
if (native.status !== 0) {
  console.error(`native driver failed: ${native.stderr}`);
  process.exit(2);
}
const cases = native.stdout
  .trim()
  .split('\n')
  .map((line) => JSON.parse(line));

const core = wrap(await createRequire(import.meta.url)(resolve(modulePath))());

// Two texts that say the same: the same words, and the same numbers but
// for the 15th significant digit. The eyes' texts write C's components,
// whose last bit the two libms' cosines differ in now and then: it shows
// where a component is written to 15 digits (powers of 10^13 and more).
const NUMBER = /\d+(?:\.\d+)?/g;
function sameWritten(a, b) {
  if (a === b) return true;
  if (a.replace(NUMBER, '#') !== b.replace(NUMBER, '#')) return false;
  const [x, y] = [a.match(NUMBER), b.match(NUMBER)].map((n) => n.map(Number));
  return x.every((v, i) => Math.abs(v - y[i]) <= 1e-14 * Math.max(Math.abs(v), Math.abs(y[i])));
}

const mismatches = new Map();
const note = (field, c, got) => {
  const list = mismatches.get(field) ?? [];
  if (list.length < 5) list.push({ in: c.in, native: c[field], wasm: got });
  mismatches.set(field, list);
  list.count = (list.count ?? 0) + 1;
};

for (const c of cases) {
  const outcome = core.compute(...c.in);
  if (outcome !== c.outcome) note('outcome', c, outcome);
  const result = core.resultText();
  if (result !== c.text) note('text', c, result);
  const words = core.diagramText();
  if (words !== c.words) note('words', c, words);
  const eyes = JSON.stringify(core.eyes());
  if (!sameWritten(eyes, JSON.stringify(JSON.parse(c.eyes)))) note('eyes', c, eyes);
  const scaled = core.hasScale() ? 1 : 0;
  if (scaled !== c.scaled) note('scaled', c, scaled);
  const powers = [0, 1, 2].map(core.powerText);
  if (powers.join('|') !== c.powers.join('|')) note('powers', c, powers);
  // The native scale is printed to float precision; as a float it is exact.
  const scale = core.scale();
  if (Math.fround(c.scale) !== scale) note('scale', c, scale);
  const ends = [0, 1, 2].map(core.end).flatMap(({ x, y }) => [x, y]);
  if (ends.some((v, i) => !(Math.abs(v - c.ends[i]) <= 0.01))) note('ends', c, ends);
}

const outcomes = [0, 1, 2].map((o) => cases.filter((c) => c.outcome === o).length);
console.log(
  `${cases.length} quadruples: ${outcomes[0]} composed (${cases.filter((c) => c.outcome === 0 && !c.scaled).length} without a scale), ` +
    `${outcomes[1]} refused A, ${outcomes[2]} refused B`,
);
if (mismatches.size === 0) {
  console.log('native core and WebAssembly module agree in every case');
  process.exit(0);
}
for (const [field, list] of mismatches) {
  console.error(`${field}: ${list.count} disagreements, for example:`);
  for (const m of list) console.error(`  ${JSON.stringify(m)}`);
}
process.exit(1);
