// What the page keeps of the radios, in the browser's IndexedDB: the memory
// images read from radios and the records of radios left partly
// programmed, as named files. The engine's keeper names them, bounds them
// and reads them back; it sees them as a flat store it reads and writes at
// once, so every file is loaded before the session starts and each change
// is written through to the database in the background, in order.
//
//   const kept = await KeptFiles.open();
//   kept.write('20261209T061500Z-MR318-211234560-read-1.hex', bytes);
//   kept.entries();   // [{name, size}]
//   await kept.settled();

export const KEPT_DATABASE = 'rp770-kept';
const STORE = 'files';

/** @typedef {{ name: string, size: number }} KeptEntry */

/**
 * @template T
 * @param {IDBRequest<T>} request
 * @returns {Promise<T>}
 */
const done = (request) => new Promise((resolve, reject) => {
  request.onsuccess = () => resolve(request.result);
  request.onerror = () => reject(request.error);
});

/** @param {IDBFactory} factory @param {string} name @returns {Promise<IDBDatabase>} */
function openDatabase(factory, name) {
  const request = factory.open(name, 1);
  request.onupgradeneeded = () => request.result.createObjectStore(STORE);
  return done(request);
}

/** @param {IDBDatabase} db @returns {Promise<Map<string, Uint8Array>>} */
async function readAll(db) {
  const store = db.transaction(STORE, 'readonly').objectStore(STORE);
  const [names, values] = await Promise.all([done(store.getAllKeys()), done(store.getAll())]);
  const files = new Map();
  names.forEach((name, i) => {
    if (typeof name === 'string' && values[i] instanceof Uint8Array) files.set(name, values[i]);
  });
  return files;
}

export class KeptFiles {
  /** @param {IDBDatabase | null} db @param {Map<string, Uint8Array>} files */
  constructor(db = null, files = new Map()) {
    this.db = db;
    this.files = files;
    /** @type {Promise<void>} */
    this.pending = Promise.resolve();
    /** @type {DOMException | null} why the last change could not be written */
    this.failure = null;
    /** @type {((error: DOMException | null) => void) | null} a change could not be written */
    this.onfailure = null;
  }

  // The kept files of the page's origin. Without IndexedDB (switched off,
  // or a private window that refuses it) they are kept for this visit only.
  static async open(factory = globalThis.indexedDB, name = KEPT_DATABASE) {
    if (!factory) return new KeptFiles();
    try {
      const db = await openDatabase(factory, name);
      // Another tab's newer page may change the database: this one lets go.
      db.onversionchange = () => db.close();
      return new KeptFiles(db, await readAll(db));
    } catch (error) {
      console.warn('Kept radio images for this visit only:', error);
      return new KeptFiles();
    }
  }

  /** @param {string} name @param {Uint8Array} bytes */
  write(name, bytes) {
    const copy = new Uint8Array(bytes);
    this.files.set(name, copy);
    this.store((store) => store.put(copy, name));
  }

  /** @param {string} name @returns {Uint8Array | null} */
  read(name) {
    return this.files.get(name) ?? null;
  }

  /** @param {string} name */
  remove(name) {
    if (this.files.delete(name)) this.store((store) => store.delete(name));
  }

  /** @returns {KeptEntry[]} */
  entries() {
    return [...this.files].map(([name, bytes]) => ({ name, size: bytes.length }));
  }

  // Every change so far written (or failed: `failure` says why).
  settled() {
    return this.pending;
  }

  // The files as the database holds them now (another of the page's tabs
  // may have kept some meanwhile), once this one's changes are written.
  async refresh() {
    if (!this.db) return;
    await this.settled();
    try {
      this.files = await readAll(this.db);
    } catch {
      // The database went away: what this tab holds stays.
    }
  }

  /** @param {DOMException | null} error */
  failed(error) {
    this.failure = error;
    try {
      this.onfailure?.(error);
    } catch (thrown) {
      console.error(thrown);
    }
  }

  // A change in a transaction of its own: IndexedDB runs them in the order
  // they were made.
  /** @param {(store: IDBObjectStore) => void} change */
  store(change) {
    const db = this.db;
    if (!db) return;
    const written = new Promise((resolve) => {
      try {
        const transaction = db.transaction(STORE, 'readwrite');
        change(transaction.objectStore(STORE));
        transaction.oncomplete = () => resolve(undefined);
        transaction.onerror = transaction.onabort = () => {
          this.failed(transaction.error);
          resolve(undefined);
        };
      } catch (error) {
        this.failed(/** @type {DOMException} */ (error));
        resolve(undefined);
      }
    });
    this.pending = this.pending.then(() => written);
  }
}
