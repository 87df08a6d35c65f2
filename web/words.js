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

export const language = chooseLanguage(navigator.languages ?? [navigator.language], LANGUAGES, remembered());
const catalogue = await loadMessages(language).catch(() => loadMessages('en'));
// The language of the catalogue's words, for the elements that show them
// (the rest of the page may still speak English).
export const wordsLanguage = catalogue.language || language;

/** @param {string} id @param {...unknown} args */
export const word = (id, ...args) => say(catalogue, id, ...args);
/** @param {string} id @param {...unknown} args */
export const menuWord = (id, ...args) => withoutAccelerator(say(catalogue, id, ...args));
