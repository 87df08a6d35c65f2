// The page's own words in the language chosen: the remembered choice, else
// the browser's (language.js decides), from the catalogue built for the
// page; English when that catalogue cannot be had. Loaded once, before the
// page's modules that use it run.
//
//   word('Language')              // "Sprache"
//   menuWord('MenuFileRecent')    // "Zuletzt geöffnete Dateien": the key mark taken out

import { LANGUAGES, LANGUAGE_KEY, chooseLanguage, loadMessages, say, withoutAccelerator } from './language.js';

/** @returns {string} */
function remembered() {
  try {
    return globalThis.localStorage?.getItem(LANGUAGE_KEY) ?? '';
  } catch {
    return '';  // storage refused (a private window's rules)
  }
}

// Under Node (the tests) there may be no navigator: English.
const browser = globalThis.navigator;
export const language = chooseLanguage(browser?.languages ?? (browser?.language ? [browser.language] : []), LANGUAGES,
  remembered());
const catalogue = await loadMessages(language).catch(() => loadMessages('en'));
// The language of the catalogue's words, for the elements that show them
// (the rest of the page may still speak English).
export const wordsLanguage = catalogue.language || language;
// The whole catalogue, {Id: text}, for the engine to speak the same language.
export const words = catalogue.messages;

/** @param {string} id @param {...unknown} args */
export const word = (id, ...args) => say(catalogue, id, ...args);
/** @param {string} id @param {...unknown} args */
export const menuWord = (id, ...args) => withoutAccelerator(say(catalogue, id, ...args));
