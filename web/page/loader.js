// SPDX-License-Identifier: MIT
// The calculator's core: its WebAssembly, fetched as the page is parsed
// (index.html preloads it; its factory and door come with the page's
// script), and a press that waits for it. A core that failed to arrive
// leaves the form as it is; the next press fetches it again.
import createCore from './prism-core.mjs';
import { wrap } from './prism.mjs';

/** @typedef {ReturnType<typeof import('./prism.mjs').wrap>} Core */
/** @type {Core | null} */
let core = null; // the core once it has started (prism.mjs's wrapper)

// Whether this browser lacks what the page needs: WebAssembly, or leave to
// compile it under the page's policy. The smallest module there is,
// instantiated as the core is.
export const unavailable = async () => {
  try {
    await WebAssembly.instantiate(Uint8Array.of(0, 97, 115, 109, 1, 0, 0, 0));
    return false;
  } catch {
    return true;
  }
};

// Fetched again by a fresh address, since an engine may keep a failed
// preload (the service worker answers any address of a file it keeps).
let retries = -1;
function load() {
  const fresh = ++retries ? `?retry=${retries}` : '';
  const locateFile = (file, folder) => `${folder}${file}${fresh}`;
  return createCore({ locateFile }).then((module) => {
    core = wrap(module);
    performance.mark('prism-core');
  });
}

function registerServiceWorker() {
  // Offline and installable: the service worker keeps every file of this
  // version. Registered once the core has started (or failed to), so that
  // on a slow network its downloads never delay the form or the core. A
  // new version is looked for whenever the page is shown again, so that it
  // is in use from the next load.
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker
      .register('sw.js', { updateViaCache: 'none' })
      .then((registration) => {
        document.addEventListener('visibilitychange', () => {
          if (document.visibilityState === 'visible') registration.update().catch(() => {});
        });
      })
      .catch(() => {}); // the page works without one, online
  }
}

let loading = load();
loading.catch(async (error) => {
  console.warn('プリズムの合成: the calculator could not start:', error);
  if (await unavailable()) document.documentElement.dataset.failed = 'true';
});
loading.then(registerServiceWorker, registerServiceWorker);

// A press answered by the core: at once where it has started; otherwise
// wait() says so, and answer(core) follows once it has, unless the press
// is forgotten meanwhile (cancelWaiting, or a newer press); a core that
// failed to arrive is fetched again first, and if that fails too, fail().
let waiting = null; // the press being answered once the core starts
/** @param {(core: Core) => void} answer */
export function withCore(answer, { wait, fail }) {
  if (core) return answer(core);
  const press = (waiting = {});
  wait();
  const settle = (then) => () => {
    if (waiting !== press) return;
    waiting = null;
    then();
  };
  loading.then(
    settle(() => answer(core)),
    () => {
      if (waiting !== press) return;
      loading = load();
      loading.then(
        settle(() => answer(core)),
        settle(fail),
      );
    },
  );
}

export function cancelWaiting() {
  waiting = null;
}
