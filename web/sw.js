// Offline use: every file of the page is kept on the first visit, and the
// page is served from there from then on, network or not. A new build
// (another version below, made from the files' contents) is kept whole
// before it replaces the old one; nothing is fetched from elsewhere.
const VERSION = '@VERSION@';
/** @type {string[]} */
const FILES = [/* @FILES@ */];
const CACHE = `rp770-${VERSION}`;
const worker = /** @type {ServiceWorkerGlobalScope} */ (/** @type {unknown} */ (self));

worker.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(['./', ...FILES])).then(() => worker.skipWaiting()));
});

worker.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k.startsWith('rp770-') && k !== CACHE).map((k) => caches.delete(k))))
    .then(() => worker.clients.claim()));
});

worker.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== worker.location.origin) return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(request, { ignoreSearch: true }))
    .then((kept) => kept ?? fetch(request)));
});
