// The browser edition's page: the editor window's features over the
// engine's application session. The rules and the commands' questions are
// the engine's; this module builds the page, takes its typed input, calls
// the session's command, shows its messages and what changed.
//
// The address may carry: ?debug (the /D switch: monitor texts and their
// pauses), ?noecho (/T), ?speed=N (the simulated radio's line N times faster).

import { loadEngine } from './engine.js';
import { el, ask, askFileName, showMessages } from './dialogs.js';
import { FileStore, RecentFiles, droppedFile, indexedRecentStore, namedRecentStore, pickFile, pickSaveFile, recentMenuEntries }
  from './files.js';
import './layout.js';
import { menuWord, word, words, wordsLanguage } from './words.js';
import { HotExit } from './hotexit.js';
import { buildMenuBar, closeMenus } from './menus.js';
import { RadioChoice } from './radio.js';
import { PageSession } from './session.js';
import { Tree } from './tree.js';
import { commonScreen, generalScreen, greyScreen, weatherScreen } from './screens.js';
import { editorScreen, listScreen } from './channels.js';
import { layOutPrintedReport, runTransfer, showAbout, showDifferences, showHelp, showReport } from './windows.js';
import { showNewVersion, watchForUpdates } from './update.js';
import { KeptFiles } from './keep.js';
import { chooseKeptImage, offerPartlyProgrammed } from './keptimages.js';

/** @typedef {import('./page.js').PageContext} PageContext */
/** @typedef {import('./page.js').Screen} Screen */
/** @typedef {import('./menus.js').MenuEntry} MenuEntry */
/** @typedef {import('./menus.js').Menu} Menu */
/** @typedef {import('./files.js').FileSource} FileSource */
/** @typedef {import('./rp770.js').Outcome} Outcome */
/** @typedef {import('./rp770.js').SessionCommands} SessionCommands */
/** @typedef {import('./rp770.js').SessionState} SessionState */
/** @typedef {import('./rp770.js').FileComparison | import('./rp770.js').RadioComparison} Comparison */

// The page's own elements (index.html), which are always there.
/** @param {string} id */
const $ = (id) => /** @type {HTMLElement} */ (document.getElementById(id));
const params = new URLSearchParams(location.search);
const switchLine = `${params.has('debug') || params.has('/D') ? '/D' : ''}${params.has('noecho') || params.has('/T') ? 'T' : ''}`
  .replace(/^T$/, '/T');
// The printed report's pages: the printable height of the smaller of A4 and Letter, in twips.
const PRINT_PAGE_TWIPS = (279.4 - 12) * 56.7;

const [engine, kept] = await Promise.all([loadEngine(), KeptFiles.open()]);
engine.setLanguage(wordsLanguage, words);
const files = new FileStore();
const recent = new RecentFiles([indexedRecentStore(), namedRecentStore()]);
await recent.load();
const baseHooks = { ask, chooseSaveFile: () => chooseSaveFile(), chooseOpenFile: (/** @type {'data' | 'hex' | 'csv'} */ kind) => chooseOpenFile(kind) };
const session = new PageSession(engine, baseHooks, files, globalThis.localStorage, switchLine, kept);
kept.onfailure = (/** @type {DOMException | null} */ error) => showMessages([{
  text: word('BackupNotKept', error?.message ?? error?.name ?? ''), title: app.state?.messageTitle ?? 'RP770', icon: 'warning' }]);
const texts = session.functions.editorTexts();
const fieldHelp = session.functions.fieldHelp();
const radio = new RadioChoice(session, { speed: Math.max(1, Number(params.get('speed')) || 1) });
// Unsaved changes kept aside while the user works, offered back on the next start.
const hotExit = new HotExit(() => session.now, { files });

// ---- the page's context for the screens -------------------------------------------

/** @type {PageContext} */
const app = {
  session,
  texts,
  fieldHelp,
  state: null,
  debugMode: false,
  validating: false,
  hint(text) { $('hint').textContent = text; },
  // An edit of the session: its refusal shown, the page brought up to date.
  async edit(call) {
    const refused = call();
    if (refused) await app.guard(() => showMessages(refused));
    app.changed({ force: Boolean(refused) });
    return !refused;
  },
  showMessages: (messages) => showMessages(messages),
  // Validations that show a message and put the focus back: the focus
  // changes they cause are not new entries to check.
  async guard(check) {
    if (app.validating) return check();
    app.validating = true;
    try {
      return await check();
    } finally {
      app.validating = false;
    }
  },
  isTree: (node) => Boolean(node && $('tree').contains(/** @type {Node} */ (node))),
  treeKey: () => tree.selectedKey,
  nodeText: () => tree.node(tree.selectedKey)?.text ?? '',
  openNode: (key) => tree.select(key, { focus: true }),
  changed: (options) => afterChange(options),
  saveText: (bytes) => saveReportText(bytes),
};

const notice = el('p', { id: 'serial-notice' });
const screens = {
  general: generalScreen(notice),
  grey: greyScreen(),
  common: commonScreen(app),
  list: listScreen(app),
  editor: editorScreen(app),
  weather: weatherScreen(app),
};
/** @type {Screen | null} */
let current = null;
const hexView = el('pre', { className: 'hexdump', tabIndex: 0, 'aria-label': word('HexDumpOfImage') });
const hexPanel = el('div', { className: 'panel', id: 'hexdump', hidden: true }, el('h2', {}, menuWord('MenuOptionsHexdump')), hexView);

/** @param {Screen} screen */
function showScreen(screen) {
  current = screen;
  const host = $('screen');
  host.replaceChildren(screen.element, hexPanel);
  screen.element.hidden = !hexPanel.hidden;
  host.classList.toggle('grey', Boolean(screen.grey));
}

const tree = new Tree($('tree'), {
  onSelect: async (node) => {
    if (!(await commit(true))) return false;
    showNode(node);
    return true;
  },
  onFocus: () => app.hint(texts.tree),
});

/** @param {import('./rp770.js').TreeNode | null} node */
function showNode(node) {
  if (!node) return;
  const screen = session.now.screenOfNode(node.key, node.parent);
  const channel = { area: screen.area, index: screen.index };
  switch (screen.kind) {
    case 'general': showScreen(screens.general); break;
    case 'grey': showScreen(screens.grey); break;
    case 'common': screens.common.fill(); showScreen(screens.common); break;
    case 'list': screens.list.fill(screen.area); showScreen(screens.list); break;
    case 'weather': screens.weather.fill(); showScreen(screens.weather); break;
    case 'editor': if (screens.editor.load(channel)) showScreen(screens.editor); break;
    default: break;
  }
  app.hint(texts.tree);
}

// Pending input is checked before the screen is left or the data used;
// false when refused (the box that refused it has said why).
async function commit(leaving = true) {
  if (!(await screens.common.commit())) return false;
  if (current === screens.editor) return screens.editor.commit(leaving);
  if (current === screens.list) return screens.list.commit();
  return true;
}

const hasPendingInput = () => screens.common.hasPending() || screens.editor.hasPending() || screens.list.hasPending();

// ---- after every change: the tree, the screen, the title, the menus --------------------

function afterChange({ force = false } = {}) {
  const notices = session.now.takeNotices();
  const sources = new Set(notices.map((n) => n.source));
  if (sources.has('replacement')) {
    reinitialise();
  } else if (sources.has('undo') || sources.has('redo') || sources.has('edit') || force) {
    if (!tree.updateTexts(session.now.treeNodes())) tree.build(session.now.treeNodes());
    if (!tree.selectedKey || !tree.node(tree.selectedKey)) {
      tree.forgetShown();
      tree.select('General');
    } else if (sources.has('undo') || sources.has('redo')) {
      if (current === screens.editor) screens.editor.restore();
      else current?.refresh();
    } else {
      current?.refresh();
    }
  }
  updateChrome();
}

// Everything starts again (New, an opened file, a read, a model or
// destination change): the screens emptied, the tree built, "General" shown.
function reinitialise() {
  screens.editor.clear();
  screens.list.clear();
  screens.common.clear();
  tree.build(session.now.treeNodes());
  tree.forgetShown();
  tree.mark(null);
  tree.select('General');
  app.hint('');
}

function updateChrome() {
  const state = (app.state = session.now.state());
  app.debugMode = state.debugMode;
  $('caption').textContent = state.caption;
  $('modified').hidden = !state.modified;
  document.title = `${state.caption}${state.modified ? ' *' : ''}`;
  hotExit.changed(state.modified);
  $('model').textContent = state.modelName;
  $('port').textContent = radio.status;
  /** @param {string} verb @param {string} action */
  const named = (verb, action) => (action ? word(`${verb}Step`, action) : word(verb));
  /** @type {[string, boolean, string][]} */
  const buttons = [['tb-undo', state.canUndo, named('Undo', state.undoAction)],
    ['tb-redo', state.canRedo, named('Redo', state.redoAction)]];
  for (const [id, can, text] of buttons) {
    const button = /** @type {HTMLButtonElement} */ ($(id));
    button.disabled = !can;
    button.title = text;
    button.setAttribute('aria-label', text);
  }
  if (!hexPanel.hidden) hexView.textContent = session.now.hexDump().join('\n');
}

// ---- commands ----------------------------------------------------------------------

let running = false;
// One command at a time; the page is busy meanwhile.
/** @param {() => unknown} work */
async function command(work) {
  if (running || session.busy) return;
  closeMenus();
  running = true;
  document.body.setAttribute('aria-busy', 'true');
  try {
    await work();
  } catch (error) {
    console.error(error);
    const text = String(/** @type {Error} */ (error)?.message ?? error);
    await showMessages([{ text, title: app.state?.messageTitle ?? 'RP770', icon: 'critical' }]);
  } finally {
    running = false;
    document.body.removeAttribute('aria-busy');
    afterChange();
  }
}

/**
 * Runs a session call that may wait, then shows its messages; its result.
 * @template {Outcome} T
 * @param {(s: SessionCommands) => T | Promise<T>} call
 * @returns {Promise<T>}
 */
async function perform(call) {
  const result = await session.run(call);
  afterChange();
  await showMessages(result.messages);
  return result;
}

// "Save changes?" before a kept radio or a resumed programming replaces the data.
const confirmDiscard = async () => (await perform((s) => s.confirmDiscard())).ok;

/** @param {string} extension */
const suggested = (extension) => `${(app.state?.filePath || 'MR318').replace(/\.[^.]*$/, '')}.${extension}`;

/** @param {'data' | 'hex' | 'csv'} kind */
async function chooseOpenFile(kind) {
  const chosen = await pickFile(kind);
  return chosen ? files.keep(chosen.name, chosen.source) : null;
}

async function chooseSaveFile() {
  const chosen = await pickSaveFile('dat', suggested('dat'), (name) => askFileName(name));
  return chosen ? files.keep(chosen.name, chosen.source) : null;
}

/** @param {Uint8Array<ArrayBuffer>} bytes */
async function saveReportText(bytes) {
  const chosen = await pickSaveFile('txt', suggested('txt'), (name) => askFileName(name));
  if (!chosen) return null;
  const written = await files.lend(chosen.name, chosen.source, (name) => files.write(name, bytes));
  return written.ok ? null : (written.reason ?? null);
}

/** @param {{ name: string, source: FileSource }} chosen */
async function openFile(chosen) {
  if (!(await commit())) return;
  const before = files.entries.get(chosen.name);
  files.keep(chosen.name, chosen.source);
  const result = await perform((s) => s.openFile(chosen.name));
  // A refused file changes nothing: the file kept under its name before stays.
  if (!result.ok) files.keep(chosen.name, before);
  else await recent.add(chosen.name, chosen.source);
}

// Asks for a file and runs `call` with it lent under its name; the result.
/**
 * @template {Outcome} T
 * @param {boolean} save
 * @param {string} kind
 * @param {(s: SessionCommands, name: string) => T | Promise<T>} call
 * @returns {Promise<T | null>}
 */
async function withChosenFile(save, kind, call) {
  if (!(await commit())) return null;
  const chosen = save ? await pickSaveFile(kind, suggested(kind), (name) => askFileName(name)) : await pickFile(kind);
  if (!chosen) return null;
  return files.lend(chosen.name, chosen.source, (name) => perform((s) => call(s, name)));
}

/** @param {import('./windows.js').TransferMode} mode */
async function transfer(mode) {
  if (!radio.ready) {
    await showMessages([{ text: word('NoSerialPortChosen'),
      title: app.state?.messageTitle ?? '', icon: 'warning' }]);
    return null;
  }
  return runTransfer(app, mode);
}

/** @param {Comparison | null} result */
async function showFound(result) {
  if (!result?.ok) return;
  if (result.differences.length) await showDifferences(result.differences, result.other ?? '', result.title ?? '', result.spreadsheet ?? '');
  else await showMessages(result.noDifferences ?? []);
}

function print() {
  layOutPrintedReport($('report-print'), session.now.printedReport(PRINT_PAGE_TWIPS));
  window.print();
}

const commands = {
  newData: () => command(async () => { if (await commit()) await perform((s) => s.newData()); }),
  open: () => command(async () => {
    if (!(await commit()) || !(await perform((s) => s.openChosenFile())).ok) return;
    const name = app.state?.filePath ?? '';
    if (name) await recent.add(name, files.entries.get(name));
  }),
  save: () => command(async () => { if (await commit()) await perform((s) => s.save()); }),
  saveAs: () => command(async () => {
    if (!(await commit())) return;
    const name = await chooseSaveFile();
    if (name && (await perform((s) => s.saveAs(name))).ok) await recent.add(name, files.entries.get(name));
  }),
  saveHex: () => command(() => withChosenFile(true, 'hex', (s, name) => s.saveHex(name))),
  exportChannels: () => command(() => withChosenFile(true, 'csv', (s, name) => s.exportChannels(name))),
  importChannels: () => command(() => withChosenFile(false, 'csv', (s, name) => s.importChannels(name))),
  openRecent: (/** @type {import('./files.js').RecentFile} */ file) => command(async () => {
    const chosen = await recent.reopen(file);
    if (chosen && 'gone' in chosen) {
      await showMessages([{ text: word('RecentFileGone', file.name), title: app.state?.messageTitle ?? '', icon: 'warning' }]);
    } else if (chosen) {
      await openFile(chosen);
    }
  }),
  compareFile: () => command(async () => showFound(await withChosenFile(false, 'data', (s, name) => s.compareWithFile(name)))),
  radioBackups: () => command(async () => {
    if (!(await commit())) return;
    await kept.refresh();
    const id = await chooseKeptImage(session.now.keptImages());
    if (id && (await confirmDiscard())) await perform((s) => s.openKept(id));
  }),
  print: () => command(async () => { if (await commit()) print(); }),
  printToFile: () => command(async () => { if (await commit()) await showReport(app); }),
  undo: () => command(async () => { if (await commit(false)) session.now.undo(); }),
  redo: () => command(async () => { if (await commit(false)) session.now.redo(); }),
  read: () => command(async () => { if (await commit()) await transfer('read'); }),
  program: () => command(async () => {
    if ((await commit()) && (await perform((s) => s.confirmProgramming())).ok) await transfer('program');
  }),
  compareRadio: () => command(async () => { if (await commit()) await showFound(await transfer('compare')); }),
  testConnection: () => command(() => transfer('probe')),
  model: (/** @type {number} */ number) => command(async () => {
    if (number !== app.state?.modelNumber && (await commit())) await perform((s) => s.changeModel(number));
  }),
  destination: (/** @type {number} */ entry) => command(async () => {
    if (await commit()) await perform((s) => s.changeDestination(entry));
  }),
  verify: () => command(async () => session.now.setVerify(!app.state?.verify)),
  hexdump: () => command(async () => {
    hexPanel.hidden = !hexPanel.hidden;
    if (current) showScreen(current);
    if (!hexPanel.hidden) hexView.focus();
  }),
  simulated: () => command(() => radio.useSimulated()),
  chooseSerial: () => command(() => radio.chooseSerial()),
  pulled: () => command(async () => radio.setPulled(!radio.pulled)),
  help: () => command(() => showHelp()),
  about: () => command(() => showAbout(session.functions.programVersion())),
};

// ---- menus and toolbar --------------------------------------------------------------

/** @returns {Menu[]} */
function menus() {
  const s = /** @type {SessionState} */ (app.state);
  /** @param {string} label @param {() => unknown} action @param {MenuEntry} [more] @returns {MenuEntry} */
  const entry = (label, action, more = {}) => ({ label, action, ...more });
  return [
    { label: word('PageMenuFile'), id: 'mnuFile', build: () => [
      entry(word('New'), commands.newData, { id: 'mnuFileNew' }),
      entry(word('OpenEllipsis'), commands.open, { key: 'Ctrl+O', id: 'mnuFileOpen' }),
      { separator: true },
      entry(word('Save'), commands.save, { key: 'Ctrl+S', id: 'mnuFileSave' }),
      entry(word('SaveAsEllipsis'), commands.saveAs, { key: 'Ctrl+Shift+S', id: 'mnuFileSaveAs' }),
      entry(word('SaveMemoryImage'), commands.saveHex, { id: 'mnuFileSaveHex' }),
      { separator: true },
      entry(word('ExportChannels'), commands.exportChannels, { id: 'mnuFileExportChannels' }),
      entry(word('ImportChannels'), commands.importChannels, { id: 'mnuFileImportChannels' }),
      entry(word('CompareWithFile'), commands.compareFile, { id: 'mnuFileCompare' }),
      entry(menuWord('RadioBackupsMenu'), commands.radioBackups, { id: 'mnuFileBackups' }),
      { separator: true },
      entry(word('PrintEllipsis'), commands.print, { key: 'Ctrl+P', id: 'mnuFilePrint' }),
      entry(word('PrintToFile'), commands.printToFile, { id: 'mnuFilePrintToFile' }),
      ...recentMenuEntries(recent, commands.openRecent),
    ] },
    { label: word('PageMenuEdit'), id: 'mnuEdit', build: () => [
      entry(s.undoAction ? word('UndoStep', s.undoAction) : word('Undo'), commands.undo, { key: 'Ctrl+Z', enabled: s.canUndo, id: 'mnuEditUndo' }),
      entry(s.redoAction ? word('RedoStep', s.redoAction) : word('Redo'), commands.redo, { key: 'Ctrl+Y', enabled: s.canRedo, id: 'mnuEditRedo' }),
      ...(s.modelMenuVisible ? [{ separator: true }, { group: word('Model') },
        ...s.models.map((m) => entry(m.caption || word('MenuModelNumber', m.number), () => commands.model(m.number),
          { checked: m.number === s.modelNumber, radio: true }))] : []),
    ] },
    { label: word('PageMenuTransfer'), id: 'mnuTransfer', build: () => [
      entry(word('ProgramToRadio'), commands.program, { id: 'mnuTransferProgram' }),
      entry(word('ReadFromRadio'), commands.read, { id: 'mnuTransferRead' }),
      { separator: true },
      entry(word('CompareWithRadioEllipsis'), commands.compareRadio, { id: 'mnuTransferCompare' }),
    ] },
    { label: word('PageMenuDestination'), id: 'mnuDestination', build: () => s.destinations.names.slice(0, 10).map((name, i) =>
      entry(name, () => commands.destination(i), { checked: s.destinations.checked === i, radio: true,
        enabled: s.destinations.enabled, id: `mnuDestinationChild${i}` })) },
    { label: word('PageMenuOptions'), id: 'mnuOptions', build: () => [
      { group: word('SerialPort') },
      entry(word('SimulatedRadio'), commands.simulated, { checked: radio.simulated, radio: true, id: 'mnuPortSimulated' }),
      ...(radio.port ? [entry(radio.label, () => {}, { checked: !radio.simulated, radio: true })] : []),
      entry(word('ChooseSerialPort'), commands.chooseSerial, { enabled: Boolean(radio.serial), id: 'mnuPortChoose' }),
      entry(word('CablePulledOut'), commands.pulled, { checked: radio.pulled, enabled: radio.simulated, id: 'mnuPortPulled' }),
      { separator: true },
      entry(word('TestConnectionEllipsis'), commands.testConnection, { id: 'mnuOptionsTestConnection' }),
      entry(word('VerifyAfterProgramming'), commands.verify, { checked: s.verify, id: 'mnuOptionsVerify' }),
      entry(menuWord('MenuOptionsHexdump'), commands.hexdump, { checked: !hexPanel.hidden, id: 'mnuOptionsHexdump' }),
    ] },
    { label: word('Help'), id: 'mnuHelp', build: () => [
      entry(word('Contents'), commands.help, { key: 'F1', id: 'mnuHelpContents' }),
      { separator: true },
      entry(word('AboutQzpVersion'), commands.about, { id: 'mnuHelpAbout' }),
    ] },
  ];
}

function toolbar() {
  /** @param {string} id @param {string} icon @param {string} label @param {() => unknown} action */
  const button = (id, icon, label, action) => {
    const svg = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
    const use = document.createElementNS('http://www.w3.org/2000/svg', 'use');
    use.setAttribute('href', `#i-${icon}`);
    svg.setAttribute('aria-hidden', 'true');
    svg.append(use);
    const b = el('button', { type: 'button', id, title: label, 'aria-label': label }, svg, el('span', { className: 'label' }, label));
    b.addEventListener('click', action);
    return b;
  };
  const sep = () => el('span', { className: 'sep', role: 'separator' });
  $('toolbar').append(
    button('tb-new', 'new', word('New'), commands.newData), button('tb-open', 'open', word('OpenEllipsis'), commands.open),
    button('tb-save', 'save', word('Save'), commands.save), sep(), button('tb-print', 'print', word('Print'), commands.print), sep(),
    button('tb-program', 'program', word('ProgramToRadio'), commands.program),
    button('tb-read', 'read', word('ReadFromRadio'), commands.read), sep(),
    button('tb-undo', 'undo', word('Undo'), commands.undo), button('tb-redo', 'redo', word('Redo'), commands.redo));
}

// ---- keyboard, drops, leaving ---------------------------------------------------------

/** @param {any} target */
const typingUndo = (target) => target?.matches?.('input[type="text"]:not([readonly]), textarea') && hasPendingInput();

document.addEventListener('keydown', (event) => {
  if (document.querySelector('dialog[open]') || event.defaultPrevented) return;
  const ctrl = event.ctrlKey || event.metaKey;
  const key = event.key.toLowerCase();
  let action = null;
  if (ctrl && key === 'z' && !event.shiftKey && !typingUndo(event.target)) action = commands.undo;
  else if (ctrl && ((key === 'z' && event.shiftKey) || key === 'y') && !typingUndo(event.target)) action = commands.redo;
  else if (ctrl && key === 'o') action = commands.open;
  else if (ctrl && key === 's') action = event.shiftKey ? commands.saveAs : commands.save;
  else if (ctrl && key === 'p') action = commands.print;
  else if (event.key === 'F1') action = commands.help;
  if (!action) return;
  event.preventDefault();
  action();
});

// The browser's own Print gets the printed report too.
window.addEventListener('beforeprint', () => {
  if (!session.busy) layOutPrintedReport($('report-print'), session.now.printedReport(PRINT_PAGE_TWIPS));
});

// Unsaved changes are not dropped silently when the page is left, nor a
// radio left half-programmed.
window.addEventListener('beforeunload', (event) => {
  if (!session.transferring && !app.state?.modified && !hasPendingInput()) return;
  event.preventDefault();
  event.returnValue = '';
});

let dragDepth = 0;
/** @param {DragEvent} event */
const carriesFile = (event) => [...(event.dataTransfer?.types ?? [])].includes('Files');
document.addEventListener('dragenter', (event) => {
  if (!carriesFile(event)) return;
  ++dragDepth;
  $('drop-zone').hidden = false;
});
document.addEventListener('dragleave', () => {
  if (--dragDepth <= 0) {
    dragDepth = 0;
    $('drop-zone').hidden = true;
  }
});
document.addEventListener('dragover', (event) => {
  if (carriesFile(event)) event.preventDefault();
});
document.addEventListener('drop', (event) => {
  if (!carriesFile(event)) return;
  event.preventDefault();
  dragDepth = 0;
  $('drop-zone').hidden = true;
  const file = droppedFile(event.dataTransfer);
  command(async () => {
    const chosen = await file;
    if (chosen) await openFile(chosen);
  });
});

// ---- start --------------------------------------------------------------------------

toolbar();
buildMenuBar($('menubar'), menus().map((m, i) => ({ ...m, build: () => menus()[i].build() })));
const started = session.now.start();
afterChange();
$('loading').remove();
if (!started.ok) {
  // No model on offer: nothing can be done.
  await showMessages(started.messages);
  /** @type {HTMLElement} */ (document.querySelector('main')).inert = true;
  $('toolbar').inert = true;
} else {
  await showMessages(started.messages);
  await hotExit.start();
  if (await hotExit.offerWaiting(showMessages)) afterChange();
  await radio.restore(app.state?.device ?? '');
  // The cable comes and goes during transfers too: the port alone is shown anew.
  radio.onchange = () => { $('port').textContent = radio.status; };
  updateChrome();
  await offerPartlyProgrammed(session.now.partlyProgrammed(), app.state?.messageTitle ?? '', {
    ask,
    // Edits restored just before are not dropped without "Save changes?".
    resume: async (port) => (await confirmDiscard()) && (await perform((s) => s.resumePartial(port))).ok &&
      (await radio.restore(port), radio.ready),
    program: commands.program,
    forget: (port) => session.now.forgetPartial(port),
  });
}
if (!radio.serial) {
  notice.textContent = word('NoWebSerial');
  // Said again on the start screen: the banner may be put away.
  const dismiss = el('button', { type: 'button', className: 'dismiss', 'aria-label': word('DismissNotice') }, '×');
  dismiss.addEventListener('click', () => { $('notice').hidden = true; });
  $('notice').replaceChildren(el('span', {}, notice.textContent), dismiss);
  $('notice').hidden = false;
} else {
  notice.textContent = word('ConnectCable');
}
document.body.dataset.ready = 'true';

if ('serviceWorker' in navigator && window.isSecureContext) {
  watchForUpdates(navigator.serviceWorker, { show: (agree) => showNewVersion($('notice'), agree) });
}
