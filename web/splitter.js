// A splitter between two panes: dragged with the mouse (or a finger), or
// moved with the arrow keys when focused (Shift: in bigger steps; Home and
// End: the least and the most). It sets a CSS length on `target` (the size
// of the pane before it) and remembers it.
//
//   new Splitter(handle, { target: workspace, property: '--tree-width', key: 'RP770/Page/TreeWidth',
//     min: 160, max: () => workspace.clientWidth - 240 });

const STEP = 16;
const BIG_STEP = 64;

/**
 * @typedef {object} SplitterOptions
 * @property {HTMLElement} target the element whose CSS property is set
 * @property {string} property the custom property, in pixels
 * @property {HTMLElement} pane the pane whose size is set (for its size now)
 * @property {string} key where the size is remembered
 * @property {number} min
 * @property {() => number} max
 * @property {'vertical' | 'horizontal'} [orientation] of the line: vertical between panes side by side
 * @property {Pick<Storage, 'getItem' | 'setItem'> | null} [storage]
 */

export class Splitter {
  /** @param {HTMLElement} handle @param {SplitterOptions} options */
  constructor(handle, { target, property, pane, key, min, max, orientation = 'vertical', storage = safeStorage() }) {
    this.handle = handle;
    this.target = target;
    this.property = property;
    this.pane = pane;
    this.storageKey = key;
    this.min = min;
    this.max = max;
    this.storage = storage;
    /** @type {number | null} the size set, in CSS pixels */
    this.size = null;
    /** @type {number | null} the size chosen, kept while the window is too small for it */
    this.wanted = null;
    this.vertical = orientation === 'vertical';
    handle.setAttribute('role', 'separator');
    handle.setAttribute('aria-orientation', orientation);
    handle.tabIndex = 0;
    const kept = Number(storage?.getItem(key));
    if (kept > 0) {
      this.set(kept, false, false);
      this.wanted = kept;
    }
    handle.addEventListener('keydown', (event) => this.key(event));
    handle.addEventListener('pointerdown', (event) => this.drag(event));
    handle.addEventListener('focus', () => this.describe());
    window.addEventListener('resize', () => { if (this.wanted !== null) this.set(this.wanted, false, false); });
    this.describe();
  }

  current() {
    const box = this.pane.getBoundingClientRect();
    return Math.round(this.vertical ? box.width : box.height);
  }

  // The size, kept between the least and the most.
  /** @param {number} size */
  set(size, remember = true, chosen = true) {
    const most = Math.max(this.min, this.max());
    this.size = Math.round(Math.min(most, Math.max(this.min, size)));
    if (chosen) this.wanted = this.size;
    this.target.style.setProperty(this.property, `${this.size}px`);
    if (remember) {
      try {
        this.storage?.setItem(this.storageKey, String(this.size));
      } catch {
        // Not remembered: it still holds until the page is closed.
      }
    }
    this.describe();
  }

  describe() {
    this.handle.setAttribute('aria-valuemin', String(this.min));
    this.handle.setAttribute('aria-valuemax', String(Math.max(this.min, Math.round(this.max()))));
    this.handle.setAttribute('aria-valuenow', String(this.size ?? this.current()));
  }

  /** @param {KeyboardEvent} event */
  key(event) {
    const step = event.shiftKey ? BIG_STEP : STEP;
    const now = this.size ?? this.current();
    const [less, more] = this.vertical ? ['ArrowLeft', 'ArrowRight'] : ['ArrowUp', 'ArrowDown'];
    switch (event.key) {
      case less: this.set(now - step); break;
      case more: this.set(now + step); break;
      case 'Home': this.set(this.min); break;
      case 'End': this.set(this.max()); break;
      default: return;
    }
    event.preventDefault();
  }

  /** @param {PointerEvent} event */
  drag(event) {
    if (event.button !== 0) return;
    event.preventDefault();
    this.handle.setPointerCapture(event.pointerId);
    const start = this.vertical ? event.clientX : event.clientY;
    const from = this.size ?? this.current();
    this.handle.classList.add('dragging');
    /** @param {PointerEvent} e */
    const move = (e) => this.set(from + (this.vertical ? e.clientX : e.clientY) - start, false);
    const end = () => {
      this.handle.removeEventListener('pointermove', move);
      this.handle.classList.remove('dragging');
      if (this.size !== null) this.set(this.size);
    };
    this.handle.addEventListener('pointermove', move);
    this.handle.addEventListener('pointerup', end, { once: true });
    this.handle.addEventListener('pointercancel', end, { once: true });
  }
}

function safeStorage() {
  try {
    return globalThis.localStorage ?? null;
  } catch {
    return null;
  }
}
