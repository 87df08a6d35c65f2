// The navigation tree: the screens as the engine lists them
// ([{key, text, parent}]), as an ARIA tree. Selecting a node (mouse or
// arrow keys) asks `onSelect(node)`, which may refuse (a box on the screen
// holds refused input): the selection then goes back to the node shown.
// Right/Left open and close branches, Home/End go to the first and last.

import { el } from './dialogs.js';

/** @typedef {import('./rp770.js').TreeNode} TreeNode */

/** @param {EventTarget | null} target @param {string} selector @returns {HTMLElement | null} */
const closest = (target, selector) => /** @type {HTMLElement | null} */ (/** @type {Element} */ (target).closest(selector));

export class Tree {
  /**
   * @param {HTMLElement} root
   * @param {{ onSelect: (node: TreeNode | null) => Promise<boolean>, onFocus?: () => void }} handlers
   */
  constructor(root, { onSelect, onFocus }) {
    this.root = root;
    this.onSelect = onSelect;
    /** @type {Map<string, HTMLLIElement>} key -> li */
    this.items = new Map();
    /** @type {TreeNode[]} */
    this.nodes = [];
    /** @type {string | null} */
    this.shownKey = null;
    root.addEventListener('keydown', (event) => this.key(event));
    root.addEventListener('click', (event) => {
      const li = closest(event.target, '[role="treeitem"]');
      if (!li) return;
      if (closest(event.target, '.twisty')) {
        this.toggle(li);
        return;
      }
      this.choose(li);
    });
    root.addEventListener('dblclick', (event) => {
      const li = closest(event.target, '[role="treeitem"]');
      if (li && !closest(event.target, '.twisty')) this.toggle(li);
    });
    root.addEventListener('focusin', () => onFocus?.());
  }

  // Builds the tree; open branches and the selection stay, found by key.
  /** @param {TreeNode[]} nodes */
  build(nodes) {
    const expanded = new Set([...this.items].filter(([, li]) => li.getAttribute('aria-expanded') === 'true').map(([k]) => k));
    const selected = this.selectedKey;
    this.nodes = nodes;
    this.items.clear();
    /** @type {HTMLLIElement[]} */
    const top = [];
    nodes.forEach((node, i) => {
      const li = el('li', { role: 'treeitem', tabIndex: -1, 'aria-selected': 'false', id: `node-${i}` },
        el('span', { className: 'node' }, el('span', { className: 'twisty', 'aria-hidden': 'true' }),
          el('span', { className: 'label' }, node.text)));
      li.dataset.key = node.key;
      this.items.set(node.key, li);
      const parent = node.parent ? this.items.get(node.parent) : null;
      if (!parent) {
        top.push(li);
        li.setAttribute('aria-level', '1');
        return;
      }
      let group = parent.querySelector(/** @type {'ul'} */ (':scope > ul'));
      if (!group) {
        group = el('ul', { role: 'group' });
        parent.append(group);
        parent.setAttribute('aria-expanded', String(expanded.has(parent.dataset.key ?? '')));
      }
      group.append(li);
      li.setAttribute('aria-level', String(Number(parent.getAttribute('aria-level')) + 1));
    });
    this.root.replaceChildren(...top);
    this.mark(selected !== null && this.items.has(selected) ? selected : null);
  }

  // New texts for the same nodes; false when the nodes differ (build again).
  /** @param {TreeNode[]} nodes */
  updateTexts(nodes) {
    if (nodes.length !== this.nodes.length || nodes.some((n, i) => n.key !== this.nodes[i].key)) return false;
    nodes.forEach((node, i) => {
      const label = this.items.get(node.key)?.querySelector('.label');
      if (node.text !== this.nodes[i].text && label) label.textContent = node.text;
    });
    this.nodes = nodes;
    return true;
  }

  /** @returns {string | null} */
  get selectedKey() {
    return /** @type {HTMLElement | null} */ (this.root.querySelector('[aria-selected="true"]'))?.dataset.key ?? null;
  }

  /** @param {string | null} key */
  node(key) {
    return this.nodes.find((n) => n.key === key) ?? null;
  }

  // Marks the node selected and makes it the one Tab reaches.
  /** @param {string | null} key */
  mark(key) {
    for (const li of this.items.values()) {
      li.setAttribute('aria-selected', 'false');
      li.tabIndex = -1;
    }
    const li = key ? this.items.get(key) : this.items.values().next().value;
    if (!li) return;
    if (key) li.setAttribute('aria-selected', 'true');
    li.tabIndex = 0;
    for (let p = closest(li.parentElement, '[role="treeitem"]'); p; p = closest(p.parentElement, '[role="treeitem"]')) {
      p.setAttribute('aria-expanded', 'true');
    }
  }

  // The node chosen by the user: shown unless refused.
  /** @param {HTMLElement} li */
  async choose(li, focus = true) {
    const key = li.dataset.key ?? null;
    // Marked first: that opens its branch, so that a hidden node can take the focus.
    this.mark(key);
    if (focus) li.focus();
    if (key === this.shownKey) return true;
    const accepted = await this.onSelect(this.node(key));
    if (accepted) {
      this.shownKey = key;
    } else if (this.shownKey && this.items.has(this.shownKey)) {
      this.mark(this.shownKey);
    }
    return accepted;
  }

  // Selects a node by its exact key as if the user had: false when there is none.
  /** @param {string} key */
  async select(key, { focus = false } = {}) {
    const li = this.items.get(key);
    if (!li) return false;
    await this.choose(li, focus);
    li.scrollIntoView({ block: 'nearest' });
    return true;
  }

  // The node shown is forgotten: the next selection shows its screen again.
  forgetShown() {
    this.shownKey = null;
  }

  /** @param {HTMLElement} li */
  toggle(li) {
    if (!li.hasAttribute('aria-expanded')) return;
    li.setAttribute('aria-expanded', String(li.getAttribute('aria-expanded') !== 'true'));
  }

  visible() {
    return [...this.items.values()].filter((li) => !closest(li.parentElement, '[aria-expanded="false"]'));
  }

  /** @param {KeyboardEvent} event */
  key(event) {
    const li = closest(event.target, '[role="treeitem"]');
    if (!li || event.altKey || event.ctrlKey || event.metaKey) return;
    const visible = this.visible();
    const at = visible.indexOf(/** @type {HTMLLIElement} */ (li));
    let target = null;
    switch (event.key) {
      case 'ArrowDown': target = visible[at + 1]; break;
      case 'ArrowUp': target = visible[at - 1]; break;
      case 'Home': target = visible[0]; break;
      case 'End': target = visible.at(-1); break;
      case 'ArrowRight':
        if (li.getAttribute('aria-expanded') === 'false') li.setAttribute('aria-expanded', 'true');
        else if (li.getAttribute('aria-expanded') === 'true') target = visible[at + 1];
        break;
      case 'ArrowLeft':
        if (li.getAttribute('aria-expanded') === 'true') li.setAttribute('aria-expanded', 'false');
        else target = closest(li.parentElement, '[role="treeitem"]');
        break;
      case 'Enter':
        if (li.hasAttribute('aria-expanded')) this.toggle(li);
        else this.choose(li);
        break;
      default:
        return;
    }
    event.preventDefault();
    if (target) {
      this.choose(target);
      target.scrollIntoView({ block: 'nearest' });
    }
  }
}
