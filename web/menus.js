// Menus: the menu bar's drop-down menus and the channel list's context
// menu. A menu is built afresh each time it opens, from a function giving
// its entries:
//   {label, key, action, enabled, checked, radio, id}   (checked: a check mark)
//   {separator: true}   {group: 'Label'}
// Keyboard: Up/Down/Home/End move, Enter/Space choose, Escape closes,
// Left/Right go to the next menu of the bar, letters jump to an entry.
// The bar and a toolbar are each one Tab stop (the one last used); arrow
// keys move inside them.

import { el } from './dialogs.js';

/**
 * @typedef {object} MenuEntry
 * @property {string} [label]
 * @property {string} [key]
 * @property {() => unknown} [action]
 * @property {boolean} [enabled]
 * @property {boolean} [checked]
 * @property {boolean} [radio]
 * @property {string} [id]
 * @property {string} [shortcut]
 * @property {boolean} [separator]
 * @property {string} [group]
 */
/** @typedef {{ label: string, id?: string, build: () => MenuEntry[] }} Menu */

/** @type {{ list: HTMLUListElement, close: (chosen: boolean, focusBack?: boolean) => void } | null} */
let open = null;

export function closeMenus() {
  open?.close(false);
}

/** @param {HTMLElement} list @returns {HTMLButtonElement[]} */
function items(list) {
  return [...list.querySelectorAll(/** @type {'button'} */ ('[role^="menuitem"]:not(:disabled)'))];
}

/** @param {MenuEntry[]} entries @param {(entry: MenuEntry) => void} onChosen */
function renderEntries(entries, onChosen) {
  const list = el('ul', { className: 'menu', role: 'menu' });
  for (const entry of entries) {
    if (entry.separator) {
      list.append(el('li', { role: 'separator' }));
      continue;
    }
    if (entry.group) {
      list.append(el('li', { role: 'presentation', className: 'group-label' }, entry.group));
      continue;
    }
    const role = entry.checked === undefined ? 'menuitem' : entry.radio ? 'menuitemradio' : 'menuitemcheckbox';
    const button = el('button', {
      type: 'button', role, id: entry.id, tabIndex: -1, disabled: entry.enabled === false,
      'aria-checked': entry.checked === undefined ? undefined : String(Boolean(entry.checked)),
      'aria-keyshortcuts': entry.shortcut,
    }, el('span', {}, entry.label), entry.key ? el('span', { className: 'key' }, entry.key) : null);
    button.addEventListener('click', () => onChosen(entry));
    list.append(el('li', { role: 'none' }, button));
  }
  return list;
}

/** @param {HTMLUListElement} list @param {number} step @param {'first' | 'last'} [to] */
function moveFocus(list, step, to) {
  const all = items(list);
  if (!all.length) {
    // A menu whose entries are all disabled still takes the keys (Escape, Left, Right).
    list.tabIndex = -1;
    list.focus();
    return;
  }
  const at = all.indexOf(/** @type {HTMLButtonElement} */ (document.activeElement));
  const next = to === 'first' ? 0 : to === 'last' ? all.length - 1 : (at + step + all.length) % all.length;
  all[next].focus();
}

// Opens a menu of `entries` in `container` (positioned under its button,
// or at a point); `onClose(chosen)` when it closes.
/**
 * @param {HTMLElement} container
 * @param {MenuEntry[]} entries
 * @param {{ point?: { x: number, y: number }, returnFocus?: HTMLElement | null,
 *   onKey?: (event: KeyboardEvent) => boolean, onClose?: (chosen: boolean) => void }} [options]
 */
function openMenu(container, entries, { point, returnFocus, onKey, onClose } = {}) {
  closeMenus();
  /** @type {(chosen: boolean, focusBack?: boolean) => void} */
  const close = (chosen, focusBack = true) => {
    if (open?.list !== list) return;
    open = null;
    list.remove();
    document.removeEventListener('pointerdown', outside, true);
    onClose?.(chosen);
    if (focusBack && !chosen) returnFocus?.focus();
  };
  const list = renderEntries(entries, (entry) => {
    close(true);
    returnFocus?.focus();
    entry.action?.();
  });
  if (point) {
    list.classList.add('at-point');
    list.style.left = `${Math.max(0, Math.min(point.x, window.innerWidth - 260))}px`;
    list.style.top = `${Math.max(0, Math.min(point.y, window.innerHeight - 40))}px`;
  }
  container.append(list);
  if (!point) {
    // A menu of the bar near the window's right edge opens leftwards, inside the window.
    const over = list.getBoundingClientRect().right - window.innerWidth;
    if (over > 0) list.style.left = `${-Math.ceil(over) - 4}px`;
  }
  if (point) {
    // Kept inside the window.
    const box = list.getBoundingClientRect();
    if (box.bottom > window.innerHeight) list.style.top = `${Math.max(0, window.innerHeight - box.height - 4)}px`;
    if (box.right > window.innerWidth) list.style.left = `${Math.max(0, window.innerWidth - box.width - 4)}px`;
  }
  list.addEventListener('keydown', (event) => {
    switch (event.key) {
      case 'ArrowDown': moveFocus(list, 1); break;
      case 'ArrowUp': moveFocus(list, -1); break;
      case 'Home': moveFocus(list, 0, 'first'); break;
      case 'End': moveFocus(list, 0, 'last'); break;
      case 'Escape': close(false); break;
      case 'Tab': close(false, false); return;
      default:
        if (onKey?.(event)) break;
        if (event.key.length === 1 && /\S/.test(event.key)) {
          const all = items(list);
          const start = all.indexOf(/** @type {HTMLButtonElement} */ (document.activeElement)) + 1;
          const found = [...all.slice(start), ...all.slice(0, start)]
            .find((b) => b.textContent.trim().toLowerCase().startsWith(event.key.toLowerCase()));
          found?.focus();
          break;
        }
        return;
    }
    event.preventDefault();
    event.stopPropagation();
  });
  /** @param {Event} event */
  const outside = (event) => {
    const target = /** @type {Node} */ (event.target);
    if (!list.contains(target) && !container.contains(target)) close(false, false);
  };
  document.addEventListener('pointerdown', outside, true);
  open = { list, close };
  moveFocus(list, 0, 'first');
  return list;
}

// A context menu at a point (a right click), or under an element (the
// menu key); the focus goes back to `returnFocus` when it closes.
/**
 * @param {MenuEntry[]} entries
 * @param {{ point?: { x: number, y: number }, under?: HTMLElement, returnFocus?: HTMLElement | null }} where
 */
export function showContextMenu(entries, { point, under, returnFocus }) {
  const at = point ?? (() => {
    const r = /** @type {HTMLElement} */ (under).getBoundingClientRect();
    return { x: r.left, y: r.bottom };
  })();
  openMenu(document.body, entries, { point: at, returnFocus });
}

// The menu bar: [{label, build}] where build() gives the entries.
/** @param {HTMLElement} bar @param {Menu[]} menus */
export function buildMenuBar(bar, menus) {
  /** @type {{ wrap: HTMLDivElement, button: HTMLButtonElement, build: () => MenuEntry[] }[]} */
  const buttons = [];
  /** @param {number} i */
  const openAt = (i) => {
    const { wrap, button, build } = buttons[i];
    button.setAttribute('aria-expanded', 'true');
    openMenu(wrap, build(), {
      returnFocus: button,
      onClose: () => button.setAttribute('aria-expanded', 'false'),
      onKey: (event) => {
        if (event.key !== 'ArrowLeft' && event.key !== 'ArrowRight') return false;
        const next = (i + (event.key === 'ArrowRight' ? 1 : -1) + buttons.length) % buttons.length;
        closeMenus();
        buttons[next].button.focus();
        openAt(next);
        return true;
      },
    });
  };
  menus.forEach(({ label, build, id }, i) => {
    const button = el('button', { type: 'button', className: 'menu-button', id, 'aria-haspopup': 'menu', 'aria-expanded': 'false',
      tabIndex: i === 0 ? 0 : -1 }, label);
    const wrap = el('div', { className: 'menu-wrap' }, button);
    buttons.push({ wrap, button, build });
    button.addEventListener('click', () => {
      if (button.getAttribute('aria-expanded') === 'true') closeMenus();
      else openAt(i);
    });
    button.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowDown' || event.key === 'Enter' || event.key === ' ') {
        event.preventDefault();
        openAt(i);
      } else if (event.key === 'ArrowRight' || event.key === 'ArrowLeft') {
        event.preventDefault();
        buttons[(i + (event.key === 'ArrowRight' ? 1 : -1) + buttons.length) % buttons.length].button.focus();
      } else if (event.key === 'Home' || event.key === 'End') {
        event.preventDefault();
        buttons[event.key === 'Home' ? 0 : buttons.length - 1].button.focus();
      }
    });
    bar.append(wrap);
  });
  keepOneTabStop(bar, () => buttons.map((b) => b.button));
  return buttons.map((b) => b.button);
}

// The control focused last is the one Tab reaches in `group`.
/** @param {HTMLElement} group @param {() => HTMLElement[]} controls */
function keepOneTabStop(group, controls) {
  group.addEventListener('focusin', (event) => {
    const target = /** @type {HTMLElement} */ (event.target);
    const all = controls();
    if (!all.includes(target)) return;
    for (const c of all) c.tabIndex = c === target ? 0 : -1;
  });
}

// A toolbar's buttons as one Tab stop: Left/Right (and Up/Down) move to the
// next enabled button, Home/End to the first and last. A disabled button
// that holds the stop hands it to the first enabled one.
/** @param {HTMLElement} toolbar */
export function makeToolbarKeys(toolbar) {
  const all = () => /** @type {HTMLButtonElement[]} */ ([...toolbar.querySelectorAll('button')]);
  const enabled = () => all().filter((b) => !b.disabled);
  const settle = () => {
    const buttons = all();
    const holder = buttons.find((b) => b.tabIndex === 0 && !b.disabled) ?? enabled()[0];
    for (const b of buttons) b.tabIndex = b === holder ? 0 : -1;
  };
  keepOneTabStop(toolbar, all);
  toolbar.addEventListener('keydown', (event) => {
    const on = enabled();
    const at = on.indexOf(/** @type {HTMLButtonElement} */ (document.activeElement));
    if (at < 0 || event.altKey || event.ctrlKey || event.metaKey) return;
    let next;
    switch (event.key) {
      case 'ArrowRight': case 'ArrowDown': next = (at + 1) % on.length; break;
      case 'ArrowLeft': case 'ArrowUp': next = (at - 1 + on.length) % on.length; break;
      case 'Home': next = 0; break;
      case 'End': next = on.length - 1; break;
      default: return;
    }
    event.preventDefault();
    on[next].focus();
  });
  // Buttons are enabled and disabled as the data change.
  new MutationObserver(settle).observe(toolbar, { subtree: true, attributes: true, attributeFilter: ['disabled'], childList: true });
  settle();
}
