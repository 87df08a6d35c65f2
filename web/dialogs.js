// The page's message boxes and questions: accessible modal <dialog>s, one
// answer each. What the engine says ({text, title, icon, detail}) and asks
// ({text, title, icon, buttons, defaultAnswer, before, option}) is shown as
// the window's boxes show it.

import { word } from './words.js';

/** @typedef {import('./page.js').Shown} Message */
/** @typedef {import('./rp770.js').Question} Question */
/** @typedef {import('./rp770.js').OptionAnswer} OptionAnswer */
/** @typedef {import('./rp770.js').Icon} Icon */
/** @typedef {Node | string | null | undefined | false} Child */
/** @typedef {{ label: string, value: string, primary?: boolean, left?: boolean, id?: string }} DialogButton */

/** @type {Record<string, string>} */
export const BUTTON_TEXT = {
  ok: word('ButtonOk'), cancel: word('ButtonCancel'), yes: word('ButtonYes'), no: word('ButtonNo'),
  retry: word('ButtonRetry'),
};
/** @type {Record<string, string[]>} */
const BUTTONS = {
  ok: ['ok'], okCancel: ['ok', 'cancel'], yesNo: ['yes', 'no'], yesNoCancel: ['yes', 'no', 'cancel'],
  retryCancel: ['retry', 'cancel'],
};
/** @type {Record<Icon, string>} */
const SIGNS = { information: 'i', warning: '!', critical: '×', question: '?', none: '' };
/** @type {Record<Icon, string>} */
const SIGN_NAMES = {
  information: word('SignInformation'), warning: word('SignWarning'), critical: word('SignError'), question: word('SignQuestion'),
  none: '',
};

let serial = 0;

// An element with children: el('p', {className: 'x'}, 'text', child...).
/**
 * @template {keyof HTMLElementTagNameMap} K
 * @param {K} tag
 * @param {Record<string, unknown>} [props]
 * @param {...(Child | Child[])} children
 * @returns {HTMLElementTagNameMap[K]}
 */
export function el(tag, props = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(props)) {
    if (value === undefined || value === null || value === false) continue;
    if (key in node && !key.includes('-')) /** @type {any} */ (node)[key] = value;
    else node.setAttribute(key, value === true ? '' : String(value));
  }
  node.append(...children.flat().filter((c) => c !== null && c !== undefined && c !== false));
  return node;
}

// A modal dialog with a title, a body and a row of buttons; `buttons`:
// [{label, value, primary, left, id}]. Not yet shown.
/**
 * @param {{ title: string, body?: Child[], buttons?: DialogButton[], className?: string, alert?: boolean,
 *   id?: string }} options
 */
export function makeDialog({ title, body = [], buttons = [], className = '', alert = false, id }) {
  const titleId = `dialog-title-${++serial}`;
  const dialog = el('dialog', { className, id, role: alert ? 'alertdialog' : undefined, 'aria-labelledby': titleId },
    el('h2', { id: titleId }, title),
    el('div', { className: 'dialog-body' }, body),
    el('div', { className: 'buttons' }, buttons.map((b) => el('button', {
      type: 'button', className: [b.primary && 'primary', b.left && 'left'].filter(Boolean).join(' '),
      id: b.id, value: b.value,
    }, b.label))));
  return dialog;
}

// Shows the dialog until one of its buttons (with a value) is pressed:
// that value. Escape gives `escape`. `focus`: the element to start on.
/**
 * @param {HTMLDialogElement} dialog
 * @param {{ escape?: string | null, focus?: HTMLElement | null, keep?: boolean }} [options]
 * @returns {Promise<string>}
 */
export function showDialog(dialog, { escape = 'cancel', focus = null, keep = false } = {}) {
  if (!dialog.isConnected) document.body.append(dialog);
  return new Promise((resolve) => {
    /** @param {string} value */
    const done = (value) => {
      dialog.removeEventListener('click', onClick);
      dialog.removeEventListener('cancel', onCancel);
      dialog.close();
      if (!keep) dialog.remove();
      resolve(value);
    };
    /** @param {Event} event */
    const onClick = (event) => {
      const button = /** @type {HTMLButtonElement | null} */ (/** @type {Element} */ (event.target).closest('button[value]'));
      if (button && dialog.contains(button) && button.value) done(button.value);
    };
    /** @param {Event} event */
    const onCancel = (event) => {
      event.preventDefault();
      if (escape !== null) done(escape);
    };
    dialog.addEventListener('click', onClick);
    dialog.addEventListener('cancel', onCancel);
    dialog.showModal();
    (focus ?? dialog.querySelector('button.primary') ?? dialog.querySelector('button'))?.focus();
  });
}

/** @param {{ text: string, icon?: Icon, detail?: string }} message */
export function messageBody({ text, icon = 'none', detail = '' }) {
  const textId = `dialog-text-${++serial}`;
  return el('div', { className: 'message' },
    el('span', { className: `sign ${icon}`, role: icon === 'none' ? undefined : 'img', 'aria-label': SIGN_NAMES[icon] || undefined },
      SIGNS[icon] ?? ''),
    el('div', { id: textId }, el('p', {}, text), detail ? el('p', { className: 'detail' }, detail) : null));
}

// One message box; resolves when it is closed.
/** @param {Message} message */
export async function showMessage(message) {
  const alert = message.icon === 'warning' || message.icon === 'critical';
  const dialog = makeDialog({
    title: message.title || document.title, body: [messageBody(message)], alert,
    buttons: [{ label: BUTTON_TEXT.ok, value: 'ok', primary: true }],
  });
  dialog.setAttribute('aria-describedby', dialog.querySelector('.message > div')?.id ?? '');
  await showDialog(dialog, { escape: 'ok' });
}

// Messages one after another, in their order.
/** @param {Message[]} messages */
export async function showMessages(messages = []) {
  for (const message of messages) await showMessage(message);
}

// A question of the engine: the messages said before it first, then the
// question with its buttons (and its check box, when it offers a choice);
// the answer's name, with the choice as left. Escape answers Cancel, or No
// where there is no Cancel.
/** @param {Question} question @returns {Promise<OptionAnswer | string>} */
export async function ask(question) {
  await showMessages(question.before);
  const offered = BUTTONS[question.buttons] ?? ['ok'];
  const { option } = question;
  const box = option ? el('input', { type: 'checkbox', id: `dialog-option-${++serial}`, checked: option.checked }) : null;
  const dialog = makeDialog({
    title: question.title || document.title, alert: true,
    body: [messageBody(question), box && option && el('p', { className: 'option' }, box, el('label', { htmlFor: box.id }, option.text))],
    buttons: offered.map((answer) => ({ label: BUTTON_TEXT[answer], value: answer, primary: answer === question.defaultAnswer })),
  });
  dialog.setAttribute('aria-describedby', dialog.querySelector('.message > div')?.id ?? '');
  const escape = offered.includes('cancel') ? 'cancel' : offered.includes('no') ? 'no' : question.defaultAnswer;
  const answer = await showDialog(dialog, { escape });
  return box ? { answer, option: box.checked } : answer;
}

// The name of a file to download (where the browser cannot ask for a
// place): the name, or null when cancelled.
/** @param {string} suggested */
export async function askFileName(suggested, title = word('SaveAs')) {
  const input = el('input', { type: 'text', className: 'file-name', value: suggested, id: `file-name-${++serial}`,
    autocomplete: 'off', spellcheck: false });
  const dialog = makeDialog({
    title,
    body: [
      el('p', {}, word('SavesAsDownloads')),
      el('label', { htmlFor: input.id, className: 'visually-hidden' }, word('FileName')),
      input,
    ],
    buttons: [{ label: word('Save'), value: 'save', primary: true }, { label: BUTTON_TEXT.cancel, value: 'cancel' }],
  });
  input.addEventListener('keydown', (event) => {
    if (event.key === 'Enter') {
      event.preventDefault();
      dialog.querySelector(/** @type {'button'} */ ('button[value="save"]'))?.click();
    }
  });
  const answer = await showDialog(dialog, { focus: input });
  const name = input.value.trim();
  return answer === 'save' && name ? name : null;
}
