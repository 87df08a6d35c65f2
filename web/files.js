// The user's files in the browser: the ones picked or dropped, kept by name
// for the engine to read and write (src/web/WebSession.h: readFile,
// writeFile). Where the browser has the File System Access API, a file keeps
// its handle, so Save writes the same file again; elsewhere a write is a
// download of that name.

export const FILE_TYPES = {
  data: { description: 'MR318 radio settings or memory image', accept: { 'application/octet-stream': ['.dat', '.hex'] } },
  dat: { description: 'MR318 radio settings', accept: { 'text/plain': ['.dat'] } },
  hex: { description: 'MR318 radio memory image', accept: { 'application/octet-stream': ['.hex'] } },
  csv: { description: 'Channel table (CSV)', accept: { 'text/csv': ['.csv'] } },
  txt: { description: 'Text files', accept: { 'text/plain': ['.txt'] } },
};

const MIME = { dat: 'text/plain', hex: 'application/octet-stream', csv: 'text/csv', txt: 'text/plain' };

function extensionOf(name) {
  const dot = name.lastIndexOf('.');
  return dot < 0 ? '' : name.slice(dot + 1).toLowerCase();
}

// How the engine names a failure: "notFound", "denied" or another kind.
function failure(error) {
  const name = error?.name;
  if (name === 'NotFoundError') return { ok: false, kind: 'notFound', reason: 'No such file or directory' };
  if (name === 'NotAllowedError' || name === 'SecurityError') {
    return { ok: false, kind: 'denied', reason: 'Permission denied' };
  }
  if (name === 'NotReadableError') return { ok: false, kind: 'other', reason: 'The file could not be read' };
  if (name === 'QuotaExceededError') return { ok: false, kind: 'other', reason: 'No space left on the device' };
  return { ok: false, kind: 'other', reason: String(error?.message ?? error) };
}

// A download of the bytes under the name (the browser's own folder).
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
  constructor({ save = download } = {}) {
    this.entries = new Map();  // name -> a FileSystemFileHandle, a File, or null (written as a download)
    this.save = save;
  }

  // Keeps the file under its name from now on (an opened file, a chosen
  // place to save in); a name taken before is replaced.
  keep(name, source) {
    this.entries.set(name, source ?? null);
    return name;
  }

  // The file under its name for the length of `operation` only (a file
  // compared or imported, an export): the file kept under that name before
  // stays the one Save writes.
  async lend(name, source, operation) {
    const had = this.entries.has(name);
    const before = this.entries.get(name);
    this.entries.set(name, source ?? null);
    try {
      return await operation(name);
    } finally {
      if (had) this.entries.set(name, before);
      else this.entries.delete(name);
    }
  }

  async read(name) {
    const source = this.entries.get(name);
    if (!source) return { ok: false, kind: 'notFound', reason: 'No such file or directory' };
    try {
      const file = typeof source.getFile === 'function' ? await source.getFile() : source;
      return { ok: true, bytes: new Uint8Array(await file.arrayBuffer()) };
    } catch (error) {
      return failure(error);
    }
  }

  async write(name, bytes) {
    const source = this.entries.get(name);
    try {
      if (source && typeof source.createWritable === 'function') {
        if (typeof source.requestPermission === 'function' &&
            (await source.requestPermission({ mode: 'readwrite' })) !== 'granted') {
          return { ok: false, kind: 'denied', reason: 'Permission denied' };
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
export async function pickFile(kind) {
  if (typeof window.showOpenFilePicker === 'function') {
    try {
      const [handle] = await window.showOpenFilePicker({ id: `rp770-${kind}`, types: [FILE_TYPES[kind]] });
      return { name: handle.name, source: handle };
    } catch (error) {
      if (error?.name === 'AbortError') return null;
      throw error;
    }
  }
  const input = document.createElement('input');
  input.type = 'file';
  input.accept = Object.values(FILE_TYPES[kind].accept).flat().join(',');
  input.hidden = true;
  document.body.append(input);
  try {
    const file = await new Promise((resolve) => {
      input.addEventListener('change', () => resolve(input.files[0] ?? null));
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
export async function pickSaveFile(kind, suggestedName, askName) {
  if (typeof window.showSaveFilePicker === 'function') {
    try {
      const handle = await window.showSaveFilePicker({ id: `rp770-${kind}`, suggestedName, types: [FILE_TYPES[kind]] });
      return { name: handle.name, source: handle };
    } catch (error) {
      if (error?.name === 'AbortError') return null;
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
export async function droppedFile(dataTransfer) {
  const item = [...(dataTransfer?.items ?? [])].find((i) => i.kind === 'file');
  const file = item?.getAsFile() ?? dataTransfer?.files?.[0] ?? null;
  const handle = typeof item?.getAsFileSystemHandle === 'function' ? item.getAsFileSystemHandle() : null;
  try {
    const h = await handle;
    if (h?.kind === 'file') return { name: h.name, source: h };
  } catch {
    // The file itself will do.
  }
  return file ? { name: file.name, source: file } : null;
}
