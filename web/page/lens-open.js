// SPDX-License-Identifier: MIT
// The composer and the lens tool joined, the one piece that knows both: the
// tool's button and what the tool is handed. It opens by the button or the
// address's #lens, and its script (lens/lens.js), its looks and its core's
// WebAssembly load then, all asked for at once. While a result
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
  // The tool, once its script and its looks have arrived (it never shows
  // without them); its core's WebAssembly is on its way beside them.
  const load = () => {
    const link = (attributes) =>
      section.appendChild(Object.assign(document.createElement('link'), attributes));
    const looks = link({ rel: 'stylesheet', href: 'lens/lens.css' });
    const styled = new Promise((resolve) => (looks.onload = looks.onerror = resolve));
    link({
      rel: 'preload',
      href: 'lens/prism-lens.wasm',
      as: 'fetch',
      type: 'application/wasm',
      crossOrigin: '',
    });
    return Promise.all([import('./lens/lens.js'), styled]).then(([m]) =>
      m.openLens(section, { ...page, composer }),
    );
  };
  let tool = null;
  const toggle = (open = button.getAttribute('aria-expanded') !== 'true') => {
    button.setAttribute('aria-expanded', String(open));
    tool ??= load();
    tool.then((t) => {
      t.hidden = !open;
      if (open) performance.mark('prism-lens-shown');
    });
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
