// The screens the tree shows besides the channels: the general page, the
// grey page, the common setup and the weather channels. Each shows what the
// engine's view gives (src/presentation) and changes the data only through
// the session's edits; `ctx` is the page's (app.js):
//   ctx.session, ctx.texts (hints), ctx.fieldHelp, ctx.hint(text), ctx.edit(call) -> accepted,
//   ctx.showMessages(messages), ctx.isCurrent(screen)

import { el } from './dialogs.js';
import { word } from './words.js';

/** @typedef {import('./page.js').PageContext} PageContext */
/** @typedef {import('./rp770.js').ChoiceView} ChoiceView */
/** @typedef {import('./rp770.js').SwitchView} SwitchView */
/** @typedef {import('./rp770.js').CommonField} CommonField */
/** @typedef {import('./rp770.js').HelpField} HelpField */
/** @typedef {{ input: HTMLInputElement, label: HTMLLabelElement, caption: ChildNode | null }} CheckBox */

let ids = 0;
/** @param {string} name */
const uid = (name) => `${name}-${++ids}`;

// A <select> showing a choice view ({items, selected, enabled, visible}).
/** @param {HTMLSelectElement} select @param {ChoiceView} view @param {HTMLElement} [label] */
export function showChoice(select, view, label) {
  const texts = view.items.map((i) => i.text);
  const current = [...select.options].map((o) => o.text);
  if (texts.join('\n') !== current.join('\n') || select.options.length !== texts.length) {
    select.replaceChildren(...view.items.map((item) => el('option', { value: String(item.data) }, item.text)));
    if (view.selected === -2) select.selectedIndex = -1;
  }
  if (view.selected !== -2) select.selectedIndex = view.selected;
  select.disabled = !view.enabled;
  label?.classList.toggle('disabled', !view.enabled);
  const shown = view.visible !== false;
  select.hidden = !shown;
  if (label) label.hidden = !shown;
}

// The item data of the selected item, -1 when none is.
/** @param {HTMLSelectElement} select */
export function selectedData(select) {
  return select.selectedIndex < 0 ? -1 : Number(select.options[select.selectedIndex].value);
}

// A check box with its caption.
/** @param {string} caption @returns {CheckBox} */
export function checkBox(caption, props = {}) {
  const input = el('input', { type: 'checkbox', id: uid('check'), ...props });
  const label = el('label', { className: 'check', htmlFor: input.id }, input, el('span', {}, caption));
  return { input, label, caption: label.lastChild };
}

/** @param {CheckBox} box @param {SwitchView} view */
export function showSwitch(box, view) {
  box.input.checked = view.checked;
  box.input.disabled = !view.enabled;
  box.label.classList.toggle('disabled', !view.enabled);
  box.label.hidden = view.visible === false;
  if (view.caption && box.caption && box.caption.textContent !== view.caption) box.caption.textContent = view.caption;
}

/** @param {string} text @param {HTMLElement} control */
function labelled(text, control) {
  control.id ||= uid('field');
  return el('label', { htmlFor: control.id }, text);
}

// The keys a text box lets through as they are typed (pasting is not
// filtered); `mapKey` may turn a key into another (the decimal comma).
// `allowed` is told the box's text without the selection, with the keys
// before it, and the text before the cursor.
/**
 * @param {HTMLInputElement} input
 * @param {(c: string, boxText: string, before: string) => boolean} allowed
 * @param {((c: string) => string) | null} [mapKey]
 */
export function filterTyping(input, allowed, mapKey = null) {
  input.addEventListener('beforeinput', (event) => {
    if (event.inputType !== 'insertText' || event.data === null) return;
    const chars = [...event.data];
    const mapped = mapKey ? chars.map(mapKey) : chars;
    let box = input.value.slice(0, input.selectionStart ?? 0) + input.value.slice(input.selectionEnd ?? 0);
    let before = input.value.slice(0, input.selectionStart ?? 0);
    for (const c of mapped) {
      if (!allowed(c, box, before)) {
        event.preventDefault();
        return;
      }
      box += c;
      before += c;
    }
    if (mapped.join('') !== event.data) {
      event.preventDefault();
      input.setRangeText(mapped.join(''), input.selectionStart ?? 0, input.selectionEnd ?? 0, 'end');
      input.dispatchEvent(new Event('input', { bubbles: true }));
    }
  });
}

// The help of a screen's fields: each field and its label carry their help
// as tooltip (and so as the field's description), and the screen's help
// line shows it while the field has the focus or the pointer is over it.
/** @param {PageContext} ctx */
export function fieldHelpLine(ctx) {
  const line = el('p', { className: 'field-help', id: uid('help') });
  /** @param {EventTarget | null} target */
  const helpOf = (target) => {
    const owner = target instanceof Element ? target.closest('[data-help]') : null;
    return owner ? ctx.fieldHelp[/** @type {HelpField} */ (owner.getAttribute('data-help'))] ?? '' : '';
  };
  /** @param {string} text */
  const show = (text) => { if (line.textContent !== text) line.textContent = text; };
  return {
    line,
    // Gives the elements (a field, its label) the help of a field.
    /** @param {HelpField} field @param {...(Element | null | undefined)} elements */
    attach(field, ...elements) {
      for (const element of elements) {
        if (!element) continue;
        element.setAttribute('data-help', field);
        element.setAttribute('title', ctx.fieldHelp[field] ?? '');
      }
    },
    // Follows the focus and the pointer inside the screen.
    /** @param {HTMLElement} screen */
    watch(screen) {
      screen.addEventListener('focusin', (event) => show(helpOf(event.target)));
      screen.addEventListener('focusout', (event) => {
        const to = /** @type {FocusEvent} */ (event).relatedTarget;
        if (!(to instanceof Node && screen.contains(to))) show('');
      });
      screen.addEventListener('mouseover', (event) => {
        const text = helpOf(event.target);
        if (text) show(text);
      });
      screen.addEventListener('mouseleave', () => {
        show(screen.contains(document.activeElement) ? helpOf(document.activeElement) : '');
      });
    },
  };
}

/** @param {HTMLElement} notice */
export function generalScreen(notice) {
  const element = el('div', { className: 'panel general' },
    el('img', { src: 'logo.gif', alt: 'QZP', width: 240, height: 120 }),
    el('p', {}, word('GeneralScreenText')),
    notice);
  return { element, fill() {}, refresh() {} };
}

export function greyScreen() {
  return { element: el('div', { className: 'panel' }), grey: true, fill() {}, refresh() {} };
}

// Each setting's field and the id of its caption.
/** @type {[CommonField, string][]} */
const SETTINGS = [
  ['scan', 'ScanCaps'], ['resumeTime', 'ResumeTime'], ['pttScanClear', 'PttScanClear'], ['dualWatch', 'DualWatch'],
  ['weatherAlert', 'WeatherAlert'],
];

/** @param {PageContext} ctx */
export function commonScreen(ctx) {
  const { session, texts } = ctx;
  const selects = /** @type {Record<CommonField, HTMLSelectElement>} */ ({});
  const labels = /** @type {Record<CommonField, HTMLLabelElement>} */ ({});
  for (const [field, caption] of SETTINGS) {
    selects[field] = el('select', { id: uid(field) });
    labels[field] = labelled(word(caption), selects[field]);
    selects[field].addEventListener('change', () =>
      ctx.edit(() => session.now.setCommon(field, selectedData(selects[field]))));
    selects[field].addEventListener('focus', () => ctx.hint(texts.combo));
  }
  const dependent = el('div', { className: 'dependent form-grid' },
    labels.resumeTime, selects.resumeTime, labels.pttScanClear, selects.pttScanClear);
  const weather = el('fieldset', {}, el('legend', {}, word('WeatherChFunction')),
    el('div', { className: 'form-grid' }, labels.weatherAlert, selects.weatherAlert));

  const usable = [0, 1, 2, 3].map((i) => checkBox(['USA', 'INT', 'CAN', word('ExpChGroup')][i]));
  const priority = [0, 1, 2, 3].map(() => el('select', { id: uid('priority') }));
  const priorityLabels = priority.map((select, i) => labelled(['USA', 'INT', 'CAN', 'EXP'][i], select));
  usable.forEach((box, i) => {
    box.input.addEventListener('change', () => ctx.edit(() => session.now.setGroupUsable(i, box.input.checked)));
    box.input.addEventListener('focus', () => ctx.hint(texts.checkBox));
    priority[i].addEventListener('change', () => {
      if (!priority[i].hidden) ctx.edit(() => session.now.setPriorityChannel(i, selectedData(priority[i])));
    });
    priority[i].addEventListener('focus', () => ctx.hint(texts.combo));
  });
  const groups = el('fieldset', {}, el('legend', {}, word('UsableChannelGroups')),
    el('div', { className: 'form-grid' }, el('span', {}), el('span', {}, word('PriorityCh')),
      usable.flatMap((box, i) => [box.label, el('span', { className: 'check' }, priorityLabels[i], priority[i])])));

  const atisGroups = [0, 1, 2, 3].map((i) => checkBox(['USA', 'INTL', 'CAN', 'EXP'][i]));
  atisGroups.forEach((box, i) => {
    box.input.addEventListener('change', () => ctx.edit(() => session.now.setAtisGroup(i, box.input.checked)));
    box.input.addEventListener('focus', () => ctx.hint(texts.checkBox));
  });
  const code = el('input', { type: 'text', className: 'code', maxLength: 10, inputMode: 'numeric', autocomplete: 'off', id: uid('atis') });
  const codeLabel = labelled(word('AtisCode'), code);
  const atis = el('fieldset', {}, el('legend', {}, word('UsableAtisChGroup')),
    el('div', { className: 'atis-groups' }, atisGroups.map((b) => b.label)),
    el('div', { className: 'form-grid' }, codeLabel, code));

  const help = fieldHelpLine(ctx);
  for (const [field] of SETTINGS) help.attach(field, labels[field], selects[field]);
  usable.forEach((box, i) => help.attach(i === 3 ? 'usableExpGroup' : 'usableGroup', box.label, box.input));
  priority.forEach((select, i) => help.attach('priorityChannel', priorityLabels[i], select));
  atisGroups.forEach((box) => help.attach('atisGroup', box.label, box.input));
  help.attach('atisCode', codeLabel, code);
  const element = el('div', { className: 'panel' }, el('h2', {}, word('TreeCommonSetup')),
    el('div', { className: 'common-setup' },
      el('div', {},
        el('fieldset', {}, el('legend', {}, word('ScanningFunction')),
          el('div', { className: 'form-grid' }, labels.scan, selects.scan), dependent),
        el('fieldset', {}, el('div', { className: 'form-grid' }, labels.dualWatch, selects.dualWatch)),
        weather),
      el('div', {}, groups, atis)),
    help.line);
  help.watch(element);

  // The ATIS code counts once it is left (or Enter is pressed): good text
  // is taken, refused text says so and keeps the focus there.
  let atisEdited = false;
  filterTyping(code, (c) => session.functions.atisKeyAllowed(c.codePointAt(0) ?? 0));
  code.addEventListener('input', () => { atisEdited = true; });
  code.addEventListener('focus', () => {
    ctx.hint(texts.atis);
    code.select();
  });
  const take = () => {
    const refused = session.now.setAtisCode(code.value);
    if (!refused) atisEdited = false;
    return refused;
  };
  const validate = () => ctx.guard(async () => {
    if (!atisEdited) return true;
    const refused = take();
    ctx.changed();
    if (!refused) return true;
    await ctx.showMessages(refused);
    code.focus();
    return false;
  });
  code.addEventListener('keydown', (event) => {
    if (event.key === 'Enter') {
      event.preventDefault();
      validate();
    }
  });
  code.addEventListener('focusout', (event) => {
    if (!atisEdited || ctx.validating) return;
    const to = event.relatedTarget;
    if (ctx.isTree(to)) {
      // Going to the tree: a good code is taken now; a bad one waits for
      // the check that leaving the screen runs.
      if (session.functions.atisCodeValid(code.value)) validate();
    } else if (to && element.contains(/** @type {Node} */ (to))) {
      validate();
    }
    // Elsewhere (a menu, the toolbar, another window): the code waits for
    // the check the next command runs first.
  });

  function fill() {
    const view = session.now.commonSetup();
    for (const [field] of SETTINGS) showChoice(selects[field], view[field], labels[field]);
    dependent.classList.toggle('off', !view.resumeTime.enabled);
    weather.hidden = !view.weatherAlertVisible;
    view.groups.forEach((group, i) => {
      showSwitch(usable[i], group.usable);
      showChoice(priority[i], group.priority, priorityLabels[i]);
    });
    atis.hidden = !view.atisVisible;
    view.atisGroups.forEach((s, i) => showSwitch(atisGroups[i], s));
    if (!atisEdited) code.value = view.atisCode.text;
    code.disabled = !view.atisCode.enabled;
    codeLabel.classList.toggle('disabled', !view.atisCode.enabled);
  }

  return {
    element,
    fill,
    refresh: fill,
    clear() { atisEdited = false; },
    hasPending: () => atisEdited,
    // Before the screen is left or the data used.
    commit: () => (document.activeElement === code || atisEdited ? validate() : Promise.resolve(true)),
  };
}

/** @param {PageContext} ctx */
export function weatherScreen(ctx) {
  const { session, texts } = ctx;
  /** @type {{ label: HTMLTableCellElement, enable: HTMLInputElement, scan: HTMLInputElement }[]} */
  const rows = [];
  const body = el('tbody');
  for (let k = 0; k < 10; ++k) {
    const label = el('th', { scope: 'row' });
    const enable = el('input', { type: 'checkbox', id: uid('wx-enable') });
    const scan = el('input', { type: 'checkbox', id: uid('wx-scan') });
    enable.addEventListener('change', () => ctx.edit(() => session.now.setChannelFlag({ area: 'WX', index: k }, 'enable', enable.checked, false)));
    scan.addEventListener('change', () => ctx.edit(() => session.now.setChannelFlag({ area: 'WX', index: k }, 'scan', scan.checked, false)));
    enable.addEventListener('focus', () => ctx.hint(texts.wxEnable));
    scan.addEventListener('focus', () => ctx.hint(texts.wxScan));
    rows.push({ label, enable, scan });
    body.append(el('tr', {}, label, el('td', { className: 'box' }, enable), el('td', { className: 'box' }, scan)));
  }
  const help = fieldHelpLine(ctx);
  const enableHead = el('th', { className: 'box' }, word('Enable'));
  const scanHead = el('th', { className: 'box' }, word('Scan'));
  help.attach('wxEnable', enableHead, ...rows.map((r) => r.enable));
  help.attach('wxScan', scanHead, ...rows.map((r) => r.scan));
  const element = el('div', { className: 'panel' }, el('h2', {}, word('TreeWeather')),
    el('table', { className: 'weather' },
      el('thead', {}, el('tr', {}, el('th', {}, word('ColumnChannel')), enableHead, scanHead)),
      body),
    help.line);
  help.watch(element);
  function fill() {
    session.now.weather().forEach((row, k) => {
      const r = rows[k];
      r.label.textContent = row.label;
      r.enable.checked = row.enable.checked;
      r.scan.checked = row.scan.checked;
      r.scan.disabled = !row.scan.enabled;
      // Named by their row and column.
      r.enable.setAttribute('aria-label', `${row.label} ${row.enable.caption}`);
      r.scan.setAttribute('aria-label', `${row.label} ${row.scan.caption}`);
    });
  }
  return { element, fill, refresh: fill };
}
