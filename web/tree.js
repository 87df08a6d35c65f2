// The navigation tree: the screens as the engine lists them
// ([{key, text, parent}]), as an ARIA tree. Selecting a node (mouse or
// arrow keys) asks `onSelect(node)`, which may refuse (a box on the screen
// holds refused input): the selection then goes back to the node shown.
// Right/Left open and close branches, Home/End go to the first and last.

import { el } from './dialogs.js';

export class Tree {
  constructor(root, { onSelect, onFocus }) {
    this.root = root;
    this.onSelect = onSelect;
    this.items = new Map();  // key -> li
    this.nodes = [];
    this.shownKey = null;
    root.addEventListener('keydown', (event) => this.key(event));
    root.addEventListener('click', (event) => {
      const li = event.target.closest('[role="treeitem"]');
      if (!li) return;
      if (event.target.closest('.twisty')) {
        this.toggle(li);
        return;
      }
      this.choose(li);
    });
    root.addEventListener('dblclick', (event) => {
      const li = event.target.closest('[role="treeitem"]');
      if (li && !event.target.closest('.twisty')) this.toggle(li);
    });
    root.addEventListener('focusin', () => onFocus?.());
  }

  // Builds the tree; open branches and the selection stay, found by key.
  build(nodes) {
    const expanded = new Set([...this.items].filter(([, li]) => li.getAttribute('aria-expanded') === 'true').map(([k]) => k));
    const selected = this.selectedKey;
    this.nodes = nodes;
    this.items.clear();
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
      let group = parent.querySelector(':scope > ul');
      if (!group) {
        group = el('ul', { role: 'group' });
        parent.append(group);
        parent.setAttribute('aria-expanded', String(expanded.has(parent.dataset.key)));
      }
      group.append(li);
      li.setAttribute('aria-level', String(Number(parent.getAttribute('aria-level')) + 1));
    });
    this.root.replaceChildren(...top);
    this.mark(this.items.has(selected) ? selected : null);
  }

  // New texts for the same nodes; false when the nodes differ (build again).
  updateTexts(nodes) {
    if (nodes.length !== this.nodes.length || nodes.some((n, i) => n.key !== this.nodes[i].key)) return false;
    nodes.forEach((node, i) => {
      if (node.text !== this.nodes[i].text) this.items.get(node.key).querySelector('.label').textContent = node.text;
    });
    this.nodes = nodes;
    return true;
  }

  get selectedKey() {
    return this.root.querySelector('[aria-selected="true"]')?.dataset.key ?? null;
  }

  node(key) {
    return this.nodes.find((n) => n.key === key) ?? null;
  }

  // Marks the node selected and makes it the one Tab reaches.
  mark(key) {
    for (const li of this.items.values()) {
      li.setAttribute('aria-selected', 'false');
      li.tabIndex = -1;
    }
    const li = key ? this.items.get(key) : this.items.values().next().value;
    if (!li) return;
    if (key) li.setAttribute('aria-selected', 'true');
    li.tabIndex = 0;
    for (let p = li.parentElement.closest('[role="treeitem"]'); p; p = p.parentElement.closest('[role="treeitem"]')) {
      p.setAttribute('aria-expanded', 'true');
    }
  }

  // The node chosen by the user: shown unless refused.
  async choose(li, focus = true) {
    const key = li.dataset.key;
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

  toggle(li) {
    if (!li.hasAttribute('aria-expanded')) return;
    li.setAttribute('aria-expanded', String(li.getAttribute('aria-expanded') !== 'true'));
  }

  visible() {
    return [...this.items.values()].filter((li) => !li.parentElement.closest('[aria-expanded="false"]'));
  }

  key(event) {
    const li = event.target.closest('[role="treeitem"]');
    if (!li || event.altKey || event.ctrlKey || event.metaKey) return;
    const visible = this.visible();
    const at = visible.indexOf(li);
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
        else target = li.parentElement.closest('[role="treeitem"]');
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
