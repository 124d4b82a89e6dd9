// SPDX-License-Identifier: MIT
// The lens tool: for each eye, the prism its lens gives at the pupil when
// its optical centre is off it, and the decentration that gives a prism
// wanted; and where the wearer reads. Loaded when the tool first opens,
// with its own module of the core (prism-lens.mjs, whose WebAssembly the
// page fetches beside this) and its words (lens-words.js); the page hands it
// the composer's words and bridges.
// Every text it shows comes finished from the core; this only places it.
import { copyText } from '../eyes.js';
import create from '../prism-lens.mjs';
import { wrap } from '../prism.mjs';
import { lensCheck } from './lens-check.js';
import { lensEye } from './lens-eye.js';
import { lensNear } from './lens-near.js';
import words from './lens-words.js';

/** @type {ReturnType<typeof import('../prism.mjs').wrap> | null} */
let core = null; // the lens core's calls, once loaded
const loadCore = () =>
  create().then((module) => {
    performance.mark('prism-lens-core');
    return wrap(module);
  });

// Builds the tool in `section`, under its open button, hidden, and returns
// it. `page` gives the composer's words and its
// bridges: its messages, the word a copy says once done, C while a result
// shows (composer.c(), composer.onChange(run)) and a put into B
// (composer.putIntoB(power, direction)).
export function openLens(section, page) {
  const { composer } = page;
  let loading = loadCore().then((c) => (core = c));
  const sides = words.eyes.map(lensEye);
  const shown = [null, null];
  const compute = document.createElement('button');
  Object.assign(compute, { type: 'button', id: 'lens-compute', textContent: words.compute });
  const fills = words.fills.map(({ fill, caption }) => {
    const b = Object.assign(document.createElement('button'), { type: 'button', textContent: caption });
    b.addEventListener('click', async () => {
      const c = composer.c();
      await loading.catch(() => {}); // a fill pressed before the core arrived waits for it
      if (!core || !c) return;
      const wanted = core.fill({ c, fill });
      [wanted.right, wanted.left].forEach((w, i) => {
        sides[i].want(w);
        show(i, null);
      });
      near.show(null);
      check.show(null);
    });
    return b;
  });
  const fillLine = document.createElement('div');
  fillLine.className = 'lens-fills';
  fillLine.append(words.fillHeading, ...fills);
  const near = lensNear(page.copied);
  const check = lensCheck(page.copied);
  const tool = document.createElement('div');
  tool.id = 'lens-tool';
  tool.hidden = true;
  const both = document.createElement('div');
  both.className = 'lens-eyes';
  both.append(...sides.map((s) => s.box));
  tool.append(both, near.box, check.box, compute, fillLine);
  section.append(tool);

  // What shows for each eye, and what is offered while the composer shows a result.
  const offer = () => {
    const c = composer.c();
    fillLine.hidden = !c;
    sides.forEach((s, i) => (s.intoB.hidden = !c || !shown[i]?.b));
  };
  /** @param {number} i @param {import('../prism.mjs').LensEyeShown | null} value */
  function show(i, value) {
    shown[i] = value;
    sides[i].results.prism.textContent = value?.prism ?? '';
    sides[i].results.offset.textContent = value?.offset ?? '';
    sides[i].copy.hidden = !value || !navigator.clipboard?.writeText;
    sides[i].copied.textContent = '';
    offer();
  }
  composer.onChange(offer);

  async function run() {
    try {
      await loading;
    } catch {
      loading = loadCore().then((c) => (core = c));
      return page.showMessage(page.coreFailedMessage);
    }
    const value = core.lens({
      right: sides[0].read(),
      left: sides[1].read(),
      depth: near.depth.value,
      inset: near.inset.value,
    });
    show(0, value.right);
    show(1, value.left);
    near.show(value.near);
    check.show(value.check);
    // The first refused entry's message; the focus goes to the entry, and
    // returns there after it.
    const { refused } = value;
    if (!refused) return;
    const input = refused.eye
      ? sides[refused.eye === 'right' ? 0 : 1].entries[refused.entry]
      : near[refused.entry];
    input.focus();
    page.showMessage(refused.message);
  }
  // Enter in an entry computes, and goes no further: the same key would
  // otherwise press the message's OK the moment it opens.
  const onEnter = (event) => {
    if (event.key !== 'Enter' || event.isComposing) return;
    event.preventDefault();
    run();
  };
  compute.addEventListener('click', run);
  for (const input of [near.depth, near.inset]) {
    input.addEventListener('input', () => near.show(null));
    input.addEventListener('keydown', onEnter);
  }
  sides.forEach((side, i) => {
    side.onEdit(() => {
      show(i, null);
      near.show(null);
      check.show(null);
    });
    for (const input of Object.values(side.entries)) input.addEventListener('keydown', onEnter);
    side.intoB.addEventListener('click', () => composer.putIntoB(shown[i].b.power, shown[i].b.direction));
    side.copy.addEventListener('click', () => copyText(shown[i].copy, side.copied, page.copied));
    show(i, null);
  });
  return tool;
}
