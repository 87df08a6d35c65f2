// The page's offline copy (sw.js) and its updates. A new build found on the
// server is fetched whole in the background and waits; the page then shows
// a bar, "A new version is ready — Reload", and only the user's Reload lets
// the new build take over (the page reloads once it has). The browser looks
// for a new build on each visit; an open page looks again when it is shown
// again and every hour.
//
//   watchForUpdates(navigator.serviceWorker, { show: (agree) => showNewVersion(notice, agree) });

import { el } from './dialogs.js';
import { word, wordsLanguage } from './words.js';

// What sw.js takes as the user's agreement.
export const TAKE_OVER = 'rp770-take-over';
export const CHECK_EVERY_MS = 60 * 60 * 1000;

/**
 * @typedef {object} UpdateOptions
 * @property {(agree: () => void) => void} show shows the bar; `agree` is its Reload
 * @property {() => void} [reload] the page's reload (location.reload)
 * @property {string} [script] the worker's address
 */

/**
 * Registers the worker and shows the bar when a new build waits; the
 * registration, or null when there is no offline copy.
 * @param {ServiceWorkerContainer} container
 * @param {UpdateOptions} options
 */
export async function watchForUpdates(container, { show, reload = () => location.reload(), script = 'sw.js' }) {
  let registration;
  try {
    registration = await container.register(script, { updateViaCache: 'none' });
  } catch (error) {
    console.warn('Offline use unavailable:', error);
    return null;
  }
  if (!registration) return null;  // service workers switched off
  let agreed = false;
  let shown = false;
  // A worker becomes active under the page only as the first build (the
  // page had none) or after the user's Reload: only the latter reloads.
  container.addEventListener('controllerchange', () => {
    if (agreed) reload();
  });
  const offer = () => {
    // A waiting build with none active is the first one, about to take over.
    if (shown || !registration.waiting || !registration.active) return;
    shown = true;
    show(() => {
      agreed = true;
      // Taken over already (by the Reload of another of the page's tabs): the reload alone.
      if (registration.waiting) registration.waiting.postMessage({ type: TAKE_OVER });
      else reload();
    });
  };
  /** @param {ServiceWorker | null} installing */
  const follow = (installing) => {
    installing?.addEventListener('statechange', () => {
      if (installing.state === 'installed') offer();
    });
  };
  registration.addEventListener('updatefound', () => follow(registration.installing));
  follow(registration.installing);
  offer();

  const check = () => registration.update().catch(() => { /* offline: looked for again later */ });
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') check();
  });
  setInterval(check, CHECK_EVERY_MS);
  return registration;
}

// The bar, after `before` (the page's notice): "A new version is ready — Reload".
/** @param {Element} before @param {() => void} agree */
export function showNewVersion(before, agree) {
  const reload = el('button', { type: 'button', id: 'update-reload' }, word('PageReload'));
  reload.addEventListener('click', agree);
  before.after(el('div', { id: 'update', className: 'notice', role: 'status', lang: wordsLanguage },
    el('span', {}, word('PageNewVersionReady')), el('span', { 'aria-hidden': 'true' }, '—'), reload));
}
