// The page as a user meets it, in headless Chromium: a table of paths, each
// on a fresh page (its own storage), asserting what the user sees and the
// bytes saved or programmed. Files are chosen through the browser's file
// chooser; saving goes through a stand-in for the save picker that keeps the
// bytes written. The simulated radio runs 40 times faster than the cable.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';

import { hasChromium, launchChromium, serveFolder } from './browser.mjs';
import { IMAGE_SIZE, nativeCli, programmed, sessionRig } from './rig.mjs';

const required = process.env.RP770_REQUIRE_CHROMIUM === '1';
const skip = !required && !hasChromium() && 'no chromium here (bash scripts/setup.sh installs it)';
const SPEED = 40;

let browser;
let server;
before(async () => {
  if (skip) return;
  server = await serveFolder(process.env.RP770_WEB_DIR);
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// Before the page's own scripts: the save picker keeps what is written in
// window.saved[name]; the open picker is absent, so files come through the
// file chooser. `serial`: the stand-in port as navigator.serial. `handles`:
// the open picker gives the handle of the file named window.pick in the
// page's private file system (a real handle, as a picker gives).
function stubs({ serial, speed, handles }) {
  window.saved = {};
  Object.defineProperty(window, 'showOpenFilePicker', { value: handles
    ? async () => [await (await navigator.storage.getDirectory()).getFileHandle(window.pick)] : undefined });
  window.showSaveFilePicker = async ({ suggestedName }) => ({
    name: suggestedName,
    kind: 'file',
    createWritable: async () => {
      const parts = [];
      return {
        write: async (bytes) => { parts.push(...new Uint8Array(bytes)); },
        close: async () => { window.saved[suggestedName] = parts; },
      };
    },
  });
  if (!serial) return;
  window.standIn = import('./standin-serial.js').then((m) => m.createStandInSerial({ speed }));
  const port = {
    requestPort: async () => (await window.standIn).requestPort(),
    getPorts: async () => (await window.standIn).getPorts(),
    addEventListener: (...args) => window.standIn.then((s) => s.addEventListener(...args)),
    removeEventListener: (...args) => window.standIn.then((s) => s.removeEventListener(...args)),
  };
  Object.defineProperty(Navigator.prototype, 'serial', { get: () => port });
}

// `viewport`: the page's size in CSS pixels (at 200 % zoom, half the
// window's); `bypassCSP`: axe-core may be put into the page. `worker`: the
// page with its service worker, served from a copy of the page's folder
// (`folder`, to change as a new build would) by a host that lets the
// browser keep each file for an hour.
async function openPage({ serial = false, handles = false, viewport, bypassCSP = false, worker = false } = {}) {
  const folder = worker ? fs.mkdtempSync(path.join(os.tmpdir(), 'rp770-page-')) : null;
  if (folder) fs.cpSync(process.env.RP770_WEB_DIR, folder, { recursive: true });
  const host = folder ? await serveFolder(folder, { maxAge: 3600 }) : server;
  const context = await browser.newContext({ serviceWorkers: worker ? 'allow' : 'block', acceptDownloads: false,
    viewport, bypassCSP });
  const page = await context.newPage();
  page.setDefaultTimeout(10_000);
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  await page.addInitScript(stubs, { serial, speed: SPEED, handles });
  await page.goto(`${host.url}?speed=${SPEED}`);
  await page.waitForSelector('body[data-ready]');
  return {
    page, errors, folder,
    async close() {
      await context.close();
      if (!folder) return;
      await host.close();
      fs.rmSync(folder, { recursive: true, force: true });
    },
  };
}

// The message box or question on top: its text and detail; `button`
// answers it.
async function answer(page, button = 'ok') {
  const box = page.locator('dialog[open]:has(.message)').last();
  await box.waitFor();
  const [text, detail] = await Promise.all([box.locator('.message > div > p:not(.detail)').textContent(),
    box.locator('.message .detail').textContent({ timeout: 100 }).catch(() => '')]);
  await box.locator(`button[value="${button}"]`).click();
  return { text, detail };
}

const menu = async (page, bar, item) => {
  await page.click(`#${bar}`);
  await page.click(`#${item}`);
};

// A tree node, reached as a user does: the branches above it opened.
async function node(page, ...keys) {
  for (const key of keys.slice(0, -1)) {
    const li = page.locator(`#tree [data-key="${key}"]`);
    if ((await li.getAttribute('aria-expanded')) === 'false') await li.locator('> .node .twisty').click();
  }
  await page.locator(`#tree [data-key="${keys.at(-1)}"] > .node .label`).click();
}

// The transfer dialog's OK, then the messages until the transfer has ended; their texts.
// `at`: percent of progress at which `act()` runs (the dialog stays open).
async function transfer(page, { at, act } = {}) {
  await page.click('#transfer-ok');
  if (at !== undefined) {
    await page.waitForFunction((p) => document.querySelector('#transfer progress')?.value >= p, at);
    await act();
  }
  const said = [];
  for (;;) {
    const next = await page.waitForFunction(() => (document.querySelector('dialog[open]:has(.message)') ? 'message'
      : !document.querySelector('#transfer[aria-busy]') && 'ended'));
    if ((await next.jsonValue()) === 'ended') return said;
    said.push((await answer(page)).text);
  }
}

const saved = (page, name) => page.evaluate((n) => window.saved[n], name).then((b) => b && Buffer.from(b));
const checked = (page, label) => page.getByLabel(label, { exact: true }).isChecked();
const modified = (page) => page.locator('#modified').isVisible();

// Where "Rx Frequency" stands to its field (beside or directly above), "MHz"
// on the field's line, the field's text whole, the page's overflow, cut-off texts.
const editorLayout = (page) => page.evaluate(() => {
  const field = /** @type {HTMLInputElement} */ (document.querySelector('#txtCRF'));
  const [label, box, unit] = [document.querySelector('label[for="txtCRF"]'), field, field.nextElementSibling]
    .map((e) => e.getBoundingClientRect());
  const sameLine = (a, b) => a.top < b.bottom && b.top < a.bottom;
  const above = label.bottom <= box.top + 1 && box.top - label.bottom < label.height && Math.abs(label.left - box.left) < 2;
  return {
    label: sameLine(label, box) && label.right <= box.left ? 'beside' : above ? 'above' : 'apart',
    unitOnLine: sameLine(unit, box) && unit.left >= box.right,
    fieldShowsText: field.scrollWidth <= field.clientWidth,
    pageOverflow: document.documentElement.scrollWidth - document.documentElement.clientWidth,
    clipped: [...document.querySelectorAll('#screen label, #screen h2, .editor-head > *')]
      .filter((e) => e.scrollWidth > e.clientWidth + 1).map((e) => e.textContent),
  };
});

const CSV_HEAD = 'Plan,Slot,Channel,Tag,RxMHz,TxMHz,Enable,Scan,Duplex,TxEnable,LowPower,PowerUp,Display\r\n';

const paths = [
  {
    name: 'read the simulated radio, edit, undo, save as the command line would, program and verify',
    async run({ page }) {
      // The Edit menu, all off before any edit, still passes Right on to the next menu.
      await page.focus('#mnuEdit');
      for (const key of ['Enter', 'ArrowRight']) await page.keyboard.press(key);
      assert.equal(await page.evaluate(() => document.activeElement.id), 'mnuTransferProgram');
      // Options > Simulated radio, by keyboard.
      await page.focus('#mnuOptions');
      await page.keyboard.press('Enter');
      await page.keyboard.press('Enter');
      assert.equal(await page.textContent('#port'), 'Port: Simulated radio');
      await page.click('#tb-read');
      assert.deepEqual(await transfer(page), ['Complete!!']);

      // The USA and EXP groups made usable; EXP 1 enabled and given its
      // frequencies and channel number; then USA 16's scan flag, undone,
      // redone, undone.
      await node(page, 'General', 'Common');
      const groups = page.getByRole('group', { name: 'Usable Channel Groups' });
      for (const name of ['USA', 'EXP CH Group']) await groups.getByRole('checkbox', { name, exact: true }).check();
      await node(page, 'ExpChannel', 'E 1');
      await page.getByLabel('CH Enable', { exact: true }).check();
      for (const [box, text] of [['#txtCRF', '157.025'], ['#txtCTF', '157.025'], ['#txtCN0', '71']]) {
        await page.click(box);
        await page.keyboard.type(text);
      }
      await page.keyboard.press('Tab');
      await node(page, 'Program', 'PU', 'PU 16');
      await page.getByLabel('Scan Memory', { exact: true }).click();
      const scan = await checked(page, 'Scan Memory');
      for (const [key, state] of [['Control+z', !scan], ['Control+y', scan], ['Control+z', !scan]]) {
        await page.keyboard.press(key);
        assert.equal(await checked(page, 'Scan Memory'), state, key);
      }
      assert.equal(await modified(page), true);
      await page.click('#tb-save');
      await page.waitForFunction(() => window.saved['MR318.dat']);
      assert.equal(await modified(page), false);
      assert.equal(await page.textContent('#caption'), 'RP770  PC Program for MR318 - mr318.dat');

      // What the radio held (a new data set of the first destination, as the
      // page started on), with the USA and EXP groups usable (bits 7 and 4 of
      // 0x016), the EXP channel laid over it as a table by the command line.
      const image = (await sessionRig()).session.now.imageBytes().slice(0, IMAGE_SIZE);
      image[0x16] |= 0x90;
      const cli = nativeCli();
      cli.put('base.hex', image);
      cli.put('exp.csv', `${CSV_HEAD}EXP,1,1,,157.025,157.025,1,0,,,0,1,"71 "\r\n`);
      const made = cli.run('import-csv', 'base.hex', 'exp.csv', 'edited.dat');
      assert.equal(made.status, 0, made.stderr);
      assert.deepEqual(await saved(page, 'MR318.dat'), Buffer.from(cli.file('edited.dat')));
      cli.remove();

      await menu(page, 'mnuOptions', 'mnuOptionsVerify');
      await page.click('#tb-program');
      // The radio was read: the confirmation lists what changes in it.
      assert.match((await answer(page, 'yes')).text, /^Programming changes 5 fields in the radio .*\n {2}EXP 1: RX none -> 157\.0250\n/s);
      assert.deepEqual(await transfer(page), ['Verified: the radio holds every byte that was sent.']);
    },
  },
  {
    name: 'a damaged file, a CSV with a bad line and "Save changes?" leave the data as they were',
    async run({ page }) {
      await node(page, 'Program', 'PU', 'PU 16');
      await page.getByLabel('Scan Memory', { exact: true }).click();
      const scan = await checked(page, 'Scan Memory');
      const caption = await page.textContent('#caption');
      const unchanged = async (step) => {
        assert.equal(await modified(page), true, step);
        assert.equal(await page.textContent('#caption'), caption, step);
        await node(page, 'Program', 'PU', 'PU 16');
        assert.equal(await checked(page, 'Scan Memory'), scan, step);
      };
      const choose = async (item, name, text) => {
        const chooser = page.waitForEvent('filechooser');
        await menu(page, 'mnuFile', item);
        await (await chooser).setFiles({ name, mimeType: 'application/octet-stream', buffer: Buffer.from(text, 'latin1') });
      };

      // "Save changes?" comes before the file picker.
      const chooser = page.waitForEvent('filechooser');
      await menu(page, 'mnuFile', 'mnuFileOpen');
      assert.deepEqual(await answer(page, 'no'), { text: 'QZP data has changed.\nDo you want to save changes?', detail: '' });
      await (await chooser).setFiles({ name: 'damaged.hex', mimeType: 'application/octet-stream',
        buffer: Buffer.from('\x01\x3e'.padEnd(1000, '\0'), 'latin1') });
      assert.deepEqual(await answer(page), { text: 'bad file!!', detail: 'A memory image is 1024 bytes; this file has 1000.' });
      await unchanged('damaged file');

      await choose('mnuFileImportChannels', 'bad.csv', `${CSV_HEAD}USA,1,01A,VTS,156.0500,156.0500,0,1,0,1,0,0,\r\n` +
        'USA,16,16,,156.8000,156.8000,1,1,0,1,0,0,\r\nUSA,2,02,,abc,156.1000,0,0,0,1,0,0,\r\n');
      const refused = await answer(page);
      assert.match(`${refused.text}\n${refused.detail}`, /line 4: USA 02: RxMHz abc/);
      await unchanged('bad CSV');

      // In the list, Ctrl+arrows move without selecting and Ctrl+Space adds the row.
      await node(page, 'Program', 'PU');
      await page.locator('#screen td').first().click();
      for (const key of ['Control+ArrowDown', 'Control+ArrowDown', 'Control+Space']) await page.keyboard.press(key);
      assert.match(await page.textContent('#screen .count'), /, 2 selected$/);
      await page.click('#tb-new');
      assert.match((await answer(page, 'cancel')).text, /Do you want to save changes\?/);
      await unchanged('New cancelled');

      // Tab from the top of the page: the toolbar, the tree, then the screen.
      await page.click('#caption');
      const reached = [];
      while (reached.at(-1) !== 'screen' && reached.length < 40) {
        await page.keyboard.press('Tab');
        reached.push(await page.evaluate(() => ['#toolbar', '#tree', '#screen']
          .find((area) => document.activeElement.closest(area))?.slice(1)));
      }
      assert.deepEqual([...new Set(reached.filter(Boolean))], ['toolbar', 'tree', 'screen']);
    },
  },
  {
    name: 'Web Serial through the stand-in port: read, program, the cable pulled, Cancel',
    serial: true,
    async run({ page }) {
      const radio = (call, ...args) => page.evaluate(async ([c, a]) => {
        const serial = await window.standIn;
        return c === 'memory' ? [...serial.radio.memory()] : serial[c](...a);
      }, [call, args]);
      await menu(page, 'mnuOptions', 'mnuPortChoose');
      await page.waitForFunction(() => document.querySelector('#port').textContent === 'Port: the serial port');
      const before = await radio('memory');

      // The page's data programmed, then read back.
      await node(page, 'General', 'Common');
      await page.getByRole('group', { name: 'Usable Channel Groups' }).getByRole('checkbox', { name: 'USA', exact: true }).check();
      await node(page, 'Program', 'PU', 'PU 16');
      await page.getByLabel('Scan Memory', { exact: true }).click();
      await menu(page, 'mnuFile', 'mnuFileSaveHex');
      await menu(page, 'mnuFile', 'mnuFileSaveAs');
      const [image, data] = [await saved(page, 'MR318.hex'), await saved(page, 'MR318.dat')];
      // Not read yet: the radio's memory is read and kept first (the choice, offered ticked, taken off here).
      await page.click('#tb-program');
      await page.locator('dialog[open] input[type="checkbox"]').uncheck();
      assert.equal((await answer(page, 'yes')).text, 'Program the radio?');
      assert.deepEqual(await transfer(page), ['Complete!!']);
      assert.deepEqual(await radio('memory'), [...programmed(Uint8Array.from(before), image)]);
      await page.click('#tb-read');
      assert.deepEqual(await transfer(page), ['Complete!!']);
      assert.equal(await modified(page), false);
      await page.evaluate(() => { window.saved = {}; });
      await page.click('#tb-save');
      assert.deepEqual(await saved(page, 'MR318.dat'), data);
      await node(page, 'Program', 'PU', 'PU 16');
      await page.getByLabel('Scan Memory', { exact: true }).click();

      await page.click('#tb-program');
      assert.equal((await answer(page, 'yes')).text,
        'Programming changes 1 field in the radio (as read from it before):\n  USA 09: Scan on -> off\n\nProgram the radio?');
      const pulled = await transfer(page, { at: 10, act: () => radio('pullCable') });
      assert.equal(pulled.at(-2), 'Communication Error!!');
      assert.match(pulled.at(-1), /only partly programmed/);
      await radio('plugCable');
      await page.click('#transfer-cancel');
      await page.locator('#transfer').waitFor({ state: 'detached' });
      assert.equal(await modified(page), true);

      await page.click('#tb-read');
      // Cancel stops a read without a word, and the dialog closes.
      assert.deepEqual(await transfer(page, { at: 10, act: () => page.click('#transfer-cancel') }), []);
      assert.equal(await page.locator('#transfer').count(), 0);
      assert.equal(await modified(page), true);
    },
  },
  {
    name: 'files changed on the server: the new version waits for the user\'s Reload, then comes whole',
    worker: true,
    async run({ page, folder }) {
      const served = () => page.evaluate(() => fetch('style.css').then((r) => r.text()));
      await page.waitForFunction(() => navigator.serviceWorker.controller);
      const old = await served();
      // A new build: a file changed, and the worker's version with it.
      fs.appendFileSync(path.join(folder, 'style.css'), '\n/* the new build */\n');
      const worker = path.join(folder, 'sw.js');
      fs.writeFileSync(worker, fs.readFileSync(worker, 'latin1').replace(/const VERSION = '[^']*'/, "const VERSION = 'next'"), 'latin1');

      await page.reload();
      await page.waitForSelector('body[data-ready]');
      const bar = page.locator('#update');
      await bar.waitFor();
      assert.equal(await bar.locator('span').first().textContent(), 'A new version is ready');
      // Not taken over on its own: the page is still served the build it runs.
      assert.equal(await served(), old);

      await Promise.all([page.waitForEvent('load'), bar.getByRole('button', { name: 'Reload' }).click()]);
      await page.waitForSelector('body[data-ready]');
      // Fetched past the browser's cache, which still holds the old file for an hour.
      assert.match(await served(), /the new build/);
      assert.equal(await page.locator('#update').count(), 0);
      // The new build whole in its cache: the page starts without the network.
      await page.context().setOffline(true);
      await page.reload();
      await page.waitForSelector('body[data-ready]');
      assert.match(await served(), /the new build/);
    },
  },
  {
    name: 'the cable pulled out and plugged in between transfers shows in the port at once',
    serial: true,
    async run({ page }) {
      const cable = (call) => page.evaluate(async (c) => (await window.standIn)[c](), call);
      await menu(page, 'mnuOptions', 'mnuPortChoose');
      const port = page.locator('#port');
      await page.waitForFunction(() => document.querySelector('#port').textContent === 'Port: the serial port');
      for (const [call, shown] of [['pullCable', 'Port: the serial port (cable pulled out)'], ['plugCable', 'Port: the serial port']]) {
        await cable(call);
        assert.equal(await port.textContent(), shown, call);
      }
      await page.click('#tb-read');
      assert.deepEqual(await transfer(page), ['Complete!!']);
    },
  },
  {
    name: 'leaving the page during a transfer asks first; after it, nothing is asked',
    async run({ page }) {
      const asked = [];
      page.on('dialog', (dialog) => {
        asked.push(dialog.type());
        dialog.dismiss();
      });
      await menu(page, 'mnuOptions', 'mnuPortSimulated');
      await page.click('#tb-read');
      const said = await transfer(page, { at: 10, act: () => page.close({ runBeforeUnload: true }) });
      assert.deepEqual([asked, said], [['beforeunload'], ['Complete!!']]);
      assert.equal(await modified(page), false);
      await Promise.all([page.waitForEvent('close'), page.close({ runBeforeUnload: true })]);
      assert.deepEqual(asked, ['beforeunload']);
    },
  },
  {
    name: 'radio memories kept in the browser: listed and opened after a reload; a partly programmed radio offered again',
    async run({ page }) {
      const keptList = async () => {
        await menu(page, 'mnuFile', 'mnuFileBackups');
        await page.locator('#kept-images[open]').waitFor();
        return page.locator('#kept-list option').allTextContents();
      };
      await menu(page, 'mnuOptions', 'mnuPortSimulated');
      await page.click('#tb-read');
      assert.deepEqual(await transfer(page), ['Complete!!']);
      await menu(page, 'mnuFile', 'mnuFileSaveHex');
      const read = await saved(page, 'MR318.hex');
      // Programming cancelled once writing began: the radio is left partly programmed.
      await page.click('#tb-program');
      const stopped = await transfer(page, { at: 30, act: () => page.click('#transfer-cancel') });
      assert.match(stopped.at(-1), /only partly programmed/);
      await page.click('#transfer-cancel');

      await page.reload();
      assert.match((await answer(page, 'yes')).text, /^The radio on sim was left partly programmed/);
      assert.equal((await answer(page, 'yes')).text, 'Program the radio?');  // reading and keeping it first: ticked
      assert.equal((await transfer(page)).at(-1), 'Complete!!');
      await page.waitForSelector('body[data-ready]');
      const listed = await keptList();
      assert.deepEqual(listed.map((t) => t.replace(/^\S+ \S+ UTC\s+/, '')),
        ['MR318   ATIS none   before programming', 'MR318   ATIS none   read']);
      // The one read before the reload, opened as a memory image file: the bytes the radio gave.
      await page.selectOption('#kept-list', { index: 1 });
      await page.click('#kept-images button[value="open"]');
      await page.evaluate(() => { window.saved = {}; });
      await menu(page, 'mnuFile', 'mnuFileSaveHex');
      assert.deepEqual(await saved(page, (await page.evaluate(() => Object.keys(window.saved)))[0]), read);

      // Programmed whole: not offered again.
      await page.reload();
      await page.waitForSelector('body[data-ready]');
      assert.equal(await page.locator('dialog[open]').count(), 0);
    },
  },
  ...[
    // A phone, and a phone and a laptop at 200 % zoom (the page then has half the window's CSS pixels).
    { size: '390 px', viewport: { width: 390, height: 800 }, label: 'beside' },
    { size: '360 px', viewport: { width: 360, height: 740 }, label: 'beside' },
    { size: '1280 px at 200 %', viewport: { width: 640, height: 400 }, label: 'beside' },
    { size: '360 px at 200 %', viewport: { width: 180, height: 370 }, label: 'above' },
  ].map(({ size, viewport, label }) => ({
    name: `at ${size} the editor's rows hold together and nothing runs off the page`,
    viewport,
    async run({ page }) {
      await node(page, 'Program', 'PU', 'PU 16');
      assert.deepEqual(await editorLayout(page), { label, unitOnLine: true, fieldShowsText: true, pageOverflow: 0, clipped: [] });
    },
  })),
  {
    name: 'the keyboard: three stops before the tree, arrow keys inside the bars, no serious finding by axe-core',
    bypassCSP: true,
    async run({ page }) {
      const area = () => page.evaluate(() => {
        const at = document.activeElement;
        return ['#menubar', '#toolbar', '#tree'].find((a) => at?.closest(a))?.slice(1) ?? at?.id;
      });
      const stops = [];
      while (stops.at(-1) !== 'tree' && stops.length < 8) {
        await page.keyboard.press('Tab');
        stops.push(await area());
      }
      assert.deepEqual(stops, ['skip-to-screens', 'menubar', 'toolbar', 'tree']);

      // Inside a bar the arrows move; Tab leaves it, and comes back to where it was.
      const focused = () => page.evaluate(() => document.activeElement?.id);
      await page.focus('#tb-new');
      for (const [key, id] of [['ArrowRight', 'tb-open'], ['End', 'tb-read'], ['ArrowRight', 'tb-new'], ['ArrowLeft', 'tb-read'],
        ['Tab', 'node-0'], ['Shift+Tab', 'tb-read'], ['Shift+Tab', 'mnuFile'], ['ArrowRight', 'mnuEdit'], ['Tab', 'tb-read'],
        ['Shift+Tab', 'mnuEdit']]) {
        await page.keyboard.press(key);
        assert.equal(await focused(), id, key);
      }
      await page.focus('#skip-to-screens');
      await page.keyboard.press('Enter');
      assert.equal(await area(), 'tree');

      await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
      const findings = {};
      const check = async (screen) => {
        const found = await page.evaluate(async () => (await window.axe.run(document, { resultTypes: ['violations'] }))
          .violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
          .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
        if (found.length) findings[screen] = found;
      };
      await check('General');
      await node(page, 'General', 'Common');
      await check('Common');
      await page.getByRole('group', { name: 'Usable Channel Groups' }).getByRole('checkbox', { name: 'EXP CH Group', exact: true }).check();
      for (const keys of [['Program', 'PU'], ['Program', 'PU', 'PU 16'], ['Program', 'PW'], ['Program', 'ExpChannel']]) {
        await node(page, ...keys);
        await check(keys.at(-1));
      }
      assert.deepEqual(findings, {});
      // Empty cells of the EXP channels are named by their column.
      const blank = await page.$$eval('#screen td', (cells) => cells.filter((c) => !c.textContent.trim() && !c.querySelector('input'))
        .map((c) => c.ariaLabel));
      assert.ok(blank.length > 0 && blank.every((name) => / empty$/.test(name ?? '')), String(blank));
    },
  },
  {
    name: 'the EXP list typed in: a switch ticked in its cell and undone, frequencies taken and refused as the editor does, Escape',
    async run({ page }) {
      // What the editor's form says of a frequency off the band, asked of an engine of its own.
      const { session } = await sessionRig();
      session.now.loadEditor({ area: 'EXP', index: 1 });
      session.now.editorType('rx', '199');
      const refusal = session.now.editorFinish('rx', 'editor').messages[0].text;

      // EXP 1 enabled in the editor, with its number and RX frequency.
      await node(page, 'General', 'Common');
      await page.getByRole('group', { name: 'Usable Channel Groups' }).getByRole('checkbox', { name: 'EXP CH Group', exact: true }).check();
      await node(page, 'ExpChannel', 'E 1');
      await page.getByLabel('CH Enable', { exact: true }).check();
      for (const [box, text] of [['#txtCRF', '157.025'], ['#txtCN0', '71']]) {
        await page.click(box);
        await page.keyboard.type(text);
      }
      await node(page, 'Program', 'ExpChannel');
      const cellOf = async (header) => page.locator('#screen tbody tr').first().locator('td')
        .nth(await page.locator('#screen thead th').allTextContents().then((h) => h.indexOf(header)));
      const [rx, tx] = [await cellOf('RX[MHz]'), await cellOf('TX[MHz]')];

      const scan = page.getByRole('checkbox', { name: 'Scan Memory, channel 1', exact: true });
      const before = await scan.isChecked();
      await scan.click();
      assert.equal(await scan.isChecked(), !before);
      await page.keyboard.press('Control+z');
      assert.equal(await scan.isChecked(), before);

      // Typed on the cell: the text replaced; Enter takes it, as the editor then shows it.
      const txBefore = await tx.textContent();
      await tx.click();
      await page.keyboard.type('157.05');
      await page.keyboard.press('Enter');
      const taken = await tx.textContent();
      assert.notEqual(taken, txBefore);
      // Refused as the editor refuses it; the cell still open on the text.
      const rxBefore = await rx.textContent();
      await rx.click();
      await page.keyboard.press('F2');
      await page.keyboard.press('Control+a');
      await page.keyboard.type('199');
      await page.keyboard.press('Enter');
      assert.equal((await answer(page)).text, refusal);
      const box = page.getByRole('textbox', { name: 'Rx Frequency, channel 1', exact: true });
      assert.equal(await box.inputValue(), '199');
      // Going to the tree with it: the same refusal, the list kept.
      await page.locator('#tree [data-key="General"] > .node .label').click();
      assert.equal((await answer(page)).text, refusal);
      assert.equal(await box.inputValue(), '199');
      await page.keyboard.press('Escape');
      assert.equal(await rx.textContent(), rxBefore);
      await page.keyboard.press('Enter');
      assert.equal(await page.inputValue('#txtCTF'), taken.trim());
    },
  },
  {
    name: 'a tag in Windows-1252 shows as the file means it, and is saved byte for byte',
    async run({ page }) {
      await menu(page, 'mnuFile', 'mnuFileSaveAs');
      const base = (await saved(page, 'MR318.dat')).toString('latin1');
      const tagged = Buffer.from(base.replace('ChTag=#VTS', 'ChTag=#Caf\xe9'), 'latin1');
      const chooser = page.waitForEvent('filechooser');
      await menu(page, 'mnuFile', 'mnuFileOpen');
      await (await chooser).setFiles({ name: 'tagged.dat', mimeType: 'text/plain', buffer: tagged });
      await node(page, 'Program', 'PU');
      assert.equal(await page.locator('#screen tr[title="Café"]').count(), 1);
      await menu(page, 'mnuFile', 'mnuFileSaveAs');
      assert.deepEqual(await saved(page, 'tagged.dat'), tagged);
    },
  },
  {
    name: 'Recent Files: remembered with their handles, opened again without a picker, a file gone taken off',
    handles: true,
    async run({ page }) {
      await menu(page, 'mnuFile', 'mnuFileSaveAs');
      await page.evaluate(async (names) => {
        const dir = await navigator.storage.getDirectory();
        for (const name of names) {
          const writable = await (await dir.getFileHandle(name, { create: true })).createWritable();
          await writable.write(new Uint8Array(window.saved['MR318.dat']));
          await writable.close();
        }
      }, ['a.dat', 'b.dat']);
      for (const name of ['a.dat', 'b.dat']) {
        await page.evaluate((n) => { window.pick = n; }, name);
        await menu(page, 'mnuFile', 'mnuFileOpen');
        await page.waitForFunction((n) => document.querySelector('#caption').textContent.toLowerCase().endsWith(n), name);
      }
      const listed = async () => {
        await page.click('#mnuFile');
        return page.locator('[id^="mnuFileRecent"]').allTextContents().finally(() => page.keyboard.press('Escape'));
      };
      // A file saved as is among them, as in the window.
      assert.deepEqual(await listed(), ['1 b.dat', '2 a.dat', '3 MR318.dat']);
      await page.reload();
      await page.waitForSelector('body[data-ready]');
      assert.deepEqual(await listed(), ['1 b.dat', '2 a.dat', '3 MR318.dat']);
      await page.evaluate(() => { window.pick = 'no such file'; });  // the picker is not asked
      await menu(page, 'mnuFile', 'mnuFileRecent1');
      await page.waitForFunction(() => document.querySelector('#caption').textContent.toLowerCase().endsWith('a.dat'));
      assert.deepEqual(await listed(), ['1 a.dat', '2 b.dat', '3 MR318.dat']);

      await page.evaluate(async () => (await navigator.storage.getDirectory()).removeEntry('b.dat'));
      await menu(page, 'mnuFile', 'mnuFileRecent1');
      assert.equal((await answer(page)).text, 'The file b.dat cannot be found. It has been removed from the recent files.');
      assert.deepEqual(await listed(), ['1 a.dat', '2 MR318.dat']);
    },
  },
  {
    name: 'the splitter: arrow keys and the mouse, remembered with the language chosen; in German the page and the engine speak German',
    async run({ page }) {
      const width = () => page.evaluate(() => Math.round(document.querySelector('#tree-pane').getBoundingClientRect().width));
      const start = await width();
      await page.focus('#tree-splitter');
      for (const key of ['ArrowRight', 'ArrowRight', 'Shift+ArrowRight', 'ArrowLeft']) await page.keyboard.press(key);
      assert.equal(await width(), start + 80);
      await page.keyboard.press('Home');
      assert.equal(await width(), 160);
      const box = await page.locator('#tree-splitter').boundingBox();
      const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
      await page.mouse.move(x, y);
      await page.mouse.down();
      await page.mouse.move(x + 100, y + 30, { steps: 4 });
      await page.mouse.up();
      assert.equal(await width(), 260);

      await Promise.all([page.waitForEvent('load'), page.selectOption('#language', 'de')]);
      await page.waitForSelector('body[data-ready]');
      assert.equal(await page.getAttribute('#skip-to-screens', 'lang'), 'de');
      assert.equal(await page.getAttribute('html', 'lang'), 'de');
      assert.equal(await page.textContent('#skip-to-screens'), 'Zu den Seiten springen');
      assert.equal(await width(), 260);

      // The menu bar, a screen's labels and hints, and a question the engine asks.
      assert.deepEqual(await page.locator('#menubar > *').allTextContents(),
        ['Datei', 'Bearbeiten', 'Übertragen', 'Region', 'Optionen', 'Hilfe']);
      await node(page, 'General', 'Common');
      assert.deepEqual((await page.locator('#screen legend').allTextContents()).slice(0, 2),
        ['Suchlauffunktion', 'Wetterkanal-Funktion']);
      const usa = page.getByRole('group', { name: 'Verfügbare Kanalgruppen' }).getByRole('checkbox', { name: 'USA', exact: true });
      await usa.focus();
      assert.equal(await page.textContent('#hint'), '[Leertaste]: Ein- oder ausschalten.');
      // The focused field's help: in the screen's help line, and as its tooltip.
      const help = await page.textContent('#screen .field-help');
      assert.match(help, /^Angekreuzt: Dieser Kanalplan /);
      assert.equal(await usa.getAttribute('title'), help);
      await page.click('#tb-program');
      assert.equal(await page.locator('dialog[open] .option label').textContent(),
        'Zuerst den Speicher des Funkgeräts auslesen und aufbewahren');
      assert.equal(await page.getAttribute('dialog[open] .sign', 'aria-label'), 'Frage');
      assert.match((await answer(page, 'no')).text, /Funkgerät (trotzdem )?programmieren\?$/);
    },
  },
];

// RP770_PAGE_SHARD=0/2 and 1/2 split the paths between two browsers side
// by side; the second takes these, so that both take about as long.
const [shard, shards] = (process.env.RP770_PAGE_SHARD ?? '0/1').split('/').map(Number);
const second = new Set([1, 2, 3, 5, 7, 8, 9, 10, 11]);
for (const row of paths.filter((_, i) => shards === 1 || Number(second.has(i)) === shard)) {
  test(row.name, { skip }, async () => {
    const opened = await openPage(row);
    try {
      await row.run(opened);
      assert.deepEqual(opened.errors, []);
    } catch (error) {
      // What the page showed when it failed.
      const shown = opened.page.isClosed() ? [] : await opened.page.evaluate(() => [...document.querySelectorAll('dialog[open]')].map((d) => d.innerText));
      error.message += `\nopen dialogs: ${JSON.stringify(shown)}`;
      throw error;
    } finally {
      await opened.close();
    }
  });
}
