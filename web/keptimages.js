// The radios' kept memory images in the page: the list of them (File >
// Kept Radio Images...), from which one is opened as a memory image file,
// and, on start, the offer to program again a radio that was left partly
// programmed. The engine keeps them (keep.js holds its files).

import { el, makeDialog, showDialog } from './dialogs.js';

/** @typedef {import('./rp770.js').KeptImage} KeptImage */
/** @typedef {import('./rp770.js').PartlyProgrammed} PartlyProgrammed */
/** @typedef {import('./rp770.js').Question} Question */

// "2026-12-09T06:15:00Z" as the list shows it: "2026-12-09 06:15:00 UTC".
/** @param {string} time */
export const shownTime = (time) => time.replace(/^(\d{4}-\d\d-\d\d)T(\d\d:\d\d:\d\d)Z$/, '$1 $2 UTC');

/** @param {KeptImage} image */
const describe = (image) => `${shownTime(image.time)}  ${image.model}  ATIS ${image.atis || '-'}  (${image.reason})`;

// The list, newest first; the id of the image to open, or null.
/** @param {KeptImage[]} images @returns {Promise<string | null>} */
export async function chooseKeptImage(images) {
  if (!images.length) {
    const dialog = makeDialog({
      title: 'Kept Radio Images', id: 'kept-images',
      body: [el('p', {}, 'No radio image is kept yet: every memory image read from a radio is kept here.')],
      buttons: [{ label: 'OK', value: 'ok', primary: true }],
    });
    await showDialog(dialog, { escape: 'ok' });
    return null;
  }
  const list = el('select', { size: Math.min(12, Math.max(4, images.length)), id: 'kept-list', className: 'kept-list',
    'aria-label': 'Kept radio images, newest first' },
  images.map((image, i) => el('option', { value: image.id, selected: i === 0 }, describe(image))));
  const dialog = makeDialog({
    title: 'Kept Radio Images', id: 'kept-images', className: 'wide',
    body: [el('p', {}, 'The memory images read from radios, newest first. Open one to see it, save it or program it back.'), list],
    buttons: [{ label: 'Open', value: 'open', primary: true }, { label: 'Cancel', value: 'cancel' }],
  });
  list.addEventListener('dblclick', () => dialog.querySelector(/** @type {'button'} */ ('button[value="open"]'))?.click());
  const answer = await showDialog(dialog, { focus: list });
  return answer === 'open' && list.value ? list.value : null;
}

// The question on start for a radio left partly programmed: the answer.
/**
 * @param {PartlyProgrammed} partial
 * @param {(question: Question) => Promise<string>} ask
 */
export function offerToProgramAgain(partial, ask) {
  return ask({
    text: `The radio on ${partial.port} was left partly programmed (${shownTime(partial.time)}` +
      `${partial.file ? `, ${partial.file}` : ''}).\nProgram it again now with the data that were being sent?`,
    title: 'Partly programmed radio', icon: 'warning', buttons: 'yesNo', defaultAnswer: 'yes', before: [],
  });
}
