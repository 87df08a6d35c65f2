// The page's first load from localhost in headless chromium, each load in a
// fresh browser context (an empty cache): the time from navigation to the
// page being ready for input (body[data-ready]), the median of the loads;
// the bytes of every response of the load, as served and gzip-compressed;
// and what the service worker fetches besides for the offline copy.
//   RP770_WEB_DIR=build-web/web node bench/web/page.bench.mjs [loads]
import zlib from 'node:zlib';

import { launchChromium, serveFolder } from '../../tests/web/browser.mjs';

const dir = process.env.RP770_WEB_DIR ?? 'build-web/web';
const loads = Number(process.argv[2] ?? 5);
const TARGET = { readyMs: 1000, bytes: 1_000_000, gzip: 400_000 };

// The moment the page says it is ready, on the page's own clock (zero at navigation).
function watchReady() {
  new MutationObserver(() => {
    if (document.body?.dataset.ready && window.readyAt === undefined) window.readyAt = performance.now();
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-ready'] });
}

const gzipped = new Map();
const size = ({ name, body }) => {
  if (!gzipped.has(name)) gzipped.set(name, zlib.gzipSync(body, { level: 9 }).length);
  return { name, bytes: body.length, gzip: gzipped.get(name) };
};
const sum = (responses) => responses.map(size).reduce((t, e) => ({ bytes: t.bytes + e.bytes, gzip: t.gzip + e.gzip }),
  { bytes: 0, gzip: 0 });
const kb = (n) => `${(n / 1000).toFixed(1)} kB`;

const server = await serveFolder(dir);
const browser = await launchChromium();
// One cold load: the time to ready, and every response until the network
// is idle (with the service worker: once its offline copy is kept).
async function load(serviceWorkers) {
  const context = await browser.newContext({ serviceWorkers });
  try {
    const page = await context.newPage();
    await page.addInitScript(watchReady);
    server.sent.length = 0;
    await page.goto(server.url);
    const ms = await (await page.waitForFunction(() => window.readyAt)).jsonValue();
    if (serviceWorkers === 'allow') await page.evaluate(() => navigator.serviceWorker.ready);
    await page.waitForLoadState('networkidle');
    return { ms, responses: [...server.sent] };
  } finally {
    await context.close();
  }
}

const times = [];
let first = null;
let offline;
try {
  for (let i = 0; i < loads; ++i) {
    const { ms, responses } = await load('block');
    times.push(ms);
    first ??= responses;
  }
  offline = (await load('allow')).responses;
} finally {
  await browser.close();
  await server.close();
}

times.sort((a, b) => a - b);
const median = times[Math.floor(times.length / 2)];
const total = sum(first);
console.log(`page ready after navigation: median ${median.toFixed(0)} ms of ${loads} cold loads` +
  ` (${times.map((t) => t.toFixed(0)).join(', ')}); target ${TARGET.readyMs} ms`);
console.log(`first load: ${first.length} responses, ${kb(total.bytes)} (target ${kb(TARGET.bytes)}),` +
  ` ${kb(total.gzip)} gzip-compressed (target ${kb(TARGET.gzip)})`);
for (const e of first.map(size).sort((a, b) => b.bytes - a.bytes).slice(0, 4)) {
  console.log(`  ${e.name.padEnd(20)} ${kb(e.bytes).padStart(10)} ${kb(e.gzip).padStart(10)} gzip`);
}
console.log(`with the service worker's offline copy: ${offline.length - first.length} responses,` +
  ` ${kb(sum(offline).bytes - total.bytes)} more`);
const over = Object.entries({ readyMs: median, bytes: total.bytes, gzip: total.gzip })
  .filter(([k, v]) => v > TARGET[k])
  .map(([k, v]) => `${k} over by ${k === 'readyMs' ? `${(v - TARGET[k]).toFixed(0)} ms` : kb(v - TARGET[k])}`);
console.log(over.length ? `OVER TARGET: ${over.join('; ')}` : 'within every target');
