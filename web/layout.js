// The page's frame for every screen and keyboard: its own words in the
// language chosen, the skip link to the tree, the toolbar as one Tab stop,
// the splitter between the tree and the screen, and the choice of language
// in the status bar. Runs once, when imported.

import { LANGUAGES, LANGUAGE_KEY, chooseLanguage } from './language.js';
import { makeToolbarKeys } from './menus.js';
import { Splitter } from './splitter.js';
import { language, word, wordsLanguage } from './words.js';

// The catalogue's names of the languages (each by its own name).
/** @type {Record<string, string>} */
const LANGUAGE_NAMES = { en: 'LanguageEnglish', de: 'LanguageGerman', nl: 'LanguageDutch', fr: 'LanguageFrench' };

/** @param {string} id */
const $ = (id) => /** @type {HTMLElement} */ (document.getElementById(id));

// The whole page speaks the catalogue's language now (BCP 47 writes "en-XA").
document.documentElement.lang = wordsLanguage.replace('_', '-');

// The texts of index.html: data-word (the text), data-word-label (the name),
// data-word-title (the tip) and data-word-content (a meta element's).
for (const node of document.querySelectorAll('[data-word]')) {
  node.textContent = word(/** @type {string} */ (/** @type {HTMLElement} */ (node).dataset.word));
  node.setAttribute('lang', wordsLanguage);
}
for (const node of document.querySelectorAll('[data-word-label]')) {
  node.setAttribute('aria-label', word(/** @type {string} */ (/** @type {HTMLElement} */ (node).dataset.wordLabel)));
}

for (const node of document.querySelectorAll('[data-word-title]')) {
  node.setAttribute('title', word(/** @type {string} */ (/** @type {HTMLElement} */ (node).dataset.wordTitle)));
}
for (const node of document.querySelectorAll('meta[data-word-content]')) {
  node.setAttribute('content', word(/** @type {string} */ (/** @type {HTMLElement} */ (node).dataset.wordContent)));
}

// The skip link lands on the tree's node that Tab would reach.
$('skip-to-screens').addEventListener('click', (event) => {
  const node = /** @type {HTMLElement | null} */ ($('tree').querySelector('[role="treeitem"][tabindex="0"]'));
  if (!node) return;
  event.preventDefault();
  node.focus();
});

makeToolbarKeys($('toolbar'));

const workspace = $('workspace');
new Splitter($('tree-splitter'), {
  target: workspace, property: '--tree-width', pane: $('tree-pane'), key: 'RP770/Page/TreeWidth',
  min: 160, max: () => workspace.clientWidth - 280,
});

// The choice of language: the browser's, or one of the catalogues. The page
// opens again in it (its unsaved data are asked about as when it is left).
const choice = /** @type {HTMLSelectElement} */ ($('language'));
let remembered = '';
try {
  remembered = localStorage.getItem(LANGUAGE_KEY) ?? '';
} catch {
  // No storage: the browser's language, and no choice kept.
}
choice.replaceChildren(Object.assign(new Option(word('SystemLanguage'), ''), { lang: wordsLanguage }),
  ...LANGUAGES.map((l) => Object.assign(new Option(LANGUAGE_NAMES[l] ? word(LANGUAGE_NAMES[l]) : l, l), { lang: l })));
choice.value = LANGUAGES.includes(remembered) ? remembered : '';
choice.addEventListener('change', () => {
  try {
    if (choice.value) localStorage.setItem(LANGUAGE_KEY, choice.value);
    else localStorage.removeItem(LANGUAGE_KEY);
  } catch {
    return;
  }
  if (chooseLanguage(navigator.languages, LANGUAGES, choice.value) !== language) location.reload();
});
