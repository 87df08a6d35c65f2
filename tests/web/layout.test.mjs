// The page in headless Chromium, in the pseudo-language (every text about
// 40 % longer, with accents) at a desktop's size and at a phone's at 200 %
// zoom (the narrowest the page is made for), and in German at the latter:
// on every screen, in the menus and in the main dialogs no text runs out of
// its box (but where the box is meant to scroll or to shorten its text), no
// two neighbours lie over each other and no text shows a placeholder.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import { hasChromium, launchChromium, serveFolder } from './browser.mjs';

const required = process.env.RP770_REQUIRE_CHROMIUM === '1';
const skip = !required && !hasChromium() && 'no chromium here (bash scripts/setup.sh installs it)';

const catalogue = (language) => JSON.parse(fs.readFileSync(path.join(process.env.RP770_WEB_DIR, 'messages', `${language}.json`), 'utf8'));
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

// What is cut off or overlaps in what the user sees now: the page's and
// the open dialogs' elements, each named by its tag, id or class and text.
const faults = (page) => page.evaluate(() => {
  const name = (e) => `${e.tagName.toLowerCase()}${e.id ? `#${e.id}` : ''}${e.classList.length ? `.${[...e.classList].join('.')}` : ''}` +
    ` "${(e.textContent ?? '').trim().slice(0, 30)}"`;
  const shown = (e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility === 'visible';
  const found = [];
  const modal = document.querySelector('dialog[open]');
  const roots = modal ? [...document.querySelectorAll('dialog[open]')] : [document.body];
  for (const root of roots) {
    for (const e of [root, ...root.querySelectorAll('*')]) {
      // The tree and the grid are lists meant to scroll sideways as well.
      if (!shown(e) || e.closest('svg, .visually-hidden, .sprites, table, #tree-pane, .grid-scroll')) continue;
      if (modal && e.closest('dialog') !== root) continue;
      const style = getComputedStyle(e);
      // An open menu reaches out of its button's box as it is meant to (it is checked on its own).
      const meant = ['auto', 'scroll'].includes(style.overflowX) || style.textOverflow === 'ellipsis' ||
        [...e.querySelectorAll('[role="menu"]')].some(shown);
      if (!meant && e.clientWidth > 0 && e.scrollWidth > e.clientWidth + 1) {
        found.push(`${name(e)} is ${e.scrollWidth - e.clientWidth} px too narrow`);
      }
      const children = [...e.children].filter((c) => shown(c) && !['absolute', 'fixed'].includes(getComputedStyle(c).position));
      const boxes = children.map((c) => c.getBoundingClientRect());
      for (let i = 0; i < boxes.length; ++i) {
        for (let j = i + 1; j < boxes.length; ++j) {
          const [a, b] = [boxes[i], boxes[j]];
          const across = Math.min(a.right, b.right) - Math.max(a.left, b.left);
          const down = Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top);
          if (across > 1 && down > 1) found.push(`${name(children[i])} overlaps ${name(children[j])}`);
        }
      }
    }
  }
  for (const root of roots) {
    const unfilled = root.innerText.match(/.{0,20}%[1-9].{0,10}/);
    if (unfilled) found.push(`a text shows its placeholder: "${unfilled[0]}"`);
  }
  const wide = document.documentElement.scrollWidth - document.documentElement.clientWidth;
  if (wide > 0) found.push(`the page is ${wide} px too wide`);
  return found;
});

async function node(page, ...keys) {
  for (const key of keys.slice(0, -1)) {
    const li = page.locator(`#tree [data-key="${key}"]`);
    if ((await li.getAttribute('aria-expanded')) === 'false') await li.locator('> .node .twisty').click();
  }
  await page.locator(`#tree [data-key="${keys.at(-1)}"] > .node .label`).click();
}

const menu = async (page, bar, item) => {
  await page.click(`#${bar}`);
  await page.click(`#${item}`);
};

// German too, where the narrowest pane meets the longest words ("Zweikanalüberwachung").
const cases = [
  { language: 'en_XA', size: '1280 px', viewport: { width: 1280, height: 800 } },
  { language: 'en_XA', size: '360 px at 200 %', viewport: { width: 180, height: 370 } },
  { language: 'de', size: '360 px at 200 %', viewport: { width: 180, height: 370 } },
];

// The cases side by side, each in a context of its own.
test('every screen, menu and dialog holds its texts in a longer language', { skip, concurrency: true }, async (t) => {
  await Promise.all(cases.map(({ language, size, viewport }) => t.test(`${language} at ${size}`, async () => {
    const context = await browser.newContext({ serviceWorkers: 'block', viewport });
    try {
      const page = await context.newPage();
      page.setDefaultTimeout(10_000);
      const errors = [];
      page.on('pageerror', (error) => errors.push(error));
      await page.addInitScript((l) => localStorage.setItem('RP770/Settings/Language', l), language);
      await page.goto(server.url);
      await page.waitForSelector('body[data-ready]');
      assert.equal(await page.getAttribute('html', 'lang'), language.replace('_', '-'));
      const found = {};
      const look = async (where) => {
        const seen = await faults(page);
        if (seen.length) found[where] = seen;
      };
      await look('General');
      for (const bar of await page.locator('#menubar .menu-button').all()) {
        await bar.click();
        await look(`${await bar.getAttribute('id')} menu`);
        await page.keyboard.press('Escape');
      }
      await node(page, 'General', 'Common');
      await look('Common');
      // Every channel group usable, for the lists and the EXP channels.
      const groups = page.getByRole('group', { name: catalogue(language).messages.UsableChannelGroups, exact: true });
      for (const box of await groups.locator('input[type="checkbox"]').all()) await box.check();
      for (const keys of [['Program', 'PU'], ['Program', 'PU', 'PU 16'], ['Program', 'PW'], ['Program', 'ExpChannel'],
        ['Program', 'ExpChannel', 'E 1']]) {
        await node(page, ...keys);
        await look(keys.at(-1));
      }
      for (const [bar, item, close] of [['mnuHelp', 'mnuHelpAbout', 'dialog[open] button'],
        ['mnuFile', 'mnuFileBackups', 'dialog[open] button[value="ok"]'],
        ['mnuTransfer', 'mnuTransferRead', '#transfer-cancel']]) {
        await menu(page, bar, item);
        await page.locator('dialog[open]').last().waitFor();
        await look(item);
        await page.locator(close).last().click();
        await page.locator('dialog[open]').waitFor({ state: 'detached' });
      }
      assert.deepEqual(found, {});
      assert.deepEqual(errors, []);
    } finally {
      await context.close();
    }
  })));
});
