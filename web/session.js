// The application session in the page: the engine's WebSession with the
// page's services (src/web/WebSession.h), and the one place that decides
// when the engine may be called. A call that may wait (a file, a question,
// the radio) runs through run(), one at a time; while it waits the engine
// is suspended in the middle of it, and every other call is refused.
//
//   const session = new PageSession(engine, { ask, chooseSaveFile, progress, activity, monitor },
//                                   files, localStorage, '/D');
//   await session.run((s) => s.open('boat.dat', 'name'));  // may wait
//   session.now.channelList('USA');                         // never waits
//
// `files` reads and writes the user's files by name (files.js's FileStore,
// or any object with read(name) and write(name, bytes) giving promises of
// {ok, bytes, kind, reason} that never reject). `kept`: where the radios'
// kept memory images go (keep.js's KeptFiles); without it, none are kept
// beyond the session.

import { LinkRuntime } from './engine.js';

/** @typedef {import('./rp770.js').Engine} Engine */
/** @typedef {import('./rp770.js').EngineFunctions} EngineFunctions */
/** @typedef {import('./rp770.js').FileResult} FileResult */
/** @typedef {import('./rp770.js').SessionCommands} SessionCommands */
/** @typedef {import('./rp770.js').SessionViews} SessionViews */
/** @typedef {import('./rp770.js').WebSession} WebSession */
/** @typedef {import('./engine.js').EngineHooks} EngineHooks */
/** @typedef {import('./serial.js').SerialConnection} SerialConnection */

/**
 * @typedef {object} FileAccess
 * @property {(name: string) => Promise<FileResult>} read
 * @property {(name: string, bytes: Uint8Array<ArrayBuffer>) => Promise<FileResult>} write
 */

/** @typedef {{ getItem(key: string): string | null, setItem(key: string, value: string): void }} KeyStorage */
/** @typedef {import('./keep.js').KeptFiles} KeptFiles */

export class SessionRuntime extends LinkRuntime {
  /**
   * @param {EngineHooks} hooks
   * @param {FileAccess} files
   * @param {KeyStorage | null | undefined} storage
   * @param {KeptFiles | null} [kept]
   */
  constructor(hooks, files, storage, kept = null) {
    super(hooks);
    this.files = files;
    this.storage = storage;
    this.kept = kept;
  }

  // The kept files, read and written at once (keep.js).
  keeping() {
    return Boolean(this.kept);
  }

  /** @param {string} name @param {Uint8Array} bytes */
  keptWrite(name, bytes) {
    this.kept?.write(name, bytes);
  }

  /** @param {string} name */
  keptRead(name) {
    return this.kept?.read(name) ?? null;
  }

  /** @param {string} name */
  keptRemove(name) {
    this.kept?.remove(name);
  }

  keptEntries() {
    return this.kept?.entries() ?? [];
  }

  /** @param {string} key */
  storageGet(key) {
    try {
      return this.storage?.getItem(key) ?? null;
    } catch {
      return null;  // storage switched off: nothing remembered
    }
  }

  /** @param {string} key @param {string} value */
  storageSet(key, value) {
    try {
      this.storage?.setItem(key, value);
    } catch {
      // Storage full or switched off: the choice holds for this visit only.
    }
  }

  /** @param {string} name */
  readFile(name) {
    return settled(() => this.files.read(name));
  }

  /** @param {string} name @param {Uint8Array} bytes */
  writeFile(name, bytes) {
    return settled(() => this.files.write(name, new Uint8Array(bytes)));
  }

  /** @param {'data' | 'hex' | 'csv'} kind @returns {Promise<string | null>} */
  chooseOpenFile(kind) {
    const { chooseOpenFile } = this.hooks;
    if (!chooseOpenFile) return Promise.resolve(null);
    return Promise.resolve()
      .then(() => chooseOpenFile(kind))
      .then((name) => (typeof name === 'string' && name ? name : null), () => null);
  }

  /** @returns {Promise<string | null>} */
  chooseSaveFile() {
    const { chooseSaveFile } = this.hooks;
    if (!chooseSaveFile) return Promise.resolve(null);
    return Promise.resolve()
      .then(() => chooseSaveFile())
      .then((name) => (typeof name === 'string' && name ? name : null), () => null);
  }
}

/**
 * A promise of the file operation's result that never rejects.
 * @param {() => Promise<FileResult>} operation
 * @returns {Promise<FileResult>}
 */
function settled(operation) {
  return Promise.resolve()
    .then(operation)
    .catch((error) => ({ ok: false, kind: 'other', reason: String(error?.message ?? error) }));
}

export class PageSession {
  /**
   * @param {Engine} engine
   * @param {EngineHooks} hooks
   * @param {FileAccess} files
   * @param {KeyStorage | null | undefined} storage
   * @param {string} switchLine the window's switches ("/D": debug mode)
   * @param {KeptFiles | null} [kept]
   */
  constructor(engine, hooks, files, storage, switchLine = '', kept = null) {
    this.engine = engine;
    this.runtime = new SessionRuntime(hooks, files, storage, kept);
    /** @type {WebSession} */
    this.session = new engine.WebSession(this.runtime, switchLine);
    this.running = false;
    // True while the call that waits is a transfer with the radio.
    this.transferring = false;
    /** @type {(() => void)[]} what waits for the running call's end */
    this.afterRun = [];
    /** @type {SerialConnection | null} */
    this.connection = null;
  }

  get hooks() { return this.runtime.hooks; }
  set hooks(hooks) { this.runtime.hooks = hooks; }

  // True while a call waits inside the engine.
  get busy() { return this.running; }

  /**
   * The session's calls that never wait; refused while a call waits.
   * @returns {SessionViews}
   */
  get now() {
    this.idle();
    return this.session;
  }

  /**
   * The engine's functions that belong to no session (the boxes' key rules
   * and checks, the screens' hints, the version), which never wait.
   * @returns {EngineFunctions}
   */
  get functions() {
    this.idle();
    return this.engine;
  }

  /**
   * A call that may wait (a file, a question, the radio): a promise of its
   * result. One at a time: refused while another waits.
   * @template T
   * @param {(session: SessionCommands) => T | Promise<T>} call
   * @returns {Promise<T>}
   */
  async run(call) {
    this.idle();
    this.running = true;
    this.runtime.cancelled = false;
    try {
      return await call(this.session);
    } finally {
      this.running = false;
      this.runtime.cancelled = false;
      for (const work of this.afterRun.splice(0)) work();
    }
  }

  /**
   * A transfer with the radio, run as run() runs a call: `transferring`
   * meanwhile (the page asks before it is left).
   * @template T
   * @param {(session: SessionCommands) => T | Promise<T>} call
   * @returns {Promise<T>}
   */
  async transfer(call) {
    this.idle();
    this.transferring = true;
    try {
      return await this.run(call);
    } finally {
      this.transferring = false;
    }
  }

  // Does `work` now, or once the call that waits has ended.
  /** @param {() => void} work */
  whenIdle(work) {
    if (this.running) this.afterRun.push(work);
    else work();
  }

  idle() {
    if (this.running) throw new Error('The engine is busy with a call that waits: this must wait for its end');
  }

  // The Cancel button of a running transfer.
  cancel() {
    if (!this.running) return;
    this.runtime.cancelled = true;
    this.runtime.wake();
  }

  /**
   * A port of serial.js, named as messages name it.
   * @param {SerialConnection} connection
   * @param {string} device
   */
  useSerialPort(connection, device) {
    this.now.useSerialPort(connection, device);
    if (this.connection) this.connection.onchange = null;
    this.connection = connection;
    connection.onchange = () => this.runtime.wake();
  }

  // The simulated radio on a virtual cable: transfers take no real time.
  useSimulatedRadio(faults = '') {
    const error = this.now.useSimulatedRadio(faults);
    if (error) throw new Error(error);
    if (this.connection) this.connection.onchange = null;
    this.connection = null;
  }
}
