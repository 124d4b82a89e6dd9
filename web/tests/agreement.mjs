// SPDX-License-Identifier: MIT
// The WebAssembly half of the agreement test: the native driver prints its
// answers to many entry quadruples; the module (Node build) answers the same
// quadruples, in the same order, and every answer must agree: outcome,
// result text, one-decimal powers, scale existence and scale exactly, end
// points within 0.01 twip.
//
// Usage: node agreement.mjs NATIVE-DRIVER NODE-MODULE [COUNT]
import { spawnSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';

const [driver, modulePath, countText = '100000'] = process.argv.slice(2);
const native = spawnSync(driver, [countText], { encoding: 'utf8', maxBuffer: 1 << 30 });
if (native.status !== 0) {
  console.error(`native driver failed: ${native.stderr}`);
  process.exit(2);
}
const cases = native.stdout.trim().split('\n').map((line) => JSON.parse(line));

const core = await createRequire(import.meta.url)(resolve(modulePath))();
const text = (name, ...args) => core.ccall(name, 'string', args.map(() => 'number'), args);
const number = (name, ...args) => core.ccall(name, 'number', args.map(() => 'number'), args);

const mismatches = new Map();
const note = (field, c, got) => {
  const list = mismatches.get(field) ?? [];
  if (list.length < 5) list.push({ in: c.in, native: c[field], wasm: got });
  mismatches.set(field, list);
  list.count = (list.count ?? 0) + 1;
};

for (const c of cases) {
  const outcome = core.ccall('prism_compute', 'number', ['string', 'string', 'string', 'string'], c.in);
  if (outcome !== c.outcome) note('outcome', c, outcome);
  const result = text('prism_result_text');
  if (result !== c.text) note('text', c, result);
  const words = text('prism_diagram_text');
  if (words !== c.words) note('words', c, words);
  const scaled = number('prism_has_scale');
  if (scaled !== c.scaled) note('scaled', c, scaled);
  const powers = [0, 1, 2].map((i) => text('prism_power_text', i));
  if (powers.join('|') !== c.powers.join('|')) note('powers', c, powers);
  // The native scale is printed to float precision; as a float it is exact.
  const scale = number('prism_scale');
  if (Math.fround(c.scale) !== scale) note('scale', c, scale);
  const ends = [0, 1, 2].flatMap((i) => [number('prism_end_x', i), number('prism_end_y', i)]);
  if (ends.some((v, i) => !(Math.abs(v - c.ends[i]) <= 0.01))) note('ends', c, ends);
}

const outcomes = [0, 1, 2].map((o) => cases.filter((c) => c.outcome === o).length);
console.log(`${cases.length} quadruples: ${outcomes[0]} composed (${cases.filter((c) => c.outcome === 0 && !c.scaled).length} without a scale), ` +
  `${outcomes[1]} refused A, ${outcomes[2]} refused B`);
if (mismatches.size === 0) {
  console.log('native core and WebAssembly module agree in every case');
  process.exit(0);
}
for (const [field, list] of mismatches) {
  console.error(`${field}: ${list.count} disagreements, for example:`);
  for (const m of list) console.error(`  ${JSON.stringify(m)}`);
}
process.exit(1);
