// Hot exit in the page, in headless Chromium: a file edited, the tab closed, the page opened
// again in the same profile; the changes come back byte for byte, still unsaved, Save writes the file.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { after, before, test } from 'node:test';

import { hasChromium, launchChromium, serveFolder } from './browser.mjs';
import { sessionRig } from './rig.mjs';

const required = process.env.RP770_REQUIRE_CHROMIUM === '1';
const skip = !required && !hasChromium() && 'no chromium here (bash scripts/setup.sh installs it)';

let browser;
let server;
before(async () => {
  if (!skip) [server, browser] = await Promise.all([serveFolder(process.env.RP770_WEB_DIR), launchChromium()]);
});
after(async () => Promise.all([browser?.close(), server?.close()]));

// The copies kept in the page's IndexedDB: [{id, text}].
const copies = (page) => page.evaluate(() => new Promise((resolve, reject) => {
  const open = indexedDB.open('rp770-hotexit');
  open.onerror = () => reject(open.error);
  open.onsuccess = () => {
    const all = open.result.transaction('copies').objectStore('copies').getAll();
    all.onsuccess = () => resolve(all.result.map(({ id, text }) => ({ id, text })));
  };
}));
// Until the page keeps one copy other than `previous`.
async function keptCopy(page, previous = '') {
  for (;;) {
    const kept = await copies(page);
    if (kept.length === 1 && kept[0].text !== previous) return kept[0];
    await page.waitForTimeout(50);
  }
}
// The page's last copy: one that stays the same for longer than the delay
// within which every change is kept (a correction after an edit is a change
// too), so that no copy is due any more.
async function lastCopy(page, previous) {
  const delay = await page.evaluate(async () => (await import('./hotexit.js')).KEEP_DELAY_MS);
  let last = await keptCopy(page, previous);
  for (;;) {
    await page.waitForTimeout(delay + 100);
    const [now] = await copies(page);
    if (now?.text === last.text) return last;
    last = now;
  }
}
// A tree node, reached as a user does: the branches above it opened.
async function node(page, ...keys) {
  for (const key of keys.slice(0, -1)) {
    const li = page.locator(`#tree [data-key="${key}"]`);
    if ((await li.getAttribute('aria-expanded')) === 'false') await li.locator('> .node .twisty').click();
  }
  await page.locator(`#tree [data-key="${keys.at(-1)}"] > .node .label`).click();
}

test('the edits of a closed tab are offered on the next start and restored exactly', { skip }, async () => {
  const context = await browser.newContext({ serviceWorkers: 'block', acceptDownloads: true });
  // Files come through the file chooser, as where the browser has no open picker.
  await context.addInitScript(() => Object.defineProperty(window, 'showOpenFilePicker', { value: undefined }));
  context.setDefaultTimeout(10_000);
  try {
    const rig = await sessionRig();
    const boat = Buffer.from(rig.session.now.settingsText(), 'latin1');
    const first = await context.newPage();
    await first.goto(server.url);
    await first.waitForSelector('body[data-ready]');
    const chooser = first.waitForEvent('filechooser');
    await first.click('#mnuFile');
    await first.click('#mnuFileOpen');
    await (await chooser).setFiles({ name: 'boat.dat', mimeType: 'text/plain', buffer: boat });
    await first.waitForFunction(() => document.querySelector('#caption')?.textContent.includes('boat.dat'));

    // Two edits, each kept.
    await node(first, 'Program', 'PU', 'PU 16');
    await first.getByLabel('Scan Memory', { exact: true }).click();
    const once = await keptCopy(first);
    await node(first, 'General', 'Common');
    await first.getByRole('group', { name: 'Usable Channel Groups' }).getByRole('checkbox', { name: 'USA', exact: true })
      .uncheck();
    const closing = await lastCopy(first, once.text);
    await first.close();

    const next = await context.newPage();
    await next.goto(server.url);
    const offer = next.locator('#kept-offer[open]');
    await offer.waitFor();
    // The closed tab's last copy.
    const [kept] = await copies(next);
    assert.equal(kept.text, closing.text);
    assert.match(await offer.locator('.message p').textContent(),
      /^Changes to boat\.dat were not saved when RP770 last ended \(kept \d{4}-\d\d-\d\d \d\d:\d\d:\d\d UTC\)\.\nRestore them\?$/);
    await offer.locator('button[value="restore"]').click();
    await next.waitForSelector('body[data-ready]');

    assert.equal(await next.locator('#modified').isVisible(), true);
    assert.match(await next.textContent('#caption'), /boat\.dat$/);
    // The restoring page keeps the data now, under its own copy: the same
    // image and fields, byte for byte, as the closed tab's.
    const restored = await keptCopy(next, kept.text);
    assert.notEqual(restored.id, kept.id);
    assert.equal(restored.text.replace(/^kept .*\n/m, ''), kept.text.replace(/^kept .*\n/m, ''));

    // Save writes boat.dat (a download here: the chooser gave no handle) with the edited data.
    const download = next.waitForEvent('download');
    await next.click('#tb-save');
    const saved = await download;
    assert.equal(saved.suggestedFilename(), 'boat.dat');
    rig.session.now.restoreSnapshot(kept.text);
    const expected = rig.session.now.settingsText();
    assert.notEqual(expected, boat.toString('latin1'));
    const written = (await readFile(await saved.path())).toString('latin1');
    assert.equal(written, expected);
    assert.equal(await next.locator('#modified').isVisible(), false);
    // Saved: no copy is kept any more.
    while ((await copies(next)).length > 0) await next.waitForTimeout(50);
  } finally {
    await context.close();
  }
});
