// Offline use: every file of the page is kept on the first visit, and the
// page is served from there from then on, network or not. A new build
// (another version below, made from the files' contents) is fetched whole
// past the browser's HTTP cache, so that no file of the old build slips
// into it, and then waits: it takes over only when the page asks (the
// user chose "Reload"), so that a page never runs on files of two builds.
// Nothing is fetched from elsewhere.
const VERSION = '@VERSION@';
/** @type {string[]} */
const FILES = [/* @FILES@ */];
const CACHE = `rp770-${VERSION}`;
// What the page posts when the user agrees to the new version.
const TAKE_OVER = 'rp770-take-over';
const worker = /** @type {ServiceWorkerGlobalScope} */ (/** @type {unknown} */ (self));

// Each file fresh from the server; the cache is filled only when every one
// came, so that a half-fetched build never replaces a whole one.
async function keepFiles() {
  const responses = await Promise.all(['./', ...FILES].map(async (name) => {
    const response = await fetch(new Request(name, { cache: 'reload' }));
    if (!response.ok) throw new Error(`${name}: ${response.status}`);
    return /** @type {[string, Response]} */ ([name, response]);
  }));
  const cache = await caches.open(CACHE);
  await Promise.all(responses.map(([name, response]) => cache.put(name, response)));
}

worker.addEventListener('install', (event) => {
  event.waitUntil(keepFiles());
});

worker.addEventListener('message', (event) => {
  if (event.data?.type === TAKE_OVER) event.waitUntil(worker.skipWaiting());
});

// The first build takes the page that installed it at once: nothing was
// there before it. A later one comes here only after the page asked.
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
