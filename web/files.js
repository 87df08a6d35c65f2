// The user's files in the browser: the ones picked or dropped, kept by name
// for the engine to read and write (src/web/WebSession.h: readFile,
// writeFile). Where the browser has the File System Access API, a file keeps
// its handle, so Save writes the same file again; elsewhere a write is a
// download of that name.

import { fillPlaceholders } from './language.js';
import { menuWord, word } from './words.js';

/**
 * A file the user picked: its handle where the browser gives one, else the
 * file itself; null: a download of that name.
 * @typedef {FileSystemFileHandle | File | null} FileSource
 */
/** @typedef {import('./rp770.js').FileResult} FileResult */
/** @typedef {import('./menus.js').MenuEntry} MenuEntry */
/**
 * What the File System Access API adds to the window, where the browser has it.
 * @typedef {{ description: string, accept: Record<string, string[]> }} FilePickerType
 * @typedef {{
 *   showOpenFilePicker?: (options: { id: string, types: FilePickerType[] }) => Promise<FileSystemFileHandle[]>,
 *   showSaveFilePicker?: (options: { id: string, suggestedName: string, types: FilePickerType[] }) =>
 *     Promise<FileSystemFileHandle>,
 * }} FilePickers
 * @typedef {FileSystemFileHandle & {
 *   requestPermission?: (options: { mode: string }) => Promise<string>,
 *   createWritable?: () => Promise<{ write(bytes: Uint8Array): Promise<void>, close(): Promise<void> }>,
 * }} WritableHandle
 */

/** @type {Record<string, FilePickerType>} */
export const FILE_TYPES = {
  data: { description: word('FileTypeData'), accept: { 'application/octet-stream': ['.dat', '.hex'] } },
  dat: { description: word('FileTypeSettings'), accept: { 'text/plain': ['.dat'] } },
  hex: { description: word('FileTypeImage'), accept: { 'application/octet-stream': ['.hex'] } },
  csv: { description: word('FileTypeCsv'), accept: { 'text/csv': ['.csv'] } },
  txt: { description: word('FileTypeText'), accept: { 'text/plain': ['.txt'] } },
};

/** @type {Record<string, string>} */
const MIME = { dat: 'text/plain', hex: 'application/octet-stream', csv: 'text/csv', txt: 'text/plain' };

/** @param {string} name */
function extensionOf(name) {
  const dot = name.lastIndexOf('.');
  return dot < 0 ? '' : name.slice(dot + 1).toLowerCase();
}

// How the engine names a failure: "notFound", "denied" or another kind.
/** @param {any} error @returns {FileResult} */
function failure(error) {
  const name = error?.name;
  if (name === 'NotFoundError') return { ok: false, kind: 'notFound', reason: word('ErrnoNoSuchFile') };
  if (name === 'NotAllowedError' || name === 'SecurityError') {
    return { ok: false, kind: 'denied', reason: word('ErrnoPermissionDenied') };
  }
  if (name === 'NotReadableError') return { ok: false, kind: 'other', reason: word('FileCouldNotBeRead') };
  if (name === 'QuotaExceededError') return { ok: false, kind: 'other', reason: word('NoSpaceOnDevice') };
  return { ok: false, kind: 'other', reason: String(error?.message ?? error) };
}

// A download of the bytes under the name (the browser's own folder).
/** @param {string} name @param {Uint8Array<ArrayBuffer>} bytes */
export function download(name, bytes) {
  const url = URL.createObjectURL(new Blob([bytes], { type: MIME[extensionOf(name)] ?? 'application/octet-stream' }));
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  a.hidden = true;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

export class FileStore {
  /** @param {{ save?: (name: string, bytes: Uint8Array<ArrayBuffer>) => void }} [options] */
  constructor({ save = download } = {}) {
    /** @type {Map<string, FileSource>} name -> a handle, a File, or null (written as a download) */
    this.entries = new Map();
    this.save = save;
  }

  // Keeps the file under its name from now on (an opened file, a chosen
  // place to save in); a name taken before is replaced.
  /** @param {string} name @param {FileSource | undefined} source */
  keep(name, source) {
    this.entries.set(name, source ?? null);
    return name;
  }

  // The file under its name for the length of `operation` only (a file
  // compared or imported, an export): the file kept under that name before
  // stays the one Save writes.
  /**
   * @template T
   * @param {string} name
   * @param {FileSource | undefined} source
   * @param {(name: string) => Promise<T>} operation
   * @returns {Promise<T>}
   */
  async lend(name, source, operation) {
    const had = this.entries.has(name);
    const before = this.entries.get(name);
    this.entries.set(name, source ?? null);
    try {
      return await operation(name);
    } finally {
      if (had) this.entries.set(name, before ?? null);
      else this.entries.delete(name);
    }
  }

  /** @param {string} name @returns {Promise<FileResult>} */
  async read(name) {
    const source = this.entries.get(name);
    if (!source) return { ok: false, kind: 'notFound', reason: word('ErrnoNoSuchFile') };
    try {
      const file = 'getFile' in source ? await source.getFile() : source;
      return { ok: true, bytes: new Uint8Array(await file.arrayBuffer()) };
    } catch (error) {
      return failure(error);
    }
  }

  /** @param {string} name @param {Uint8Array<ArrayBuffer>} bytes @returns {Promise<FileResult>} */
  async write(name, bytes) {
    const source = /** @type {WritableHandle | File | null | undefined} */ (this.entries.get(name));
    try {
      if (source && 'createWritable' in source && typeof source.createWritable === 'function') {
        if (typeof source.requestPermission === 'function' &&
            (await source.requestPermission({ mode: 'readwrite' })) !== 'granted') {
          return { ok: false, kind: 'denied', reason: word('ErrnoPermissionDenied') };
        }
        const writable = await source.createWritable();
        await writable.write(bytes);
        await writable.close();  // the file is replaced only now, whole
      } else {
        this.save(name, bytes);
      }
      return { ok: true };
    } catch (error) {
      return failure(error);
    }
  }
}

// Asks the user for a file to open: {name, source}, or null when cancelled.
// `kind`: a key of FILE_TYPES.
/** @param {string} kind @returns {Promise<{ name: string, source: FileSource } | null>} */
export async function pickFile(kind) {
  const pickers = /** @type {FilePickers} */ (/** @type {unknown} */ (window));
  if (typeof pickers.showOpenFilePicker === 'function') {
    try {
      const [handle] = await pickers.showOpenFilePicker({ id: `rp770-${kind}`, types: [FILE_TYPES[kind]] });
      return { name: handle.name, source: handle };
    } catch (error) {
      if (/** @type {Error} */ (error)?.name === 'AbortError') return null;
      throw error;
    }
  }
  const input = document.createElement('input');
  input.type = 'file';
  input.accept = Object.values(FILE_TYPES[kind].accept).flat().join(',');
  input.hidden = true;
  document.body.append(input);
  try {
    /** @type {File | null} */
    const file = await new Promise((resolve) => {
      input.addEventListener('change', () => resolve(input.files?.[0] ?? null));
      input.addEventListener('cancel', () => resolve(null));
      input.click();
    });
    return file ? { name: file.name, source: file } : null;
  } finally {
    input.remove();
  }
}

// Asks where to save: {name, source} (source null: a download of that
// name), or null when cancelled. `askName(suggested)` is the page's own
// question for a download's name, where the browser cannot ask for a file.
/**
 * @param {string} kind
 * @param {string} suggestedName
 * @param {(suggested: string) => Promise<string | null>} askName
 * @returns {Promise<{ name: string, source: FileSource } | null>}
 */
export async function pickSaveFile(kind, suggestedName, askName) {
  const pickers = /** @type {FilePickers} */ (/** @type {unknown} */ (window));
  if (typeof pickers.showSaveFilePicker === 'function') {
    try {
      const handle = await pickers.showSaveFilePicker({ id: `rp770-${kind}`, suggestedName, types: [FILE_TYPES[kind]] });
      return { name: handle.name, source: handle };
    } catch (error) {
      if (/** @type {Error} */ (error)?.name === 'AbortError') return null;
      throw error;
    }
  }
  let name = await askName(suggestedName);
  if (!name) return null;
  if (!extensionOf(name)) name += `.${kind}`;
  return { name, source: null };
}

// The file a drop carries: {name, source}, with its handle where the
// browser gives one. Call it in the drop event itself: the drop's data are
// gone once the event has been handled.
/** @param {DataTransfer | null} dataTransfer @returns {Promise<{ name: string, source: FileSource } | null>} */
export async function droppedFile(dataTransfer) {
  const item = /** @type {(DataTransferItem & { getAsFileSystemHandle?: () => Promise<FileSystemHandle | null> }) | undefined} */
    ([...(dataTransfer?.items ?? [])].find((i) => i.kind === 'file'));
  const file = item?.getAsFile() ?? dataTransfer?.files?.[0] ?? null;
  const handle = typeof item?.getAsFileSystemHandle === 'function' ? item.getAsFileSystemHandle() : null;
  try {
    const h = await handle;
    if (h?.kind === 'file') return { name: h.name, source: /** @type {FileSystemFileHandle} */ (h) };
  } catch {
    // The file itself will do.
  }
  return file ? { name: file.name, source: file } : null;
}

// ---- Recent Files ------------------------------------------------------------------

/** @typedef {{ name: string, handle: FileSystemFileHandle | null }} RecentFile */
/**
 * Where the list is kept: IndexedDB where the browser has it (a file's handle
 * is kept there, so the file opens again without a picker), else the names
 * alone in localStorage.
 * @typedef {{ load(): Promise<RecentFile[]>, store(files: RecentFile[]): Promise<void> }} RecentStore
 */

export const RECENT_FILES_KEY = 'RP770/Page/RecentFiles';
const RECENT_DB = 'rp770';
const RECENT_TABLE = 'recent';

/** @param {IDBRequest | IDBTransaction} request @returns {Promise<any>} */
const settled = (request) => new Promise((resolve, reject) => {
  if ('oncomplete' in request) {
    request.oncomplete = () => resolve(undefined);
    request.onabort = request.onerror = () => reject(request.error);
  } else {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  }
});

/** @param {IDBFactory} idb @returns {RecentStore} */
export function indexedRecentStore(idb = globalThis.indexedDB) {
  const opened = (async () => {
    const request = idb.open(RECENT_DB, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(RECENT_TABLE);
    return /** @type {IDBDatabase} */ (await settled(request));
  })();
  return {
    async load() {
      const db = await opened;
      const files = await settled(db.transaction(RECENT_TABLE).objectStore(RECENT_TABLE).get('files'));
      return Array.isArray(files) ? files : [];
    },
    async store(files) {
      const db = await opened;
      const transaction = db.transaction(RECENT_TABLE, 'readwrite');
      try {
        transaction.objectStore(RECENT_TABLE).put(files, 'files');
      } catch (error) {
        // A handle the browser cannot keep: the names at least.
        if (/** @type {Error} */ (error)?.name !== 'DataCloneError') throw error;
        transaction.objectStore(RECENT_TABLE).put(files.map((f) => ({ name: f.name, handle: null })), 'files');
      }
      await settled(transaction);
    },
  };
}

/** @param {Pick<Storage, 'getItem' | 'setItem'>} storage @returns {RecentStore} */
export function namedRecentStore(storage = globalThis.localStorage) {
  return {
    async load() {
      try {
        const names = JSON.parse(storage.getItem(RECENT_FILES_KEY) ?? '[]');
        return Array.isArray(names) ? names.filter((n) => typeof n === 'string').map((name) => ({ name, handle: null })) : [];
      } catch {
        return [];
      }
    },
    async store(files) {
      storage.setItem(RECENT_FILES_KEY, JSON.stringify(files.map((f) => f.name)));
    },
  };
}

// The files opened last, newest first, as the window's File menu lists them.
export class RecentFiles {
  static MAX = 8;

  /** @param {RecentStore[]} stores the first that works is used */
  constructor(stores) {
    this.stores = stores;
    /** @type {RecentFile[]} */
    this.list = [];
    /** @type {RecentStore | null} */
    this.store = null;
  }

  async load() {
    for (const store of this.stores) {
      try {
        this.list = (await store.load()).slice(0, RecentFiles.MAX);
        this.store = store;
        return this.list;
      } catch {
        // The next way of keeping it.
      }
    }
    return this.list;
  }

  // Puts the file first; an older entry of it goes, the ninth falls off.
  /** @param {string} name @param {FileSource | undefined} source */
  async add(name, source) {
    const handle = source && 'getFile' in source ? source : null;
    /** @type {RecentFile[]} */
    const kept = [];
    for (const f of this.list) {
      if (f.name === name && (!handle || !f.handle || (await handle.isSameEntry(f.handle).catch(() => false)))) continue;
      kept.push(f);
    }
    this.list = [{ name, handle }, ...kept].slice(0, RecentFiles.MAX);
    await this.save();
  }

  /** @param {RecentFile} file */
  async remove(file) {
    this.list = this.list.filter((f) => f !== file);
    await this.save();
  }

  async save() {
    try {
      await this.store?.store(this.list);
    } catch {
      // Not kept past this page: the list still works until then.
    }
  }

  // The file to open again: its handle (read permission asked where it is
  // needed), else the user picks it again. null: not to be opened (no
  // permission, or the picker cancelled); `gone`: the file is no longer there.
  /**
   * @param {RecentFile} file
   * @param {(kind: string) => Promise<{ name: string, source: FileSource } | null>} pick
   * @returns {Promise<{ name: string, source: FileSource } | { gone: true } | null>}
   */
  async reopen(file, pick = pickFile) {
    const handle = /** @type {FileSystemFileHandle & { queryPermission?: Function, requestPermission?: Function }} */
      (file.handle);
    if (!handle) return pick('data');
    if (typeof handle.requestPermission === 'function') {
      const asked = { mode: 'read' };
      const state = await handle.queryPermission?.(asked);
      if (state !== 'granted' && (await handle.requestPermission(asked)) !== 'granted') return null;
    }
    try {
      await handle.getFile();
    } catch (error) {
      if (/** @type {Error} */ (error)?.name === 'NotFoundError') {
        await this.remove(file);
        return { gone: true };
      }
      throw error;
    }
    return { name: handle.name, source: handle };
  }
}

// The File menu's recent files, as the window lists them ("1 MR318.dat"):
// none while the list is empty.
/** @param {RecentFiles} recent @param {(file: RecentFile) => unknown} open @returns {MenuEntry[]} */
export function recentMenuEntries(recent, open) {
  if (!recent.list.length) return [];
  const pattern = menuWord('MenuFileRecentEntry');
  return [{ separator: true }, { group: menuWord('MenuFileRecent') },
    ...recent.list.map((file, i) => ({ label: fillPlaceholders(pattern, [i + 1, file.name]), action: () => open(file),
      id: `mnuFileRecent${i}` }))];
}
