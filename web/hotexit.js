// Nothing lost in the page: while the data have unsaved changes, a copy of
// the session (the engine's snapshot: the data exactly, the file's name,
// the model and destination) is kept in the browser's IndexedDB at most a
// second after a change, so that a closed or reloaded tab, a crash or a
// discarded background tab loses nothing; saving or discarding takes it
// away. On the next start the copies of pages that are gone are offered
// back, newest first, one question each with the file's name and the time.
//
// Each page keeps one copy under an id of its own and holds a Web Lock of
// that name while it lives: a copy whose lock is held belongs to a page
// still open and is never offered.
//
//   const hotExit = new HotExit(() => session.now, { files });
//   await hotExit.start();
//   hotExit.changed(state.modified);                      // after every change
//   if (await hotExit.offerWaiting(showMessages)) ...     // at start: restored

import { makeDialog, messageBody, showDialog } from './dialogs.js';
import { withoutAccelerator } from './language.js';

/** @typedef {import('./rp770.js').SessionViews} SessionViews */
/** @typedef {import('./rp770.js').SnapshotOffer} SnapshotOffer */
/** @typedef {import('./rp770.js').Message} Message */
/** @typedef {import('./files.js').FileSource} FileSource */
/** @typedef {{ id: string, keptAt: string, text: string, handle?: FileSource }} KeptRecord */
/** @typedef {{ id: string, text: string, offer: SnapshotOffer, handle: FileSource | undefined }} WaitingCopy */
/** @typedef {'restore' | 'discard' | 'later'} KeptChoice */

export const KEEP_DELAY_MS = 1000;
export const DATABASE = 'rp770-hotexit';
const STORE = 'copies';
const LOCK_PREFIX = 'rp770-page-';

/** @template T @param {IDBRequest<T>} request @returns {Promise<T>} */
function done(request) {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

/** @param {IDBFactory} idb @returns {Promise<IDBDatabase>} */
function openDatabase(idb) {
  const request = idb.open(DATABASE, 1);
  request.onupgradeneeded = () => request.result.createObjectStore(STORE, { keyPath: 'id' });
  return done(request);
}

// "2026-12-09T06:10:00Z" to the second, as the window's copies say it.
/** @param {Date} date */
export const utcSeconds = (date) => `${date.toISOString().slice(0, 19)}Z`;

export class HotExit {
  /**
   * @param {() => SessionViews} session the session's calls that never wait (throws while one waits)
   * @param {{ files?: { entries: Map<string, FileSource> } | null, idb?: IDBFactory, locks?: LockManager | null,
   *   delay?: number, now?: () => Date, ask?: (offer: SnapshotOffer) => Promise<KeptChoice> }} [options]
   */
  constructor(session, { files = null, idb = globalThis.indexedDB, locks = globalThis.navigator?.locks ?? null,
    delay = KEEP_DELAY_MS, now = () => new Date(), ask = askInDialog } = {}) {
    this.session = session;
    this.files = files;
    this.idb = idb;
    this.locks = locks;
    this.delay = delay;
    this.now = now;
    this.ask = ask;
    this.id = globalThis.crypto?.randomUUID?.() ?? `${Date.now()}-${Math.random().toString(36).slice(2)}`;
    /** @type {Promise<IDBDatabase> | null} */
    this.database = null;
    /** @type {ReturnType<typeof setTimeout> | null} */
    this.timer = null;
    this.keeping = false;
  }

  // This page's lock, held while it lives, and the database.
  async start() {
    if (this.locks) {
      await new Promise((held) => {
        this.locks?.request(LOCK_PREFIX + this.id, () => {
          held(undefined);
          return new Promise(() => {});  // released when the page goes
        }).catch(() => held(undefined));
      });
    }
    this.database = this.idb ? openDatabase(this.idb) : null;
    await this.database?.catch(() => { this.database = null; });
    // A page put away or closed keeps a copy that is due at once.
    globalThis.document?.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'hidden') this.flush();
    });
  }

  // A copy that is due, kept now.
  flush() {
    if (this.timer === null) return;
    clearTimeout(this.timer);
    this.timer = null;
    void this.keepNow();
  }

  /**
   * After every change: a copy due within the delay while there are unsaved
   * changes (at most the delay after the first, however fast the typing),
   * none kept once there are none.
   * @param {boolean} modified
   */
  changed(modified) {
    if (modified) {
      this.timer ??= setTimeout(() => { this.timer = null; void this.keepNow(); }, this.delay);
    } else {
      if (this.timer !== null) clearTimeout(this.timer);
      this.timer = null;
      void this.forget();
    }
  }

  // The copy, now. While the engine is busy with a call that waits (a
  // transfer), it is tried again after the delay.
  async keepNow() {
    if (!this.database) return;
    const keptAt = utcSeconds(this.now());
    let text;
    let file;
    try {
      const now = this.session();
      if (!now.state().modified) return;
      text = now.snapshot(keptAt);
      file = now.state().filePath;
    } catch {
      this.changed(true);
      return;
    }
    const source = this.files?.entries.get(file);
    // A file's handle lets Save write the same file after a reload; a File or a download cannot be kept.
    const handle = source && typeof source === 'object' && 'createWritable' in source ? source : undefined;
    /** @type {KeptRecord} */
    const record = { id: this.id, keptAt, text, handle };
    this.keeping = true;
    try {
      await this.put(record);
    } catch {
      // A handle that cannot be stored: the copy without it.
      await this.put({ ...record, handle: undefined }).catch(() => {});
    }
  }

  /** @param {KeptRecord} record */
  async put(record) {
    const database = await this.database;
    if (!database) return;
    const transaction = database.transaction(STORE, 'readwrite');
    transaction.objectStore(STORE).put(record);
    await new Promise((resolve, reject) => {
      transaction.oncomplete = resolve;
      transaction.onerror = () => reject(transaction.error);
      transaction.onabort = () => reject(transaction.error);
    });
  }

  // This page's copy goes (saved or discarded).
  async forget() {
    if (!this.keeping) return;
    this.keeping = false;
    await this.remove(this.id);
  }

  /** @param {string} id */
  async remove(id) {
    const database = await this.database;
    if (!database) return;
    await done(database.transaction(STORE, 'readwrite').objectStore(STORE).delete(id)).catch(() => {});
  }

  /**
   * The copies of pages that are gone, newest first, that the engine takes as copies.
   * @returns {Promise<WaitingCopy[]>}
   */
  async waiting() {
    const database = await this.database;
    if (!database) return [];
    /** @type {KeptRecord[]} */
    const records = await done(database.transaction(STORE, 'readonly').objectStore(STORE).getAll()).catch(() => []);
    const held = new Set(((await this.locks?.query().catch(() => null))?.held ?? []).map((lock) => lock.name));
    /** @type {WaitingCopy[]} */
    const copies = [];
    for (const record of records) {
      if (record.id === this.id || held.has(LOCK_PREFIX + record.id) || typeof record.text !== 'string') continue;
      const offer = this.session().snapshotOffer(record.text);
      if (offer) copies.push({ id: record.id, text: record.text, offer, handle: record.handle });
    }
    return copies.sort((a, b) => (a.offer.keptAt < b.offer.keptAt ? 1 : a.offer.keptAt > b.offer.keptAt ? -1 : 0));
  }

  /**
   * Offers the waiting copies: Restore puts one back (the others wait for
   * the next start), Discard removes it, Later keeps it. True when one was
   * restored.
   * @param {(messages: Message[]) => Promise<void>} showMessages
   */
  async offerWaiting(showMessages) {
    for (const copy of await this.waiting()) {
      const choice = await this.ask(copy.offer);
      if (choice === 'later') continue;
      if (choice === 'discard') {
        await this.remove(copy.id);
        continue;
      }
      const restored = this.session().restoreSnapshot(copy.text);
      await showMessages(restored.messages);
      if (!restored.ok) continue;
      if (copy.handle && this.files) this.files.entries.set(this.session().state().filePath, copy.handle);
      // This page keeps the data now: its own copy first, then the old one goes.
      await this.keepNow();
      await this.remove(copy.id);
      return true;
    }
    return false;
  }
}

/**
 * The question of one copy, with Restore, Discard and Later (Escape).
 * @param {SnapshotOffer} offer
 * @returns {Promise<KeptChoice>}
 */
export async function askInDialog(offer) {
  const dialog = makeDialog({
    title: offer.title, id: 'kept-offer', body: [messageBody({ text: offer.question, icon: 'question' })],
    buttons: [
      { label: withoutAccelerator(offer.restore), value: 'restore', primary: true },
      { label: withoutAccelerator(offer.discard), value: 'discard' },
      { label: withoutAccelerator(offer.later), value: 'later' },
    ],
  });
  dialog.setAttribute('aria-describedby', dialog.querySelector('.message > div')?.id ?? '');
  const choice = await showDialog(dialog, { escape: 'later' });
  return choice === 'restore' || choice === 'discard' ? choice : 'later';
}
