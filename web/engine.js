// The engine in a page or under Node: loads rp770.wasm once, makes module
// instances from it, and wraps the radio link for the page.
//
//   const engine = await loadEngine();
//   const link = new RadioLink(engine, { ask, progress, activity });
//   link.useSerialPort(new SerialConnection(port), 'USB serial port');
//   const { completed, image, messages } = await link.read();
//   link.cancel();  // from the page's Cancel button, while a transfer runs
//
// The engine suspends itself while the link waits and resumes when bytes
// arrive, Cancel is pressed or a short timer fires: the page stays live.

import createRp770 from './rp770.js';

const compiled = new Map();  // wasm URL -> promise of its WebAssembly.Module

function isNode() {
  return typeof process === 'object' && typeof process.versions?.node === 'string';
}

async function compile(url) {
  if (isNode()) {
    const { readFile } = await import('node:fs/promises');
    return WebAssembly.compile(await readFile(url));
  }
  const response = fetch(url, { credentials: 'same-origin' });
  try {
    return await WebAssembly.compileStreaming(response);
  } catch {
    // A server that does not say application/wasm.
    return WebAssembly.compile(await (await fetch(url, { credentials: 'same-origin' })).arrayBuffer());
  }
}

// Engine instances suspended in a transfer.
const suspended = new WeakSet();

// While a transfer waits, its engine instance is suspended in the middle of
// a call: another call into it would come back as a promise of the
// transfer's end, and the transfer's own result would be lost. Such a call
// throws instead. (The engine's functions carry embind's argCount; its
// classes, embind's isDeleted.)
function guardSuspension(engine) {
  const guard = (f, name) => function guarded(...args) {
    if (suspended.has(engine)) throw new Error(`The engine is busy with a transfer: ${name} must wait for its end`);
    return f.apply(this, args);
  };
  for (const [name, value] of Object.entries(engine)) {
    if (typeof value !== 'function') continue;
    if (typeof value.prototype?.isDeleted === 'function') {
      for (const key of Object.getOwnPropertyNames(value.prototype)) {
        if (key !== 'constructor') value.prototype[key] = guard(value.prototype[key], `${name}.${key}`);
      }
    } else if (typeof value.argCount === 'number') {
      engine[name] = guard(value, name);
    }
  }
  return engine;
}

// A new instance of the engine. Each has memory of its own: a stand-in radio
// (web/standin-serial.js) gets an instance of its own, since nothing may be
// called on an instance while its link waits.
export async function loadEngine(wasmUrl = new URL('./rp770.wasm', import.meta.url)) {
  const key = String(wasmUrl);
  if (!compiled.has(key)) {
    compiled.set(key, compile(wasmUrl).catch((error) => {
      compiled.delete(key);  // the next load tries again
      throw error;
    }));
  }
  const wasmModule = await compiled.get(key);
  return guardSuspension(await createRp770({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(wasmModule, imports).then((instance) => receive(instance, wasmModule));
      return {};
    },
  }));
}

// A wait with no timer: resolved as soon as the event loop has handled what
// is pending (no 4 ms clamp, unlike a nested setTimeout(0)). A timer set
// from there is not nested in another timer, so it is not clamped either.
export const zeroWait = typeof setImmediate === 'function'
  ? () => new Promise((resolve) => setImmediate(resolve))
  : (() => {
      const channel = new MessageChannel();
      const waiting = [];
      channel.port1.onmessage = () => waiting.shift()?.();
      return () => new Promise((resolve) => {
        waiting.push(resolve);
        channel.port2.postMessage(0);
      });
    })();

function quietly(hook, ...args) {
  try {
    hook?.(...args);
  } catch (error) {
    console.error(error);
  }
}

// What the engine calls while the link works (src/web/WebEventLoop.h,
// src/web/PageHooks.h). Its promises never reject.
export class LinkRuntime {
  constructor(hooks) {
    this.hooks = hooks;
    this.cancelled = false;
    this.waker = null;
  }

  sleep(ms) {
    return new Promise((resolve) => setTimeout(resolve, ms));
  }

  wait(ms) {
    if (this.cancelled) return Promise.resolve();
    return new Promise((resolve) => {
      const timer = setTimeout(() => this.wake(), ms);
      this.waker = () => {
        clearTimeout(timer);
        resolve();
      };
    });
  }

  // Bytes arrived, the port was lost, or Cancel was pressed.
  wake() {
    const waker = this.waker;
    this.waker = null;
    waker?.();
  }

  breathe() {
    return zeroWait();
  }

  takeCancel() {
    const cancelled = this.cancelled;
    this.cancelled = false;
    return cancelled;
  }

  progress(percent) { quietly(this.hooks.progress, percent); }
  monitor(text) { quietly(this.hooks.monitor, text); }
  activity(text) { quietly(this.hooks.activity, text); }
  controls(enabled) { quietly(this.hooks.controls, enabled); }

  ask(question) {
    if (!this.hooks.ask) return Promise.resolve(question.defaultAnswer);
    return Promise.resolve()
      .then(() => this.hooks.ask(question))
      .catch((error) => {
        console.error(error);
        return question.defaultAnswer;
      });
  }
}

export const IMAGE_SIZE = 1024;

// The radio link of one engine instance, for the page. `hooks` are the
// page's: ask({text, title, icon, buttons, defaultAnswer, before}) -> answer
// (or a promise of it; `before`: the messages said before the question, to
// show first), progress(percent), activity(text), monitor(text),
// controls(enabled); each may be left out. What the link says comes with
// each result: messages, [{text, title, icon, detail}] in order.
export class RadioLink {
  constructor(engine, hooks = {}) {
    this.engine = engine;
    this.runtime = new LinkRuntime(hooks);
    this.link = new engine.WebLink(this.runtime);
    this.busy = false;
    this.connection = null;
    this.chosen = null;  // what the link talks to: 'serial' or 'simulated'
  }

  get hooks() { return this.runtime.hooks; }
  set hooks(hooks) { this.runtime.hooks = hooks; }

  // A port object of serial.js (a SerialConnection); `name` is how the
  // link's messages call it.
  useSerialPort(connection, name = 'the serial port') {
    this.idle();
    if (this.connection) this.connection.onchange = null;
    this.connection = connection;
    connection.onchange = () => this.runtime.wake();
    this.link.useSerialPort(connection, name);
    this.chosen = 'serial';
  }

  // The simulated radio on a virtual cable: a transfer takes no real time.
  // `faults` names misbehaviours, as the command line's simulator takes them.
  useSimulatedRadio(faults = '') {
    this.idle();
    const error = this.link.useSimulatedRadio(faults);
    if (error) throw new Error(error);
    if (this.connection) this.connection.onchange = null;
    this.connection = null;
    this.chosen = 'simulated';
  }

  setDebugMode(on) {
    this.idle();
    this.link.setDebugMode(Boolean(on));
  }

  // The whole read -> {synchronised, completed, partial, messages, image}. `image` is
  // the current memory image (the read keeps its model-code bytes); the
  // factory image when left out.
  read(image = new Uint8Array(0)) {
    return this.run(() => this.link.read(image));
  }

  // Programs the image as it is -> {synchronised, completed, partial, messages}.
  program(image) {
    if (!(image instanceof Uint8Array) || image.length !== IMAGE_SIZE) {
      throw new RangeError(`A memory image is ${IMAGE_SIZE} bytes`);
    }
    return this.run(() => this.link.program(image));
  }

  // The connection test -> {result, text, found, modelCode, supported}.
  testConnection() {
    return this.run(() => this.link.testConnection());
  }

  // The Cancel button: the running transfer stops as the link allows.
  cancel() {
    if (!this.busy) return;
    this.runtime.cancelled = true;
    this.runtime.wake();
  }

  // The simulated radio's memory (useSimulatedRadio only).
  simulatedMemory() {
    this.idle();
    return this.link.simulatedMemory();
  }

  setSimulatedMemory(bytes) {
    this.idle();
    return this.link.setSimulatedMemory(bytes);
  }

  // Lets go of the engine's link (and of its port, without waiting).
  dispose() {
    this.idle();
    this.link.delete();
    this.link = null;
  }

  idle() {
    if (this.busy) throw new Error('The radio link is busy with a transfer');
  }

  run(operation) {
    this.idle();
    if (!this.chosen) throw new Error('No radio chosen: useSerialPort or useSimulatedRadio first');
    this.busy = true;
    this.runtime.cancelled = false;
    return runSuspending(this.engine, operation).finally(() => {
      this.busy = false;
      this.runtime.cancelled = false;
    });
  }
}

// Runs a call that may wait inside the engine (a transfer, a question, a
// file): while it waits, the engine instance refuses every other call. A
// promise of the call's result either way.
export function runSuspending(engine, operation) {
  let result;
  try {
    result = operation();
  } catch (error) {
    return Promise.reject(error);
  }
  if (!(result instanceof Promise)) return Promise.resolve(result);
  suspended.add(engine);
  return result.finally(() => suspended.delete(engine));
}
