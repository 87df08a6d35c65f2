// The page's windows over the editor: the transfer dialog every exchange
// with the radio runs in, the report ("Print to File"), the differences,
// the help, the about box, and the printed report laid out for the
// browser's print.

import { el, makeDialog, showDialog, showMessage, showMessages } from './dialogs.js';
import { menuWord, word } from './words.js';

/** @typedef {import('./page.js').PageContext} PageContext */
/** @typedef {import('./rp770.js').SessionCommands} SessionCommands */
/** @typedef {import('./rp770.js').Difference} Difference */
/** @typedef {import('./rp770.js').PrintedPages} PrintedPages */
/** @typedef {import('./rp770.js').TransferOutcome | import('./rp770.js').ProbeOutcome} TransferResult */
/** @typedef {'read' | 'program' | 'compare' | 'probe'} TransferMode */
/**
 * @template T
 * @typedef {import('./rp770.js').MayWait<T>} MayWait
 */

export const TRANSFER_TITLES = {
  read: menuWord('ReadFromRadio'), program: menuWord('ProgramToRadio'), compare: menuWord('CompareWithRadio'),
  probe: menuWord('TestConnection'),
};
/** @type {Record<TransferMode, (s: SessionCommands) => MayWait<TransferResult>>} */
const TRANSFER_CALLS = {
  read: (s) => s.readFromRadio(), program: (s) => s.programToRadio(), compare: (s) => s.compareWithRadio(),
  probe: (s) => s.testConnection(),
};
export const INSTRUCTIONS = word('TransferInstructions');

const SVG = 'http://www.w3.org/2000/svg';
/** @param {string} tag @param {Record<string, string | number>} attrs @param {...Node} children */
function svg(tag, attrs = {}, ...children) {
  const node = document.createElementNS(SVG, tag);
  for (const [k, v] of Object.entries(attrs)) node.setAttribute(k, String(v));
  node.append(...children);
  return node;
}

// The radio and the computer joined by the cable: the radio left of the
// computer for a read, right of it for programming.
/** @param {boolean} radioLeft */
function connectionPicture(radioLeft) {
  const radioX = radioLeft ? 40 : 300;
  const pcX = radioLeft ? 250 : 30;
  const jack = radioX + 20;
  const port = pcX + 60;
  return svg('svg', { viewBox: '0 0 400 150', class: 'transfer-picture', role: 'img',
    'aria-label': word(radioLeft ? 'RadioCabledToComputer' : 'ComputerCabledToRadio') },
    svg('rect', { x: radioX + 14, y: 8, width: 12, height: 36, rx: 5, class: 'fill', stroke: 'currentColor', 'stroke-width': 2 }),
    svg('rect', { x: radioX, y: 34, width: 60, height: 108, rx: 12, class: 'fill', stroke: 'currentColor', 'stroke-width': 2 }),
    svg('rect', { x: radioX + 10, y: 46, width: 40, height: 26, rx: 3, fill: 'none', stroke: 'currentColor', 'stroke-width': 2 }),
    svg('rect', { x: pcX, y: 30, width: 120, height: 80, rx: 6, class: 'fill', stroke: 'currentColor', 'stroke-width': 2 }),
    svg('rect', { x: pcX - 10, y: 112, width: 140, height: 12, rx: 3, class: 'fill', stroke: 'currentColor', 'stroke-width': 2 }),
    svg('path', { d: `M${jack} 90 C ${jack} 140, ${port} 150, ${port} 124`, fill: 'none', stroke: 'currentColor', 'stroke-width': 3 }));
}

// The transfer dialog: instructions, picture, progress, what the link is
// doing, OK / Cancel / Help. OK runs the transfer; the dialog closes once a
// transfer ended well (or, for the connection test, found the radio) and
// stays for another try otherwise. Resolves with the last transfer's
// result (null when none ran).
/**
 * @param {PageContext} app
 * @param {TransferMode} mode
 * @returns {Promise<any>}
 */
export async function runTransfer(app, mode) {
  const { session } = app;
  const progress = el('progress', { max: 100, value: 0, 'aria-label': word('Progress') });
  const activity = el('p', { className: 'activity', 'aria-live': 'polite' });
  const monitor = el('p', { className: 'monitor', hidden: !app.debugMode, 'aria-live': 'polite' });
  const dialog = makeDialog({
    title: TRANSFER_TITLES[mode], id: 'transfer',
    body: [el('pre', { className: 'instructions' }, INSTRUCTIONS), connectionPicture(mode !== 'program'), progress, activity, monitor],
    buttons: [
      { label: word('Help'), value: 'help', left: true, id: 'transfer-help' },
      { label: word('ButtonOk'), value: 'ok', primary: true, id: 'transfer-ok' },
      { label: word('ButtonCancel'), value: 'cancel', id: 'transfer-cancel' },
    ],
  });
  const [help, ok, cancel] = ['help', 'ok', 'cancel']
    .map((v) => /** @type {HTMLButtonElement} */ (dialog.querySelector(`button[value="${v}"]`)));
  /** @param {number} ms */
  const pause = (ms) => new Promise((resolve) => { setTimeout(resolve, ms); });
  /** @param {string} text */
  const say = async (text) => {
    if (!app.debugMode) return;
    monitor.textContent = text;
    await pause(500);
  };
  const hooks = session.hooks;
  session.hooks = {
    ...hooks,
    progress: (/** @type {number} */ percent) => { progress.value = Math.min(100, percent); },
    activity: (/** @type {string} */ text) => { activity.textContent = text; },
    monitor: (/** @type {string} */ text) => { if (app.debugMode) monitor.textContent = text; },
    controls: (/** @type {boolean} */ enabled) => enableControls(enabled),
  };
  // While OK and Help are off, the keys go to Cancel (a disabled button would drop the focus).
  /** @param {boolean} enabled */
  const enableControls = (enabled) => {
    const hadFocus = dialog.contains(document.activeElement) && document.activeElement !== cancel;
    ok.disabled = help.disabled = !enabled;
    if (!enabled && (hadFocus || !dialog.contains(document.activeElement))) cancel.focus();
  };
  let busy = false;
  /** @type {any} */
  let last = null;
  document.body.append(dialog);
  try {
    await say(word('MonitorStartingDebug'));
    return await new Promise((resolve) => {
      const close = () => {
        dialog.close();
        resolve(last);
      };
      dialog.addEventListener('cancel', (event) => {
        event.preventDefault();  // Escape is Cancel; closing mid-transfer is refused
        cancel.click();
      });
      cancel.addEventListener('click', () => (busy ? session.cancel() : close()));
      help.addEventListener('click', () => showHelp('transfer'));
      ok.addEventListener('click', async () => {
        if (busy) return;
        busy = true;
        enableControls(false);
        dialog.setAttribute('aria-busy', 'true');
        let result;
        try {
          result = await session.transfer(TRANSFER_CALLS[mode]);
        } catch (error) {
          const text = String(/** @type {Error} */ (error)?.message ?? error);
          result = { messages: [{ text, title: TRANSFER_TITLES[mode], icon: /** @type {const} */ ('critical') }] };
        }
        last = result;
        busy = false;
        dialog.removeAttribute('aria-busy');
        progress.value = 0;
        await showMessages(result.messages);
        const done = 'found' in result ? result.found : 'synchronised' in result && result.synchronised && !result.commError;
        ok.disabled = help.disabled = false;
        if (done) close();
        else ok.focus();
      });
      dialog.showModal();
      ok.focus();
    });
  } finally {
    session.hooks = hooks;
    dialog.remove();
  }
}

// "Print to File": the text report, shown, saved with Save As... (what the
// box holds, CR LF line ends, one CR LF after it).
/** @param {PageContext} app */
export async function showReport(app) {
  const text = el('textarea', { className: 'report-text', spellcheck: false, 'aria-label': word('Report'), wrap: 'off' },
    word('ReportWaiting'));
  const dialog = makeDialog({
    title: menuWord('PrintToFile'), className: 'wide', id: 'report',
    body: [text],
    buttons: [{ label: menuWord('MenuReportSaveAs'), value: 'save', left: true }, { label: word('ButtonOk'), value: 'ok', primary: true }],
  });
  document.body.append(dialog);
  const saveButton = /** @type {HTMLButtonElement} */ (dialog.querySelector('button[value="save"]'));
  saveButton.addEventListener('click', async (event) => {
    event.stopPropagation();
    const bytes = new TextEncoder().encode(`${text.value.replace(/\r?\n/g, '\r\n')}\r\n`);
    const failure = await app.saveText(bytes);
    if (failure) await showMessage({ text: failure, title: `${app.state?.modelName} ${app.state?.messageTitle}`, icon: 'warning' });
  });
  // The report is built once the window shows.
  requestAnimationFrame(() => { text.value = app.session.now.textReport().replace(/\r\n/g, '\n'); });
  await showDialog(dialog, { escape: 'ok' });
}

// The differences from a file or the radio, as a table; Copy puts them on
// the clipboard for a spreadsheet, as the engine writes them (`spreadsheet`:
// no cell a spreadsheet would run as a formula).
/** @param {Difference[]} differences @param {string} other @param {string} title @param {string} spreadsheet */
export async function showDifferences(differences, other, title, spreadsheet) {
  const headers = ['ColumnArea', 'ColumnChannel', 'ColumnField', 'ColumnThis', 'ColumnOther'].map((id) => word(id));
  const rows = differences.map((d) => [d.area, d.channel, d.field, d.a, d.b]);
  const summary = differences.length === 1
    ? word('OneDifference', other) : word('Differences', differences.length, other);
  const dialog = makeDialog({
    title, className: 'wide', id: 'differences',
    body: [el('p', {}, summary), el('div', { className: 'differences', tabIndex: 0, role: 'region', 'aria-label': word('DifferencesTable') },
      el('table', {}, el('thead', {}, el('tr', {}, headers.map((h) => el('th', { scope: 'col' }, h)))),
        el('tbody', {}, rows.map((r) => el('tr', {}, r.map((c) => el('td', {}, c)))))))],
    buttons: [{ label: menuWord('ButtonCopy'), value: 'copy', left: true }, { label: word('ButtonClose'), value: 'close', primary: true }],
  });
  const copy = /** @type {HTMLButtonElement} */ (dialog.querySelector('button[value="copy"]'));
  copy.addEventListener('click', async (event) => {
    event.stopPropagation();
    try {
      await navigator.clipboard.writeText(spreadsheet);
      copy.textContent = word('Copied');
    } catch {
      copy.textContent = word('CopyRefused');
    }
  });
  await showDialog(dialog, { escape: 'close' });
}

// The help text shipped with the program, at a topic ("transfer": the
// transfer dialog's).
export async function showHelp(topic = '') {
  const frame = el('iframe', { className: 'help-frame', src: `rp770-help.html${topic ? `#${topic}` : ''}`, title: word('HelpTitle') });
  const dialog = makeDialog({ title: word('HelpTitle'), className: 'wide', id: 'help', body: [frame],
    buttons: [{ label: word('ButtonClose'), value: 'close', primary: true }] });
  await showDialog(dialog, { escape: 'close' });
}

/** @param {string} version */
export async function showAbout(version) {
  const numbers = String(version).split('.').concat(['0', '0', '0']).slice(0, 3).map((n) => Number.parseInt(n, 10) || 0);
  const dialog = makeDialog({
    title: word('VersionInformation'), id: 'about',
    body: [el('div', { className: 'message' }, el('img', { src: 'icon.svg', alt: '', width: 40, height: 40 }),
      el('div', {}, el('p', {}, el('strong', {}, word('AboutTitle', 'RP770'))), el('p', {}, word('AboutVersion', numbers.join('.'))),
        el('p', { className: 'detail' }, word('AboutNotice'))))],
    buttons: [{ label: word('ButtonOk'), value: 'ok', primary: true }],
  });
  await showDialog(dialog, { escape: 'ok' });
}

// The printed report's pages ([[{x, y, text}]], twips from the printable
// area's top left) laid out for the browser's print: every cell at its own
// place, each page on a sheet of its own.
/** @param {HTMLElement} container @param {PrintedPages} pages */
export function layOutPrintedReport(container, pages) {
  /** @param {number} twips */
  const mm = (twips) => `${(twips / 56.7).toFixed(2)}mm`;
  container.replaceChildren(...pages.map((cells) => el('div', { className: 'page' }, cells.map((c) => {
    const cell = el('span', { className: 'cell' }, c.text);
    cell.style.left = mm(c.x);
    cell.style.top = mm(c.y);
    return cell;
  }))));
}
