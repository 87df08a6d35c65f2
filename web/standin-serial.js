// A stand-in for navigator.serial, for trying everything without a radio and
// for testing the page's Web Serial code: one port whose far end is the
// simulated radio on a 4800-baud line (ten bits a byte) in real time. The
// radio is the engine's StandInRadio, in an engine instance of its own.
// Bytes reach the page in chunks, as a USB adapter delivers them; the cable
// can be pulled out and plugged in again.
//
//   const serial = await createStandInSerial();
//   const port = await serial.requestPort();   // as navigator.serial's
//   serial.pullCable();                        // mid-transfer, say
//   serial.radio.memory();                     // what the radio holds

import { loadEngine, zeroWait } from './engine.js';

// A chunk is delivered no sooner than this after the one before it: what
// arrives meanwhile comes together, as with a USB adapter.
export const CHUNK_MS = 2;

/** @typedef {import('./rp770.js').StandInRadio} StandInRadio */

const lost = () => new DOMException('The device has been lost.', 'NetworkError');

/** @implements {SerialPort} */
class StandInPort extends EventTarget {
  /** @param {StandInSerial} serial */
  constructor(serial) {
    super();
    this.serial = serial;
    this.state = 'closed';  // 'opened' until close()
    this.fatal = false;     // the cable was pulled while open
    /** @type {ReadableStream<Uint8Array> | null} */
    this.stream = null;
    /** @type {ReadableStreamDefaultController<Uint8Array> | null} */
    this.controller = null;
    /** @type {WritableStream<Uint8Array> | null} */
    this.sink = null;
    /** @type {WritableStreamDefaultController | null} */
    this.sinkController = null;
    /** @type {Required<SerialOptions>} */
    this.options = { baudRate: 4800, dataBits: 8, parity: 'none', stopBits: 1 };
  }

  getInfo() {
    return {};  // not a USB device
  }

  // As Web Serial's: a new stream while open, after a cancelled one too;
  // null once the device is lost.
  get readable() {
    if (this.state !== 'opened' || this.fatal) return null;
    if (!this.stream) {
      this.stream = new ReadableStream({
        start: (controller) => { this.controller = controller; },
        cancel: () => { this.stream = null; this.controller = null; },
      });
    }
    return this.stream;
  }

  get writable() {
    if (this.state !== 'opened' || this.fatal) return null;
    if (!this.sink) {
      this.sink = new WritableStream({
        start: (controller) => { this.sinkController = controller; },
        write: (chunk) => this.serial.toRadio(chunk, this.options),
      });
    }
    return this.sink;
  }

  /** @param {SerialOptions} options */
  async open(options) {
    if (this.state === 'opened') throw new DOMException('The port is already open.', 'InvalidStateError');
    if (!(options?.baudRate > 0)) throw new TypeError('A baud rate is required.');
    if (this.serial.pulled) throw new DOMException('Failed to open serial port.', 'NetworkError');
    this.options = { dataBits: 8, parity: 'none', stopBits: 1, ...options };
    this.state = 'opened';
    this.fatal = false;
  }

  async close() {
    this.stream = null;
    this.controller = null;
    this.sink = null;
    this.state = 'closed';
  }

  /** @param {Uint8Array} bytes */
  deliver(bytes) {
    if (this.controller) this.controller.enqueue(bytes);
  }

  lose() {
    if (this.state !== 'opened' || this.fatal) return;
    this.fatal = true;
    this.controller?.error(lost());
    this.sinkController?.error(lost());
    this.stream = null;
    this.controller = null;
    this.sink = null;
  }
}

/**
 * @typedef {object} StandInOptions
 * @property {number} [chunkMs] the least time between two chunks delivered
 * @property {number} [speed] times the cable's pace
 * @property {() => number} [clock] seconds
 */

/** @implements {Serial} */
export class StandInSerial extends EventTarget {
  // `radio`: a StandInRadio; `clock`: seconds, the page's time. `speed`
  // runs the line that many times faster than 4800 baud (the line's own
  // clock runs faster), for trying things quickly and for tests.
  /**
   * @param {StandInRadio} radio
   * @param {StandInOptions} [options]
   */
  constructor(radio, { chunkMs = CHUNK_MS, speed = 1, clock = () => (performance.now() / 1000) * speed } = {}) {
    super();
    this.radio = radio;
    this.chunkMs = chunkMs;
    this.speed = speed;
    this.clock = clock;
    this.port = new StandInPort(this);
    this.granted = false;
    this.pulled = false;
    this.scheduled = false;
    this.timer = null;
    this.lastChunk = -Infinity;
  }

  async requestPort() {
    this.granted = true;
    return this.port;
  }

  async getPorts() {
    return this.granted ? [this.port] : [];
  }

  // What the PC writes goes on the line, when the line is set up as the
  // radio's: at any other setting the radio hears nothing it understands.
  /** @param {Uint8Array} chunk @param {Required<SerialOptions>} options */
  toRadio(chunk, options) {
    if (this.pulled) throw lost();
    const { baudRate, dataBits, parity, stopBits } = options;
    if (baudRate !== 4800 || dataBits !== 8 || parity !== 'none' || stopBits !== 1) return;
    this.radio.write(chunk, this.clock());
    this.schedule();
  }

  // The next delivery, when the next byte arrives. A browser clamps timers
  // that timers set to 4 ms, two bytes' time: the timer is set from a task
  // of its own, as a serial port's reads resolve from tasks of their own.
  schedule() {
    if (this.scheduled || this.pulled) return;
    const next = this.radio.nextArrival();
    if (next < 0) return;
    const due = Math.max(next, this.lastChunk + (this.chunkMs / 1000) * this.speed);
    this.scheduled = true;
    zeroWait().then(() => {
      if (!this.scheduled) return;  // the cable was pulled meanwhile
      this.timer = setTimeout(() => {
        this.scheduled = false;
        this.timer = null;
        this.deliver();
      }, Math.max(0, ((due - this.clock()) * 1000) / this.speed));
    });
  }

  deliver() {
    const now = this.clock();
    const bytes = this.radio.take(now);
    if (bytes.length && this.port.state === 'opened') {
      this.port.deliver(bytes);
      this.lastChunk = now;
    }
    this.schedule();
  }

  pullCable() {
    if (this.pulled) return;
    this.pulled = true;
    this.scheduled = false;
    clearTimeout(this.timer);
    this.timer = null;
    this.radio.unplug();
    this.port.lose();
    this.announce('disconnect');
  }

  plugCable() {
    if (!this.pulled) return;
    this.pulled = false;
    this.announce('connect');
  }

  // As Web Serial's events: fired at the port, then at the serial object
  // with the port as their target, as if they bubbled up to it.
  /** @param {'connect' | 'disconnect'} type */
  announce(type) {
    this.port.dispatchEvent(new Event(type));
    const event = new Event(type);
    Object.defineProperty(event, 'target', { value: this.port });
    this.dispatchEvent(event);
  }
}

// A stand-in whose radio lives in an engine instance of its own.
/** @param {StandInOptions} [options] */
export async function createStandInSerial(options) {
  const engine = await loadEngine();
  return new StandInSerial(new engine.StandInRadio(), options);
}
