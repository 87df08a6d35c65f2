// The built page in Debian's headless Chromium, for the page's tests and its
// benchmark: a static server of the page folder on localhost (a secure
// origin, as Web Serial and the file pickers need) and the browser.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.svg': 'image/svg+xml', '.png': 'image/png', '.gif': 'image/gif',
  '.json': 'application/json', '.webmanifest': 'application/manifest+json',
};

// Serves `folder` at http://localhost:<port>/ as a plain static host does
// (Last-Modified, no compression); `sent` lists each response ({name, body}).
// `maxAge` (seconds): the browser may keep each file that long without asking.
export async function serveFolder(folder, { maxAge } = {}) {
  const dir = path.resolve(folder);
  const sent = [];
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(dir, path.normalize(name === '/' ? '/index.html' : name));
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      sent.push({ name, body });
      response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream',
        'Last-Modified': fs.statSync(file).mtime.toUTCString(),
        ...(maxAge === undefined ? {} : { 'Cache-Control': `max-age=${maxAge}` }) }).end(body);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://localhost:${server.address().port}/`,
    sent,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}

export const CHROMIUM = process.env.RP770_CHROMIUM ?? '/usr/bin/chromium';
export const hasChromium = () => fs.existsSync(CHROMIUM);

// Debian's chromium, headless, with nothing of its own going on the network.
export async function launchChromium() {
  const { chromium } = await import('playwright-core').catch((error) => {
    throw new Error(`playwright-core is not installed: run bash scripts/setup.sh (npm ci) (${error.message})`);
  });
  return chromium.launch({
    executablePath: CHROMIUM,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run'],
  });
}
