// The engine in a page or under Node: loads rp770.wasm once and makes module
// instances from it; and the runtime through which the engine waits and
// asks (src/web/WebEventLoop.h, src/web/PageHooks.h). The engine is called
// through web/session.js only.
//
//   const engine = await loadEngine();
//
// The engine suspends itself while its link waits and resumes when bytes
// arrive, Cancel is pressed or a short timer fires: the page stays live.

import createRp770 from './rp770.js';

/** @typedef {import('./rp770.js').Engine} Engine */
/** @typedef {import('./rp770.js').Question} Question */
/** @typedef {import('./rp770.js').OptionAnswer} OptionAnswer */

/** @type {Map<string, Promise<WebAssembly.Module>>} wasm URL -> its compiled module */
const compiled = new Map();

// Node's own, where the page's modules run under Node (the tests).
/** @type {{ process?: { versions?: { node?: string } }, setImmediate?: (f: () => void) => void }} */
const host = /** @type {any} */ (globalThis);
const FS = 'node:fs/promises';

/** @param {URL} url */
async function compile(url) {
  if (typeof host.process?.versions?.node === 'string') {
    /** @type {{ readFile(url: URL): Promise<Uint8Array<ArrayBuffer>> }} */
    const fs = await import(FS);
    return WebAssembly.compile(await fs.readFile(url));
  }
  const response = fetch(url, { credentials: 'same-origin' });
  try {
    return await WebAssembly.compileStreaming(response);
  } catch {
    // A server that does not say application/wasm.
    return WebAssembly.compile(await (await fetch(url, { credentials: 'same-origin' })).arrayBuffer());
  }
}

// A new instance of the engine. Each has memory of its own: a stand-in radio
// (web/standin-serial.js) gets an instance of its own, since nothing may be
// called on an instance while its link waits.
/** @returns {Promise<Engine>} */
export async function loadEngine(wasmUrl = new URL('./rp770.wasm', import.meta.url)) {
  const key = String(wasmUrl);
  let wasm = compiled.get(key);
  if (!wasm) {
    wasm = compile(wasmUrl).catch((error) => {
      compiled.delete(key);  // the next load tries again
      throw error;
    });
    compiled.set(key, wasm);
  }
  const wasmModule = await wasm;
  return createRp770({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(wasmModule, imports).then((instance) => receive(instance, wasmModule));
      return {};
    },
  });
}

// A wait with no timer: resolved as soon as the event loop has handled what
// is pending (no 4 ms clamp, unlike a nested setTimeout(0)). A timer set
// from there is not nested in another timer, so it is not clamped either.
const { setImmediate } = host;
/** @type {() => Promise<void>} */
export const zeroWait = setImmediate
  ? () => new Promise((resolve) => { setImmediate(() => resolve(undefined)); })
  : (() => {
      const channel = new MessageChannel();
      /** @type {(() => void)[]} */
      const waiting = [];
      channel.port1.onmessage = () => waiting.shift()?.();
      return () => new Promise((resolve) => {
        waiting.push(() => resolve(undefined));
        channel.port2.postMessage(0);
      });
    })();

/**
 * @template {unknown[]} A
 * @param {((...args: A) => void) | undefined} hook
 * @param {A} args
 */
function quietly(hook, ...args) {
  try {
    hook?.(...args);
  } catch (error) {
    console.error(error);
  }
}

/**
 * The page's side of a running command: each may be left out.
 * @typedef {object} EngineHooks
 * @property {(question: Question) => OptionAnswer | string | Promise<OptionAnswer | string>} [ask] the answer's
 *   name (with the choice as left, when the question offers one)
 * @property {() => string | null | Promise<string | null>} [chooseSaveFile] a file name, or null
 * @property {(kind: 'data' | 'hex' | 'csv') => string | null | Promise<string | null>} [chooseOpenFile]
 *   the name a picked file is kept under, or null
 * @property {(percent: number) => void} [progress]
 * @property {(text: string) => void} [monitor]
 * @property {(text: string) => void} [activity]
 * @property {(enabled: boolean) => void} [controls]
 */

// How much sooner than a pause ends its timer is set.
const SLEEP_EARLY_MS = 2;

// What the engine calls while its link works and while it asks. Its
// promises never reject.
export class LinkRuntime {
  /** @param {EngineHooks} hooks */
  constructor(hooks) {
    this.hooks = hooks;
    this.cancelled = false;
    /** @type {(() => void) | null} */
    this.waker = null;
  }

  // A pause the protocol asks for, kept to the millisecond: a timer fires
  // up to a millisecond or more late (the pauses before each of a
  // transfer's hundred-odd requests would add up to a lost second), so the
  // timer wakes early and the last stretch goes turn by turn of the event
  // loop, each turn free for the page's work.
  /** @param {number} ms @returns {Promise<void>} */
  sleep(ms) {
    const deadline = performance.now() + ms;
    return new Promise((resolve) => {
      const due = () => {
        if (performance.now() >= deadline) resolve();
        else zeroWait().then(due);
      };
      setTimeout(due, Math.max(0, ms - SLEEP_EARLY_MS));
    });
  }

  /** @param {number} ms @returns {Promise<void>} */
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

  /** @param {number} percent */
  progress(percent) { quietly(this.hooks.progress, percent); }
  /** @param {string} text */
  monitor(text) { quietly(this.hooks.monitor, text); }
  /** @param {string} text */
  activity(text) { quietly(this.hooks.activity, text); }
  /** @param {boolean} enabled */
  controls(enabled) { quietly(this.hooks.controls, enabled); }

  /** @param {Question} question @returns {Promise<OptionAnswer | string>} */
  ask(question) {
    const { ask } = this.hooks;
    if (!ask) return Promise.resolve(question.defaultAnswer);
    return Promise.resolve()
      .then(() => ask(question))
      .catch((error) => {
        console.error(error);
        return question.defaultAnswer;
      });
  }
}

export const IMAGE_SIZE = 1024;
