// SPDX-License-Identifier: MIT
// What the page says outside the form: the modal message, and the notice
// that replaces the form after END.
const $ = (id) => document.getElementById(id);

// The modal message: the program's `title` as its caption, one OK button
// that answers Enter and Escape; the focus returns where it was.
const dialog = /** @type {HTMLDialogElement} */ ($('message'));
const ok = $('message-ok');
let focusBefore = null;
export function showMessage(title, text) {
  focusBefore = document.activeElement;
  $('message-title').textContent = title;
  $('message-text').textContent = text;
  dialog.showModal();
  ok.focus();
}
ok.addEventListener('click', () => dialog.close());
dialog.addEventListener('close', () => focusBefore?.focus());

// Command3_Click: an installed app's window closes; a browser tab is never
// closed under its user: the form gives way to the `notice`, undone by a
// reload. So does an installed app whose window stays open (home-screen
// apps on an iPhone or iPad refuse to close).
export let ended = false;
export function end(notice) {
  if (matchMedia('(display-mode: standalone)').matches) {
    window.close();
    setTimeout(() => window.closed || showEnded(notice), 250);
    return;
  }
  showEnded(notice);
}

function showEnded(text) {
  ended = true;
  // The notice takes the focus, so that a screen reader says it at once.
  const notice = Object.assign(document.createElement('p'), { id: 'ended', tabIndex: -1 });
  notice.setAttribute('role', 'status');
  notice.textContent = text;
  $('form').replaceChildren(notice);
  notice.focus();
}
