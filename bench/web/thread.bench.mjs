// Where the engine runs, measured in headless chromium: on the page's main
// thread, how long the page is kept from its other work (a click, a paint)
// while a read runs through the stand-in port, the engine suspending at
// every wait; beside it, what a dedicated worker would add to every call
// of the page into the engine (a message there and back, with a channel
// list's worth of data).
//   RP770_WEB_DIR=build-web/web node bench/web/thread.bench.mjs
import { launchChromium, serveFolder } from '../../tests/web/browser.mjs';

const dir = process.env.RP770_WEB_DIR ?? 'build-web/web';
const SPEED = 4;  // the line four times the cable's pace: the same work a byte, in less time

const server = await serveFolder(dir);
const browser = await launchChromium();
const quantiles = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const at = (q) => sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
  return { median: at(0.5), p99: at(0.99), max: sorted.at(-1), n: sorted.length };
};
const ms = (x) => `${x.toFixed(2)} ms`;

try {
  const context = await browser.newContext({ serviceWorkers: 'block' });
  const page = await context.newPage();
  page.setDefaultTimeout(60_000);
  await page.goto(`${server.url}?speed=${SPEED}`);
  await page.waitForSelector('body[data-ready]');
  await page.click('#mnuOptions');
  await page.click('#mnuPortSimulated');

  // The main thread's gaps: a message to itself, again and again; a gap is
  // the time the page could not have answered a click.
  await page.evaluate(() => {
    const channel = new MessageChannel();
    window.gaps = [];
    let last = performance.now();
    channel.port1.onmessage = () => {
      const now = performance.now();
      if (window.probing) window.gaps.push(now - last);
      last = now;
      if (window.probing !== false) channel.port2.postMessage(0);
    };
    window.probing = true;
    channel.port2.postMessage(0);
  });
  const start = Date.now();
  await page.click('#tb-read');
  await page.click('#transfer-ok');
  const box = page.locator('dialog[open]:has(.message)').last();
  await box.waitFor();
  const seconds = (Date.now() - start) / 1000;
  const said = await box.locator('.message > div > p').first().textContent();
  const gaps = await page.evaluate(() => {
    window.probing = false;
    return window.gaps;
  });
  const main = quantiles(gaps);
  const frames = gaps.filter((g) => g > 1000 / 60).length;
  console.log(`on the main thread, a read at ${SPEED}x the cable's pace (${said}, ${seconds.toFixed(1)} s):`);
  console.log(`  the page kept from other work: median ${ms(main.median)}, 99th percentile ${ms(main.p99)},` +
    ` longest ${ms(main.max)} (${main.n} turns); ${frames} longer than a frame (16.7 ms)`);

  await context.close();

  // A dedicated worker's round trip, as each engine call of the page would
  // become (on a page of its own: the page's policy allows no such worker).
  const other = await browser.newContext();
  const blank = await other.newPage();
  await blank.goto(`${server.url}rp770-help.html`);
  const trips = await blank.evaluate(async () => {
    const source = 'onmessage = (e) => postMessage(e.data);';
    const worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
    const rows = Array.from({ length: 114 }, (_, r) => Array.from({ length: 8 }, (_, c) => `${r}:${c}`));
    const trip = () => new Promise((resolve) => {
      const t = performance.now();
      worker.onmessage = () => resolve(performance.now() - t);
      worker.postMessage({ rows });
    });
    const times = [];
    for (let i = 0; i < 200; ++i) times.push(await trip());
    worker.terminate();
    return times;
  }).catch((error) => ({ error: error.message }));
  if (trips.error) {
    console.log(`a worker's round trip: not measured (${trips.error})`);
  } else {
    const worker = quantiles(trips.slice(20));
    console.log(`in a dedicated worker, each call of the page a message there and back (a channel list's data):` +
      ` median ${ms(worker.median)}, 99th percentile ${ms(worker.p99)}`);
  }
  await other.close();
} finally {
  await browser.close();
  await server.close();
}
