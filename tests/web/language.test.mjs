// The page's language under Node: the browser's languages and a remembered
// choice decide it; the catalogues built for the page carry every message
// in every language with the English placeholders; texts are filled in as
// the engine fills them.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import test from 'node:test';

import { LANGUAGES, PSEUDO_LANGUAGE, chooseLanguage, fillPlaceholders, normaliseLanguage, say, withoutAccelerator }
  from '../../web/language.js';

const dir = process.env.RP770_WEB_DIR;
const catalogue = async (language) => JSON.parse(await readFile(join(dir, 'messages', `${language}.json`), 'utf8'));

test('the browser\'s languages choose, a remembered choice first', () => {
  const cases = [
    [['de-DE', 'en-US'], '', 'de'],
    [['de-AT'], '', 'de'],
    [['pt-BR', 'nl'], '', 'nl'],
    [['en-GB', 'fr'], '', 'en'],
    [['fr-CA'], '', 'fr'],
    [['ja'], '', 'en'],
    [[], '', 'en'],
    [['de-DE'], 'nl', 'nl'],
    [['de-DE'], 'en', 'en'],
    [['de-DE'], 'xx', 'de'],
    [['en-XA'], '', 'en'],
    [['de-DE'], 'en_XA', 'en_XA'],
  ];
  for (const [browser, remembered, expected] of cases) {
    assert.equal(chooseLanguage(browser, LANGUAGES, remembered), expected, `${browser} ${remembered}`);
  }
  assert.equal(chooseLanguage(['en-XA'], [...LANGUAGES, PSEUDO_LANGUAGE]), PSEUDO_LANGUAGE);
  assert.equal(normaliseLanguage('de_de.UTF-8'), 'de_DE');
  assert.equal(normaliseLanguage('../de'), '');
});

test('texts are filled in wherever the language puts their arguments', () => {
  assert.equal(fillPlaceholders('%2 vor %1', ['a', 'b']), 'b vor a');
  assert.equal(fillPlaceholders('100% %1 %3', ['sicher']), '100% sicher %3');
  assert.equal(withoutAccelerator('Save &As...'), 'Save As...');
  assert.equal(withoutAccelerator('&%1 R&&D'), '%1 R&D');
});

test('every catalogue carries every message with the English placeholders', async () => {
  const english = await catalogue('en');
  const ids = Object.keys(english.messages);
  assert.ok(ids.length > 500);
  assert.equal(say(english, 'AskChangeDestination', 'INT'), 'Do you want to change to INT?');
  const placeholders = (text) => (text.match(/%[1-9]/g) ?? []).sort().join();
  for (const language of [...LANGUAGES.filter((l) => l !== 'en'), PSEUDO_LANGUAGE]) {
    const words = await catalogue(language);
    assert.equal(words.language, language);
    assert.deepEqual(Object.keys(words.messages), ids, language);
    for (const id of ids) {
      assert.equal(placeholders(words.messages[id]), placeholders(english.messages[id]), `${language} ${id}`);
    }
    assert.notEqual(say(words, 'MenuFile'), english.messages.MenuFile, language);
  }
  assert.throws(() => say(english, 'NoSuchMessage'), RangeError);
});
