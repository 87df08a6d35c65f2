// The page's language and its words. The catalogues are the program's own,
// written at build time from the translators' .po files into messages/
// (messages/LANGUAGE.json: {language, messages: {Id: text}}, English
// included), so the page says what the window and the command line say.
//
//   const language = chooseLanguage(navigator.languages, LANGUAGES, storage.getItem(LANGUAGE_KEY));
//   const words = await loadMessages(language);
//   say(words, 'AskChangeDestination', 'INT');     // "Möchten Sie zu INT wechseln?"
//   withoutAccelerator(say(words, 'MenuFile'));    // "Datei": the window's menu key taken out
//
// Files, the radio's bytes and the reports never change with the language.

/** @typedef {{ language: string, messages: Record<string, string> }} Catalogue */

// The languages there are catalogues of (English is the program's own).
export const LANGUAGES = ['en', 'de', 'nl', 'fr'];
// The pseudo-language of the layout checks (every text longer, with accents):
// chosen only when remembered by its name, never offered.
export const PSEUDO_LANGUAGE = 'en_XA';
// Where the page remembers a choice, as the engine's settings keep theirs
// (AppTitle/section/key): empty or absent for the browser's language.
export const LANGUAGE_KEY = 'RP770/Settings/Language';

// A language tag as the catalogues name languages: "de-DE" and "de_de" give "de_DE", "NL" gives "nl".
/** @param {unknown} tag */
export function normaliseLanguage(tag) {
  const [language = '', territory = ''] = String(tag ?? '').split(/[-_.@]/);
  if (!/^[A-Za-z]+$/.test(language)) return '';
  return territory && /^[A-Za-z0-9]+$/.test(territory)
    ? `${language.toLowerCase()}_${territory.toUpperCase()}` : language.toLowerCase();
}

// The language to speak: the remembered one when there is a catalogue of
// it (or it is the pseudo-language), else the first of the browser's languages that has one (as it is,
// else without its territory: "de-AT" takes "de"); "en" when none has.
/**
 * @param {readonly string[]} browserLanguages
 * @param {readonly string[]} available
 * @param {string | null} remembered
 */
export function chooseLanguage(browserLanguages = [], available = LANGUAGES, remembered = '') {
  /** @param {string} language */
  const offered = (language) => language === 'en' || available.includes(language);
  const chosen = normaliseLanguage(remembered);
  if (chosen && (offered(chosen) || chosen === PSEUDO_LANGUAGE)) return chosen;
  for (const tag of browserLanguages) {
    const wanted = normaliseLanguage(tag);
    if (!wanted) continue;
    if (offered(wanted)) return wanted;
    const language = wanted.split('_')[0];
    if (offered(language)) return language;
  }
  return 'en';
}

const FS = 'node:fs/promises';

// The catalogue of a language, from the page's messages folder.
/** @param {string} language @returns {Promise<Catalogue>} */
export async function loadMessages(language, base = new URL('messages/', import.meta.url)) {
  const url = new URL(`${language}.json`, base);
  if (url.protocol === 'file:') {
    // The page's modules under Node (the tests): fetch cannot read files there.
    /** @type {{ readFile(url: URL, encoding: string): Promise<string> }} */
    const fs = await import(FS);
    return JSON.parse(await fs.readFile(url, 'utf8'));
  }
  const response = await fetch(url);
  if (!response.ok) throw new Error(`No catalogue for ${language}: ${response.status}`);
  return response.json();
}

// Fills the placeholders %1..%9 with the arguments, wherever the language
// puts them; a "%" before anything else stays as it is.
/** @param {string} pattern @param {readonly unknown[]} args */
export function fillPlaceholders(pattern, args = []) {
  return String(pattern).replace(/%([1-9])/g, (whole, n) => (Number(n) <= args.length ? String(args[n - 1]) : whole));
}

// A message of the catalogue with its arguments, as the page shows it.
/** @param {Catalogue | null | undefined} catalogue @param {string} id @param {...unknown} args */
export function say(catalogue, id, ...args) {
  const pattern = catalogue?.messages?.[id];
  if (pattern === undefined) throw new RangeError(`No message ${id}`);
  return fillPlaceholders(pattern, args);
}

// The text of a window's menu entry without its key mark: "Save &As..." gives "Save As...", "&&" gives "&".
/** @param {string} text */
export function withoutAccelerator(text) {
  return String(text).replace(/&(&?)/g, (whole, second) => second);
}
