// The radios' kept memory images in the page: the list of them (File >
// Radio Backups...), from which one is opened as a memory image file,
// and, on start, the offer to program again a radio that was left partly
// programmed. The engine keeps them (keep.js holds its files).

import { el, makeDialog, showDialog } from './dialogs.js';
import { menuWord, word, wordsLanguage } from './words.js';

/** @typedef {import('./rp770.js').KeptImage} KeptImage */
/** @typedef {import('./rp770.js').PartlyProgrammed} PartlyProgrammed */
/** @typedef {import('./rp770.js').Question} Question */

// "2026-12-09T06:15:00Z" as the list shows it: "2026-12-09 06:15:00 UTC".
/** @param {string} time */
export const shownTime = (time) => time.replace(/^(\d{4}-\d\d-\d\d)T(\d\d:\d\d:\d\d)Z$/, '$1 $2 UTC');

/** @type {Record<KeptImage['reason'], string>} */
const REASONS = { read: 'BackupReasonRead', 'before-programming': 'BackupReasonBeforeProgramming' };

/** @param {KeptImage} image */
const describe = (image) => `${shownTime(image.time)}   ${image.model}   ATIS ${image.atis}   ${REASONS[image.reason] ? word(REASONS[image.reason]) : image.reason}`;

// The list, newest first; the id of the image to open, or null.
/** @param {KeptImage[]} images @returns {Promise<string | null>} */
export async function chooseKeptImage(images) {
  if (!images.length) {
    const dialog = makeDialog({
      title: word('RadioBackupsTitle'), id: 'kept-images',
      body: [el('p', {}, word('RadioBackupsNone'))],
      buttons: [{ label: word('ButtonOk'), value: 'ok', primary: true }],
    });
    dialog.lang = wordsLanguage;
    await showDialog(dialog, { escape: 'ok' });
    return null;
  }
  const list = el('select', { size: Math.min(12, Math.max(4, images.length)), id: 'kept-list', className: 'kept-list',
    'aria-label': word('RadioBackupsTitle') },
  images.map((image, i) => el('option', { value: image.id, selected: i === 0 }, describe(image))));
  const dialog = makeDialog({
    title: word('RadioBackupsTitle'), id: 'kept-images', className: 'wide',
    body: [el('p', {}, word('RadioBackupsWhere', word('ThisBrowser'))), list],
    buttons: [{ label: menuWord('MenuFileOpen'), value: 'open', primary: true }, { label: word('ButtonCancel'), value: 'cancel' }],
  });
  dialog.lang = wordsLanguage;
  list.addEventListener('dblclick', () => dialog.querySelector(/** @type {'button'} */ ('button[value="open"]'))?.click());
  const answer = await showDialog(dialog, { focus: list });
  return answer === 'open' && list.value ? list.value : null;
}

/**
 * @typedef {object} ResumeSteps
 * @property {(question: Question) => Promise<string | import('./rp770.js').OptionAnswer>} ask
 * @property {(port: string) => Promise<boolean>} resume opens the plan and takes the port; false when it could not
 * @property {() => Promise<unknown>} program the programming, as Program to Radio runs it
 * @property {(port: string) => void} forget
 */

// On start, each radio left partly programmed: Yes opens the plan that was
// being sent and programs the radio again; No forgets it.
/** @param {PartlyProgrammed[]} partials @param {string} title @param {ResumeSteps} steps */
export async function offerPartlyProgrammed(partials, title, { ask, resume, program, forget }) {
  for (const partial of partials) {
    const answer = await ask({ text: partial.question, title, icon: 'warning', buttons: 'yesNo', defaultAnswer: 'yes', before: [] });
    if (answer !== 'yes') {
      forget(partial.port);
    } else if (await resume(partial.port)) {
      await program();
      return;  // one radio at a time: the others are offered on the next start
    }
  }
}
