// The application session in the page: the engine's WebSession with the
// page's services (src/web/WebSession.h), one engine call at a time.
//
//   const session = new PageSession(engine, { ask, chooseSaveFile, progress, activity, monitor },
//                                   files, localStorage, '/D');
//   await session.run('open', 'boat.dat', 'name');  // may wait: a file, a question, the radio
//   session.now('channelList', 'USA');              // never waits
//
// `files` reads and writes the user's files by name (files.js's FileStore,
// or any object with read(name) and write(name, bytes) giving promises of
// {ok, bytes, kind, reason} that never reject).

import { LinkRuntime, runSuspending } from './engine.js';

export class SessionRuntime extends LinkRuntime {
  constructor(hooks, files, storage) {
    super(hooks);
    this.files = files;
    this.storage = storage;
  }

  storageGet(key) {
    try {
      return this.storage?.getItem(key) ?? null;
    } catch {
      return null;  // storage switched off: nothing remembered
    }
  }

  storageSet(key, value) {
    try {
      this.storage?.setItem(key, value);
    } catch {
      // Storage full or switched off: the choice holds for this visit only.
    }
  }

  readFile(name) {
    return settled(() => this.files.read(name));
  }

  writeFile(name, bytes) {
    return settled(() => this.files.write(name, new Uint8Array(bytes)));
  }

  chooseSaveFile() {
    if (!this.hooks.chooseSaveFile) return Promise.resolve(null);
    return Promise.resolve()
      .then(() => this.hooks.chooseSaveFile())
      .then((name) => (typeof name === 'string' && name ? name : null), () => null);
  }
}

// A promise of the file operation's result that never rejects.
function settled(operation) {
  return Promise.resolve()
    .then(operation)
    .catch((error) => ({ ok: false, kind: 'other', reason: String(error?.message ?? error) }));
}

export class PageSession {
  constructor(engine, hooks, files, storage, switchLine = '') {
    this.engine = engine;
    this.runtime = new SessionRuntime(hooks, files, storage);
    this.session = new engine.WebSession(this.runtime, switchLine);
    this.queue = Promise.resolve();
    this.pending = 0;
    this.connection = null;
  }

  get hooks() { return this.runtime.hooks; }
  set hooks(hooks) { this.runtime.hooks = hooks; }

  // True while a call waits inside the engine, or waits its turn.
  get busy() { return this.pending > 0; }

  // A call that may wait (a file, a question, the radio), after those before it.
  run(name, ...args) {
    ++this.pending;
    const call = this.queue
      .then(() => {
        this.runtime.cancelled = false;
        return runSuspending(this.engine, () => this.session[name](...args));
      })
      .finally(() => { --this.pending; });
    this.queue = call.catch(() => {});
    return call;
  }

  // A call that never waits; refused while another call is under way.
  now(name, ...args) {
    if (this.busy) throw new Error(`The engine is busy: ${name} must wait`);
    return this.session[name](...args);
  }

  // The boxes' key rules and checks, which never wait: frequencyKeyAllowed,
  // frequencyKeyTyped, atisKeyAllowed, displayKeyAllowed (with code points),
  // expFrequencyValid, atisCodeValid (with texts).
  rule(name, ...args) {
    if (this.busy) throw new Error(`The engine is busy: ${name} must wait`);
    return this.engine[name](...args);
  }

  // The Cancel button of a running transfer.
  cancel() {
    this.runtime.cancelled = true;
    this.runtime.wake();
  }

  // A port object of serial.js (SerialConnection), named as messages name it.
  useSerialPort(connection, device) {
    if (this.connection) this.connection.onchange = null;
    this.connection = connection;
    connection.onchange = () => this.runtime.wake();
    this.now('useSerialPort', connection, device);
  }

  // The simulated radio on a virtual cable: transfers take no real time.
  useSimulatedRadio(faults = '') {
    const error = this.now('useSimulatedRadio', faults);
    if (error) throw new Error(error);
    if (this.connection) this.connection.onchange = null;
    this.connection = null;
  }
}
