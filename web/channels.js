// The channel screens: the list of a plan's enabled channels (or of the EXP
// channels), with a selection of several channels, and the editor of one
// channel. What they show comes from the engine's views; every change is a
// session edit. `ctx` is the page's (app.js), as for screens.js, with
// ctx.openNode(key) (the tree's node of a row) and ctx.treeKey().

import { el } from './dialogs.js';
import { showContextMenu } from './menus.js';
import { word } from './words.js';
import { checkBox, fieldHelpLine, filterTyping, showSwitch } from './screens.js';

/** @typedef {import('./page.js').PageContext} PageContext */
/** @typedef {import('./rp770.js').Channel} Channel */
/** @typedef {import('./rp770.js').ChannelFlag} ChannelFlag */
/** @typedef {import('./rp770.js').ChannelListView} ChannelListView */
/** @typedef {import('./rp770.js').EditorView} EditorView */
/** @typedef {import('./rp770.js').Area} Area */
/** @typedef {import('./rp770.js').EditorBox} EditorBox */

/** @param {Channel} a @param {Channel} b */
const sameChannel = (a, b) => a.area === b.area && a.index === b.index;
/** @param {EventTarget | null} target @param {string} selector @returns {HTMLElement | null} */
const closest = (target, selector) => /** @type {Element | null} */ (target)?.closest?.(selector) ?? null;

// The captions of the switches, as the editor shows them: the cells' check
// boxes are named by them and their channel.
/** @type {Record<ChannelFlag, string>} */
const SWITCH_WORDS = { enable: 'ChEnable', scan: 'ScanMemory', duplex: 'Duplex', txEnable: 'TxEnable', lowPower: 'LowPowerOnly',
  powerUp: 'PowerUp' };

/** @param {PageContext} ctx */
export function listScreen(ctx) {
  const { session, texts } = ctx;
  const count = el('span', { className: 'count', 'aria-live': 'polite' });
  const menuButton = el('button', { type: 'button', 'aria-haspopup': 'menu' }, word('ListSetClear'));
  const openButton = el('button', { type: 'button' }, word('ListOpenEditor'));
  const head = el('tr');
  const body = el('tbody');
  const table = el('table', { className: 'grid', role: 'grid', 'aria-multiselectable': 'true' }, el('thead', {}, head), body);
  const caption = el('h2');
  const element = el('div', { className: 'panel list' }, caption,
    el('div', { className: 'list-tools' }, menuButton, openButton, count),
    el('div', { className: 'grid-scroll' }, table));
  /** @type {ChannelListView | null} */
  let view = null;
  /** @type {Set<number>} row indexes */
  let selected = new Set();
  let current = { row: 0, col: 0 };
  let anchor = 0;
  // The cell typed in: a second view of the editor's box for its column
  // (the display's cell stands for both its boxes), the editor's form
  // holding the row's channel.
  /** @type {{ row: number, col: number, input: HTMLInputElement, box: EditorBox } | null} */
  let editing = null;
  // The editor's form was loaded here (its channel is a row's).
  let formHere = false;
  // Focus moves the list makes itself, not entries left.
  let moving = false;
  /** @param {() => void} move */
  const quietly = (move) => {
    const was = moving;
    moving = true;
    try {
      move();
    } finally {
      moving = was;
    }
  };

  const rowCount = () => view?.rows.length ?? 0;
  /** @param {number} row @param {number} col */
  const cell = (row, col) => body.rows[row]?.cells[col];
  /** @returns {Channel[]} */
  const selection = () => (view ? [...selected].sort((a, b) => a - b).map((r) => /** @type {ChannelListView} */ (view).channels[r]) : []);
  // What takes the focus in a cell: its box being typed in, its check box, else the cell.
  /** @param {number} row @param {number} col @returns {HTMLElement | undefined} */
  const target = (row, col) => {
    const td = cell(row, col);
    if (!td) return undefined;
    if (editing && editing.row === row && editing.col === col) return editing.input;
    return /** @type {HTMLElement | null} */ (td.querySelector('input[type="checkbox"]:not(:disabled)')) ?? td;
  };
  /** @param {EventTarget | null} node */
  const isEntry = (node) => Boolean(editing && node === editing.input);
  /** @param {number} row */
  const rowName = (row) => view?.rows[row]?.[0]?.trim() ?? '';

  function paintSelection() {
    [...body.rows].forEach((tr, r) => tr.setAttribute('aria-selected', String(selected.has(r))));
    const n = selected.size;
    count.textContent = n > 1 ? word('ListChannelsSelected', rowCount(), n) : word('ListChannelCount', rowCount());
    openButton.disabled = n !== 1;
    menuButton.disabled = rowCount() === 0;
  }

  // The roving Tab stop: only the current cell's control is one.
  function markCurrent() {
    for (const node of body.querySelectorAll('[tabindex="0"]')) /** @type {HTMLElement} */ (node).tabIndex = -1;
    const t = target(current.row, current.col);
    if (t) t.tabIndex = 0;
  }

  /** @param {number} row @param {number} col */
  function moveTo(row, col, { extend = false, keep = false, focus = true } = {}) {
    if (!rowCount()) return;
    row = Math.max(0, Math.min(rowCount() - 1, row));
    col = Math.max(0, Math.min(7, col));
    current = { row, col };
    markCurrent();
    if (extend) {
      selected = new Set();
      for (let r = Math.min(anchor, row); r <= Math.max(anchor, row); ++r) selected.add(r);
    } else if (!keep) {
      selected = new Set([row]);
      anchor = row;
    }
    paintSelection();
    if (focus) target(row, col)?.focus();
  }

  // A cell as the view shows it: its text, or its switch's check box.
  /** @param {HTMLTableCellElement} td @param {ChannelListView} shown @param {number} r @param {number} c */
  function paintCell(td, shown, r, c) {
    const text = shown.rows[r][c];
    const flag = shown.columns[c].flag;
    const on = shown.checks[r]?.[c];
    if (on && flag) {
      let box = /** @type {HTMLInputElement | null} */ (td.querySelector('input[type="checkbox"]'));
      if (!box) {
        box = el('input', { type: 'checkbox', tabIndex: -1 });
        td.replaceChildren(box);
      }
      box.checked = on.checked;
      box.disabled = !on.enabled;
      box.setAttribute('aria-label', word('PageGridCell', word(SWITCH_WORDS[flag]), shown.rows[r][0].trim()));
      td.className = 'switch';
      td.removeAttribute('aria-label');
      return;
    }
    if (td.firstChild?.nodeType !== Node.TEXT_NODE || td.childNodes.length !== 1 || td.textContent !== text) td.replaceChildren(text);
    td.className = shown.columns[c].typed ? 'typed' : '';
    if (text.trim()) td.removeAttribute('aria-label');
    else td.setAttribute('aria-label', word('PageEmptyCell', shown.columns[c]?.header ?? ''));
  }

  /** @param {Area} area */
  function fill(area, again = false) {
    const hadFocus = table.contains(document.activeElement);
    const before = again && view ? selection() : [];
    const currentChannel = again && view ? view.channels[current.row] : null;
    const same = again && view?.area === area;
    if (!same) closeEditing({ paint: false });
    if (!again) formHere = false;  // shown afresh: the form is the editor's, or no one's
    const shown = (view = session.now.channelList(area));
    caption.textContent = shown.name;
    table.setAttribute('aria-label', shown.name);
    head.replaceChildren(...shown.columns.map((c) => el('th', { scope: 'col' }, c.header)));
    // The rows kept where they stand (a control keeps the focus), made anew when others are listed.
    const kept = same && body.rows.length === shown.rows.length
      && shown.channels.every((c, r) => body.rows[r].dataset.channel === `${c.area} ${c.index}`);
    if (!kept) {
      editing = null;
      body.replaceChildren(...shown.rows.map((cells, r) => el('tr', { title: shown.tips[r] || undefined, 'aria-rowindex': r + 2,
        'data-channel': `${shown.channels[r].area} ${shown.channels[r].index}` },
      cells.map(() => el('td', { tabIndex: -1, role: 'gridcell' })))));
    }
    shown.rows.forEach((cells, r) => {
      const tr = body.rows[r];
      if (shown.tips[r]) tr.title = shown.tips[r];
      else tr.removeAttribute('title');
      cells.forEach((_, c) => {
        if (!editing || editing.row !== r || editing.col !== c) paintCell(tr.cells[c], shown, r, c);
      });
    });
    selected = new Set();
    shown.channels.forEach((c, r) => { if (before.some((b) => sameChannel(b, c))) selected.add(r); });
    let row = 0;
    if (currentChannel) {
      // The same channel; when it left the list, the next one listed, or the last.
      row = shown.channels.findIndex((c) => c.area === currentChannel.area && c.index >= currentChannel.index);
      if (row < 0) row = rowCount() - 1;
    }
    if (!selected.size && rowCount()) selected.add(row);
    anchor = row;
    if (rowCount()) {
      current = { row, col: again ? current.col : 0 };
      markCurrent();
      if (hadFocus && !cell(current.row, current.col)?.contains(document.activeElement)) {
        quietly(() => target(current.row, current.col)?.focus());
      }
    }
    paintSelection();
  }

  // ---- typing in a cell ----

  // The cell shown again as the view says, the focus (when it was in the cell's box) on it.
  function closeEditing({ paint = true } = {}) {
    if (!editing) return;
    const { row, col, input } = editing;
    const hadFocus = input === document.activeElement;
    editing = null;
    if (!paint || !view) return;
    const shown = view;
    quietly(() => {
      const td = cell(row, col);
      if (td) paintCell(td, shown, row, col);
      markCurrent();
      if (hadFocus) target(current.row, current.col)?.focus();
    });
  }

  // The editor's form on the row's channel.
  /** @param {number} row */
  function formOn(row) {
    if (!view) return false;
    const channel = view.channels[row];
    const held = session.now.editorChannel();
    if (held && sameChannel(held, channel)) return (formHere = true);
    formHere = session.now.loadEditor(channel) !== null;
    ctx.changed();  // a load may correct the data shown (no step)
    return formHere;
  }

  // Typing in the cell begins, where the editor would take typing (an EXP
  // channel's boxes usable): with the key typed (`key`, when the cell takes
  // it as its first), which replaces the text, or with the text as it is
  // (F2, a refused entry), the caret at its end or all of it selected.
  /** @param {number} row @param {number} col @param {{ key?: string, select?: boolean }} how */
  function startEditing(row, col, { key, select = false } = {}) {
    const box = view?.columns[col]?.typed;
    const f = session.functions;
    /** @param {string} c */
    const code = (c) => c.codePointAt(0) ?? 0;
    if (!view || !box || view.area !== 'EXP') return false;
    if (key !== undefined && !f.cellKeyAllowed(box, f.cellKeyTyped(box, code(key)), '')) return false;
    if (!formOn(row)) return false;
    const shown = session.now.editorView();
    if (!shown?.exp || !shown[box].enabled || !shown[box].editable) return false;
    const name = word(box === 'displayLeft' ? 'ChDisplay' : box === 'rx' ? 'RxFrequency' : 'TxFrequency');
    const input = el('input', { type: 'text', autocomplete: 'off', spellcheck: false, tabIndex: 0,
      className: box === 'displayLeft' ? 'display' : 'freq', inputMode: box === 'displayLeft' ? undefined : 'decimal',
      maxLength: box === 'displayLeft' ? 3 : undefined, 'aria-label': word('PageGridCell', name, rowName(row)) });
    // The cell's own key rules: the display's three characters as one text.
    filterTyping(input, (c, _text, before) => f.cellKeyAllowed(box, code(c), before),
      (c) => String.fromCodePoint(f.cellKeyTyped(box, code(c))));
    input.addEventListener('input', () => {
      const kept = session.now.editorTypeCell(box, input.value);
      if (kept !== input.value) input.value = kept;
    });
    input.addEventListener('focus', () => ctx.hint(word('GridCellHint', name)));
    input.addEventListener('focusout', (event) => left(input, box, event.relatedTarget));
    input.value = key === undefined ? session.now.editorCellText(box) : '';
    editing = { row, col, input, box };
    cell(row, col).replaceChildren(input);
    moveTo(row, col, { focus: false });
    // The key goes on to the box now focused.
    quietly(() => input.focus());
    if (select) input.select();
    else input.setSelectionRange(input.value.length, input.value.length);
    return true;
  }

  // What the form stopped: its message, then the focus in the cell of the box it names.
  /** @param {import('./rp770.js').EditorStop} stop */
  async function stopped(stop) {
    await ctx.guard(async () => {
      await ctx.showMessages(stop.messages);
      const held = session.now.editorChannel();
      const row = held && view ? view.channels.findIndex((c) => sameChannel(c, held)) : -1;
      const col = view && row >= 0 ? view.columns.findIndex((c) => c.typed === (stop.box === 'displayRight' ? 'displayLeft' : stop.box)) : -1;
      if (col < 0) return;
      if (editing && (editing.row !== row || editing.col !== col)) closeEditing();
      if (editing) {
        moveTo(row, col, { focus: false });
        editing.input.focus();
      } else {
        startEditing(row, col, { select: true });
      }
    });
    return false;
  }

  // An entry finished (Enter, Tab, or its box left `to`); true when taken.
  /** @param {EditorBox} box @param {import('./rp770.js').FocusTo} to */
  async function finish(box, to) {
    const stop = session.now.editorFinish(box, to);
    ctx.changed();
    return stop ? stopped(stop) : true;
  }

  // The cell left: for another cell, as Enter; for the tree or elsewhere, as
  // the editor's boxes are left (a good entry taken, a bad one waiting in its cell).
  /** @param {HTMLInputElement} input @param {EditorBox} box @param {EventTarget | null} to */
  async function left(input, box, to) {
    if (moving || ctx.validating || !input.isConnected || !isEntry(input)) return;
    const where = ctx.isTree(to) ? 'tree' : to && element.contains(/** @type {Node} */ (to)) ? 'editor' : 'elsewhere';
    if (await finish(box, where) && isEntry(input) && !session.now.editorTyped()) closeEditing();
  }

  // The cell typed in after (`step` 1) or before (-1) this one, row by row.
  /** @param {number} row @param {number} col @param {number} step */
  function nextCell(row, col, step) {
    if (!view) return null;
    const columns = view.columns.length;
    for (let at = row * columns + col + step; at >= 0 && at < rowCount() * columns; at += step) {
      if (view.columns[at % columns].typed) return { row: Math.floor(at / columns), col: at % columns };
    }
    return null;
  }

  /** @param {KeyboardEvent} event */
  async function editingKey(event) {
    if (!editing) return;
    const { row, col, box } = editing;
    if (event.key === 'Escape') {
      event.preventDefault();
      session.now.reloadEditor();  // what was typed is dropped
      closeEditing();
      ctx.changed();
    } else if (event.key === 'Enter') {
      event.preventDefault();
      if (await finish(box, 'editor')) closeEditing();
    } else if (event.key === 'Tab') {
      event.preventDefault();
      if (!(await finish(box, 'editor'))) return;
      closeEditing();
      // On to the next cell the editor would take typing in.
      const step = event.shiftKey ? -1 : 1;
      for (let n = nextCell(row, col, step); n; n = nextCell(n.row, n.col, step)) {
        if (startEditing(n.row, n.col, { select: true })) return;
      }
    }
  }

  // ---- switches, the menu, the editor ----

  // One channel's switch, from its cell's check box: that channel alone, whatever else is selected.
  /** @param {number} row @param {number} col @param {boolean} on */
  async function toggle(row, col, on) {
    const flag = view?.columns[col]?.flag;
    const channel = view?.channels[row];
    if (flag && channel) await ctx.edit(() => session.now.setChannelFlags([channel], flag, on));
  }

  /** @param {ChannelFlag} flag @param {boolean} on */
  async function setFlag(flag, on) {
    const channels = selection();
    if (channels.length) await ctx.edit(() => session.now.setChannelFlags(channels, flag, on));
  }

  function openRow() {
    if (!view || !rowCount()) return;
    const key = session.now.rowNodeKey(ctx.treeKey() ?? '', view.rows[current.row][0], current.row + 1);
    if (key) ctx.openNode(key);
  }

  /** @param {{ point?: { x: number, y: number }, under?: HTMLElement }} at */
  function menu(at) {
    if (!view || !rowCount()) return;
    const m = session.now.listMenu(view.area, selection());
    /** @type {import('./menus.js').MenuEntry[]} */
    const entries = m.flags.flatMap((f) => [
      { label: f.setText, enabled: f.canSet, action: () => setFlag(f.flag, true), id: `mnuListSet${f.name}` },
      { label: f.clearText, enabled: f.canClear, action: () => setFlag(f.flag, false), id: `mnuListClear${f.name}` },
      { separator: true },
    ]);
    entries.push({ label: m.openText, key: 'Enter', enabled: m.openEnabled, action: openRow });
    showContextMenu(entries, { ...at, returnFocus: target(current.row, current.col) ?? menuButton });
  }

  table.addEventListener('focusin', (event) => {
    const t = /** @type {HTMLElement} */ (event.target);
    if (isEntry(t)) return;  // the cell's own hint
    ctx.hint(t.matches('input[type="checkbox"]') ? texts.checkBox : texts.grid);
  });
  table.addEventListener('keydown', (event) => {
    if (!view || !closest(event.target, 'td')) return;
    if (isEntry(event.target)) {
      editingKey(event);
      return;
    }
    const { row, col } = current;
    const ctrl = event.ctrlKey || event.metaKey;
    const page = Math.max(1, Math.floor((table.parentElement?.clientHeight ?? 0) / (cell(row, col)?.offsetHeight || 24)) - 1);
    /** @param {number} r @param {number} c */
    const move = (r, c) => moveTo(r, c, { extend: event.shiftKey, keep: ctrl && !event.shiftKey });
    switch (event.key) {
      case 'ArrowDown': move(row + 1, col); break;
      case 'ArrowUp': move(row - 1, col); break;
      case 'ArrowLeft': move(row, col - 1); break;
      case 'ArrowRight': move(row, col + 1); break;
      case 'PageDown': move(row + page, col); break;
      case 'PageUp': move(row - page, col); break;
      case 'Home': ctrl ? move(0, col) : move(row, 0); break;
      case 'End': ctrl ? move(rowCount() - 1, col) : move(row, 7); break;
      case 'Enter': openRow(); break;
      case 'F2': startEditing(row, col); break;
      case ' ': {
        if (ctrl) {
          // Ctrl+Space adds the current row to the selection or takes it out (Ctrl+arrows move without selecting).
          if (selected.has(row) && selected.size > 1) selected.delete(row);
          else selected.add(row);
          anchor = row;
          paintSelection();
          break;
        }
        const change = session.now.columnFlagChange(view.area, col, selection());
        if (change) setFlag(change.flag, change.on);
        break;
      }
      case 'ContextMenu': menu({ under: cell(row, col) }); break;
      case 'F10': if (!event.shiftKey) return; menu({ under: cell(row, col) }); break;
      default:
        if (ctrl && event.key.toLowerCase() === 'a') {
          selected = new Set(view.rows.map((_, r) => r));
          paintSelection();
          break;
        }
        // A character typed on a cell typed in: the cell's box takes it, in place of the text.
        if (!ctrl && !event.altKey && [...event.key].length === 1) startEditing(row, col, { key: event.key });
        return;
    }
    event.preventDefault();
  });
  table.addEventListener('mousedown', (event) => {
    const td = /** @type {HTMLTableCellElement | null} */ (closest(event.target, 'td'));
    if (!td || event.button !== 0 || isEntry(event.target)) return;
    const row = /** @type {HTMLTableRowElement} */ (td.parentElement).sectionRowIndex;
    if (event.shiftKey) moveTo(row, td.cellIndex, { extend: true });
    else if (event.ctrlKey || event.metaKey) {
      if (selected.has(row)) selected.delete(row);
      else selected.add(row);
      anchor = row;
      moveTo(row, td.cellIndex, { keep: true });
    } else moveTo(row, td.cellIndex);
    event.preventDefault();
  });
  // A click on a switch's check box: that channel's switch.
  table.addEventListener('change', (event) => {
    const box = /** @type {HTMLInputElement} */ (event.target);
    const td = /** @type {HTMLTableCellElement | null} */ (closest(box, 'td.switch'));
    if (td) toggle(/** @type {HTMLTableRowElement} */ (td.parentElement).sectionRowIndex, td.cellIndex, box.checked);
  });
  // (A check box clicked twice is a switch changed twice, not a row opened.)
  table.addEventListener('dblclick', (event) => {
    if (closest(event.target, 'td') && !closest(event.target, 'input')) openRow();
  });
  table.addEventListener('contextmenu', (event) => {
    const td = /** @type {HTMLTableCellElement | null} */ (closest(event.target, 'td'));
    if (!td || isEntry(event.target)) return;
    event.preventDefault();
    const row = /** @type {HTMLTableRowElement} */ (td.parentElement).sectionRowIndex;
    if (!selected.has(row)) moveTo(row, td.cellIndex);
    else moveTo(row, td.cellIndex, { keep: true });
    menu({ point: { x: event.clientX, y: event.clientY } });
  });
  menuButton.addEventListener('click', () => menu({ under: menuButton }));
  openButton.addEventListener('click', openRow);

  return {
    element,
    fill,
    refresh() { if (view) fill(view.area, true); },
    get area() { return view?.area; },
    selection,
    focusGrid() { target(current.row, current.col)?.focus(); },
    // Typed text of a cell not in the data yet.
    hasPending: () => formHere && Boolean(editing) && session.now.editorTyped(),
    // Before the list is left or its data used: the entry typed in a cell
    // taken, or refused (the channel's state is the list's to show, not to stop).
    async commit() {
      if (!formHere) return true;
      const stop = session.now.editorCommit(false);
      ctx.changed();
      if (stop) return stopped(stop);
      closeEditing();
      return true;
    },
    clear() {
      closeEditing({ paint: false });
      formHere = false;
    },
  };
}

// The editor of one channel (a plan's, or an EXP channel).
/** @param {PageContext} ctx */
export function editorScreen(ctx) {
  const { session, texts } = ctx;
  /** @param {string} caption */
  const box = (caption) => checkBox(caption);
  const enable = box(word('ChEnable'));
  const txEnable = box(word('TxEnable'));
  const lowPower = box(word('LowPowerOnly'));
  const powerUp = box(word('PowerUp'));
  const duplex = box(word('Duplex'));
  const scan = box(word('ScanMemory'));
  const left = el('input', { type: 'text', maxLength: 2, id: 'txtCN0', autocomplete: 'off', spellcheck: false });
  const right = el('input', { type: 'text', maxLength: 1, id: 'txtCN1', autocomplete: 'off', spellcheck: false,
    'aria-label': word('ChDisplayRight') });
  const rx = el('input', { type: 'text', className: 'freq', id: 'txtCRF', inputMode: 'decimal', autocomplete: 'off' });
  const tx = el('input', { type: 'text', className: 'freq', id: 'txtCTF', inputMode: 'decimal', autocomplete: 'off' });
  const displayLabel = el('label', { htmlFor: left.id }, word('ChDisplay'));
  const rxLabel = el('label', { htmlFor: rx.id }, word('RxFrequency'));
  const txLabel = el('label', { htmlFor: tx.id }, word('TxFrequency'));
  const units = [el('span', {}, word('Megahertz')), el('span', {}, word('Megahertz'))];
  const lowLine = el('span', { className: 'link-line', 'aria-hidden': 'true' });
  const powerLine = el('span', { className: 'link-line', 'aria-hidden': 'true' });
  const txRow = el('div', { className: 'chain' }, txEnable.label, lowLine);
  const title = el('h2');
  const help = fieldHelpLine(ctx);
  help.attach('enable', enable.label, enable.input);
  help.attach('displayLeft', displayLabel, left);
  help.attach('displayRight', right);
  help.attach('rx', rxLabel, rx, units[0]);
  help.attach('tx', txLabel, tx, units[1]);
  help.attach('txEnable', txEnable.label, txEnable.input);
  help.attach('lowPower', lowPower.label, lowPower.input);
  help.attach('powerUp', powerUp.label, powerUp.input);
  help.attach('duplex', duplex.label, duplex.input);
  help.attach('scanMemory', scan.label, scan.input);
  const element = el('div', { className: 'panel' }, title,
    el('div', { className: 'editor-head' },
      enable.label,
      displayLabel, el('span', { className: 'display-boxes' }, left, right), el('span'),
      rxLabel, rx, units[0],
      txLabel, tx, units[1]),
    el('div', { className: 'switches', role: 'group', 'aria-label': word('Switches') },
      txRow,
      el('div', { className: 'power' }, lowPower.label, el('span', { className: 'check' }, powerLine, powerUp.label)),
      duplex.label, scan.label),
    help.line);
  help.watch(element);

  /** @type {Channel | null} */
  let channel = null;
  let exp = false;
  // The form (the engine's) holds the typed text and decides when it is
  // taken; this screen passes on keys, focus moves and clicks.
  /** @type {Record<EditorBox, HTMLInputElement>} */
  const editorBoxes = { displayLeft: left, displayRight: right, rx, tx };
  /** @param {HTMLInputElement} input @returns {EditorBox} */
  const boxOf = (input) => (input === left ? 'displayLeft' : input === right ? 'displayRight' : input === rx ? 'rx' : 'tx');

  /** @param {EditorView | null} view */
  function show(view) {
    if (!view) return;
    exp = view.exp;
    title.textContent = ctx.nodeText();
    /** @type {[HTMLInputElement, import('./rp770.js').TextView, HTMLLabelElement | null][]} */
    const boxes = [[left, view.displayLeft, displayLabel], [right, view.displayRight, null],
      [rx, view.rx, rxLabel], [tx, view.tx, txLabel]];
    for (const [input, v, label] of boxes) {
      // The view holds the text still being typed, too.
      if (input.value !== v.text) input.value = v.text;
      input.disabled = !v.enabled;
      input.readOnly = !v.editable;
      label?.classList.toggle('disabled', !v.enabled);
    }
    units[0].classList.toggle('disabled', !view.rx.enabled);
    units[1].classList.toggle('disabled', !view.tx.enabled);
    showSwitch(enable, view.enable);
    showSwitch(scan, view.scan);
    showSwitch(duplex, view.duplex);
    showSwitch(txEnable, view.txEnable);
    showSwitch(lowPower, view.lowPower);
    showSwitch(powerUp, view.powerUp);
    txRow.hidden = !view.txEnable.visible;
    lowLine.classList.toggle('off', !view.lowPower.enabled);
    powerLine.classList.toggle('off', !view.powerUp.enabled);
  }

  // What the form stopped: its message, then the focus in the box it names.
  /** @param {import('./rp770.js').EditorStop | null} stop */
  async function stopped(stop) {
    if (!stop) return true;
    await ctx.guard(async () => {
      await ctx.showMessages(stop.messages);
      const box = editorBoxes[stop.box];
      if (!box.disabled) box.focus();
    });
    return false;
  }

  /** @param {HTMLInputElement} input @param {import('./rp770.js').FocusTo} to */
  async function finish(input, to) {
    if (!channel || !exp) return true;
    const stop = session.now.editorFinish(boxOf(input), to);
    ctx.changed();
    return stopped(stop);
  }

  /** @param {ChannelFlag} flag @param {HTMLInputElement} input */
  const store = (flag, input) => input.addEventListener('change', async () => {
    if (!channel) return;
    const taken = await ctx.edit(() => session.now.editorSwitch(flag, input.checked));
    if (taken && flag === 'enable') input.focus();
  });
  store('enable', enable.input);
  store('txEnable', txEnable.input);
  store('lowPower', lowPower.input);
  store('powerUp', powerUp.input);
  store('scan', scan.input);
  store('duplex', duplex.input);
  for (const b of [enable, txEnable, lowPower, powerUp, duplex, scan]) {
    b.input.addEventListener('focus', () => ctx.hint(texts.checkBox));
  }

  /** @param {HTMLInputElement} input */
  const typed = (input) => {
    if (input.readOnly || !exp) return;
    // Pasted text keeps only what the radio can show.
    const kept = session.now.editorType(boxOf(input), input.value);
    if (kept !== input.value) input.value = kept;
  };
  /** @param {HTMLInputElement} input */
  const finishOnEnter = (input) => input.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter') return;
    event.preventDefault();
    finish(input, 'editor');
  });

  // Display characters: what was typed counts once the box is left or Enter pressed.
  /** @param {HTMLInputElement} input @returns {(c: string, boxText: string) => boolean} */
  const displayAllowed = (input) => (c, boxText) =>
    session.functions.displayKeyAllowed(c.codePointAt(0) ?? 0, input === left && boxText === '');
  for (const input of [left, right]) {
    filterTyping(input, displayAllowed(input));
    input.addEventListener('focus', () => {
      if (!input.readOnly) input.select();
      ctx.hint(input === left ? texts.displayLeft : texts.displayRight);
    });
    input.addEventListener('input', () => typed(input));
    finishOnEnter(input);
    input.addEventListener('focusout', () => { if (!ctx.validating) finish(input, 'editor'); });
  }

  // Frequencies: checked when left for another box of the editor (a refusal
  // keeps the focus there); going to the tree a good entry is taken and a
  // bad one waits, as anywhere else, for the check the next command runs.
  for (const input of [rx, tx]) {
    filterTyping(input, (c) => session.functions.frequencyKeyAllowed(c.codePointAt(0) ?? 0),
      (c) => String.fromCodePoint(session.functions.frequencyKeyTyped(c.codePointAt(0) ?? 0)));
    input.addEventListener('focus', () => {
      if (input.readOnly) return;
      input.select();
      ctx.hint(input === rx ? texts.rx : texts.tx);
    });
    input.addEventListener('input', () => typed(input));
    finishOnEnter(input);
    input.addEventListener('focusout', (event) => {
      if (ctx.validating || !exp) return;
      const to = event.relatedTarget;
      finish(input, ctx.isTree(to) ? 'tree' : to && element.contains(/** @type {Node} */ (to)) ? 'editor' : 'elsewhere');
    });
  }

  return {
    element,
    /** @param {Channel} ref */
    load(ref) {
      const view = session.now.loadEditor(ref);
      channel = view ? ref : null;
      show(view);
      ctx.changed();  // a load may correct the data shown (no step)
      return view !== null;
    },
    refresh() { show(session.now.editorView()); },
    restore() { show(session.now.reloadEditor()); },
    clear() {
      channel = null;
      session.now.clearEditor();
    },
    // Typed text not in the data yet (a channel made incomplete is a change
    // of the data already, and the check before every command stops it).
    hasPending: () => Boolean(channel) && session.now.editorTyped(),
    // Before the editor is left (`leaving`) or its data used.
    async commit(leaving = true) {
      if (!channel) return true;
      const stop = session.now.editorCommit(leaving);
      ctx.changed();
      return stopped(stop);
    },
  };
}
