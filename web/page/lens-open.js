// SPDX-License-Identifier: MIT
// The composer and the lens tool joined, the one piece that knows both: the
// tool's button and what the tool is handed. It opens by the button or the
// address's #lens, and its script (lens/lens.js) loads then. While a result
// shows the tool may fill its prisms from C, and put an eye's prism into B's
// entries as typing would.
export function lensOpener({ section, below, entriesB, fit, page }) {
  const button = section.querySelector('#lens-open');
  let c = null; // C's components while a result shows
  const changed = new Set();
  const composer = {
    c: () => c,
    onChange: (run) => changed.add(run),
    putIntoB(power, direction) {
      entriesB.forEach((entry, i) => {
        entry.value = [power, direction][i];
        entry.dispatchEvent(new Event('input', { bubbles: true }));
        fit(entry);
      });
    },
  };
  let tool = null;
  const toggle = (open = button.getAttribute('aria-expanded') !== 'true') => {
    button.setAttribute('aria-expanded', String(open));
    tool ??= import('./lens/lens.js').then((m) => m.openLens(section, { ...page, composer }));
    tool.then((t) => (t.hidden = !open));
  };
  button.addEventListener('click', () => toggle());
  const fromAddress = () => location.hash === '#lens' && toggle(true);
  window.addEventListener('hashchange', fromAddress);
  fromAddress();
  // Where the eyes' table hangs below the form, the section follows it.
  new ResizeObserver(() => {
    const hangs = !below.hidden && getComputedStyle(below).position === 'absolute';
    section.style.marginTop = hangs ? `${below.offsetHeight + 16}px` : '';
  }).observe(below);
  return {
    composed(value) {
      c = value ?? null;
      changed.forEach((run) => run());
    },
  };
}
