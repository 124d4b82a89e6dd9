// SPDX-License-Identifier: MIT
// The WebAssembly half of the agreement test: the native driver prints its
// answers to many entry quadruples, and the record after each; the module
// (Node build) answers the same quadruples, in the same order, and every
// answer must agree: its outcome and shape, the result text, the diagram's
// words, each eye's readings, scale existence, end points within 0.01 twip;
// and so must the record as it stands, after a refusal too: its texts,
// C's one-decimal power and result line, the scale exactly, the ends.
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
  if (a === undefined || b === undefined) return false;
  if (a.replace(NUMBER, '#') !== b.replace(NUMBER, '#')) return false;
  const [x, y] = [a.match(NUMBER), b.match(NUMBER)].map((n) => n.map(Number));
  return x.every((v, i) => Math.abs(v - y[i]) <= 1e-14 * Math.max(Math.abs(v), Math.abs(y[i])));
}

const mismatches = new Map();
const note = (field, c, native, wasm) => {
  const list = mismatches.get(field) ?? [];
  if (list.length < 5) list.push({ in: c.in, native, wasm });
  mismatches.set(field, list);
  list.count = (list.count ?? 0) + 1;
};
const compare = (field, c, native, wasm, same = (a, b) => a === b) => {
  if (!same(native, wasm)) note(field, c, native, wasm);
};
const near = (a = [], b = []) =>
  a.length === b.length &&
  a.every((p, i) => Math.abs(p.x - b[i].x) <= 0.01 && Math.abs(p.y - b[i].y) <= 0.01);
// A value's fields, by its outcome (prism.mjs: Shown): a refusal says nothing else.
const shapes = {
  composed: 'outcome,result,scaled,ends,words,eyes,c',
  'refused A': 'outcome',
  'refused B': 'outcome',
};
// C's components as composed: the same but for the last bits the two libms'
// cosines differ in.
const close = (a, b) =>
  (a === undefined && b === undefined) ||
  [a.x - b.x, a.y - b.y].every((d) => Math.abs(d) <= 1e-12 * Math.max(1, Math.abs(a.x), Math.abs(a.y)));

for (const c of cases) {
  const [aPower, aBase, bPower, bBase] = c.in;
  const [want, got] = [c.value, core.compute({ aPower, aBase, bPower, bBase })];
  compare('outcome', c, want.outcome, got.outcome);
  compare('shape', c, shapes[want.outcome], Object.keys(got).join(','));
  compare('text', c, want.result, got.result);
  compare('words', c, want.words, got.words);
  compare('scaled', c, want.scaled, got.scaled);
  compare('eyes', c, JSON.stringify(want.eyes), JSON.stringify(got.eyes), sameWritten);
  compare('ends', c, want.ends, got.ends, near);
  compare('c', c, want.c, got.c, close);
  const [kept, record] = [c.record, core.record()];
  for (const text of ['AP', 'ABase', 'BP', 'BBase', 'CP', 'result'])
    compare(`record ${text}`, c, kept[text], record[text]);
  // Both write the float exactly.
  compare('scale', c, kept.MAG, record.MAG);
  compare('record ends', c, kept.ends, record.ends, near);
}

const outcomes = ['composed', 'refused A', 'refused B'].map(
  (o) => cases.filter((c) => c.value.outcome === o).length,
);
const unscaled = cases.filter((c) => c.value.outcome === 'composed' && !c.value.scaled).length;
console.log(
  `${cases.length} quadruples: ${outcomes[0]} composed (${unscaled} without a scale), ` +
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
