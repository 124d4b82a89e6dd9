// SPDX-License-Identifier: MIT
// The lens tool: for each eye, the prism its lens gives at the pupil when
// its optical centre is off it, and the decentration that gives a prism
// wanted. Loaded when the tool first opens, with its own module of the core
// (prism-lens.mjs) and its words (lens-words.js); the page hands it the
// composer's words and bridges. Every number comes from the core; this only
// joins its parts with the description's words.
import { copyText } from './eyes.js';
import words from './lens-words.js';
import { key, lensEye, texts } from './lens-eye.js';
import { lensNear } from './lens-near.js';

let core = null; // the lens core's calls, once loaded
const loadCore = () =>
  Promise.all([import('./prism-lens.mjs'), import('./prism.mjs')]).then(
    async ([{ default: create }, { wrap }]) => wrap(await create()),
  );

// The message of a refused entry: its name and what it takes.
function refusal(shown, input) {
  const says = {
    sphere: words.powerTakes,
    cylinder: words.powerTakes,
    axis: shown.needed ? words.axisNeeded : words.axisTakes,
  };
  return (says[shown.refused] ?? words.sizeTakes).replace('%1', input.getAttribute('aria-label'));
}

// Builds the tool in `section`, under its open button, hidden; resolves to
// it once its looks have arrived. `page` gives the
// composer's words and its bridges: its title and messages, each eye's
// words, C while a result shows (composer.c(), composer.onChange(run)) and
// a put into B (composer.putIntoB(power, direction)).
export async function openLens(section, page) {
  const { eyes, composer } = page;
  // Its looks first, so that it never shows without them.
  const looks = Object.assign(document.createElement('link'), { rel: 'stylesheet', href: 'lens.css' });
  const styled = new Promise((resolve) => (looks.onload = looks.onerror = resolve));
  section.append(looks);
  let loading = loadCore().then((c) => (core = c));
  const sides = ['right', 'left'].map((eye) => lensEye(eye, eye === 'right' ? eyes.rightEye : eyes.leftEye));
  const shown = [null, null];
  const compute = document.createElement('button');
  Object.assign(compute, { type: 'button', id: 'lens-compute', textContent: words.compute });
  const fills = words.fills.map((caption, n) => {
    const b = Object.assign(document.createElement('button'), { type: 'button', textContent: caption });
    b.addEventListener('click', async () => {
      const c = composer.c();
      await loading.catch(() => {}); // a fill pressed before the core arrived waits for it
      core?.fill(c, ['as right', 'split as right', 'as left', 'split as left'][n]).forEach((w, i) => {
        sides[i].want(w);
        show(i, null);
      });
      near.show(null);
    });
    return b;
  });
  const fillLine = document.createElement('div');
  fillLine.className = 'lens-fills';
  fillLine.append(words.fillHeading, ...fills);
  const near = lensNear(eyes);
  const tool = document.createElement('div');
  tool.id = 'lens-tool';
  tool.hidden = true;
  const both = document.createElement('div');
  both.className = 'lens-eyes';
  both.append(...sides.map((s) => s.box));
  tool.append(both, near.box, compute, fillLine);
  section.append(tool);

  // What shows for each eye, and what is offered while the composer shows a result.
  const offer = () => {
    const c = composer.c();
    fillLine.hidden = !c;
    sides.forEach((s, i) => (s.intoB.hidden = !c || !shown[i]?.b));
  };
  function show(i, value) {
    shown[i] = value?.lens && !value.refused ? value : null;
    const t = shown[i] && texts(shown[i], eyes);
    sides[i].results.prism.textContent = t?.prism ?? '';
    sides[i].results.offset.textContent = t?.offset ?? '';
    sides[i].copy.hidden = !shown[i] || !navigator.clipboard?.writeText;
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
    let refused = null;
    sides.forEach((side, i) => {
      const value = core.lens(i === 0 ? 'right' : 'left', side.read());
      show(i, value);
      if (value.refused && !refused) refused = { value, side };
    });
    const atNear = core.near(sides[0].read(), sides[1].read(), near.depth.value, near.inset.value);
    near.show(refused ? null : atNear);
    // The first refused entry's message; the focus goes to the entry, and
    // returns there after it.
    let input, says;
    if (refused) {
      input = refused.side.entries[key(refused.value.refused)];
      says = refusal(refused.value, input);
    } else if (atNear.refused) {
      input = near[atNear.refused];
      says = (atNear.refused === 'depth' ? words.sizeTakes : words.insetTakes).replace(
        '%1',
        input.getAttribute('aria-label'),
      );
    }
    if (input) {
      input.focus();
      page.showMessage(says);
    }
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
    });
    for (const input of Object.values(side.entries)) input.addEventListener('keydown', onEnter);
    side.intoB.addEventListener('click', () => composer.putIntoB(shown[i].b.power, shown[i].b.direction));
    side.copy.addEventListener('click', () => {
      const t = texts(shown[i], eyes);
      const name = i === 0 ? eyes.rightEye : eyes.leftEye;
      copyText(
        `${name} ${words.groups[1]}：${t.prism}\n${name} ${words.groups[2]}：${t.offset}`,
        side.copied,
        eyes.copied,
      );
    });
    show(i, null);
  });
  await styled;
  return tool;
}
