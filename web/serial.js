// The programming cable through Web Serial: choosing the port (remembered by
// the browser, found again through getPorts()), and the connection the
// engine's link drives (src/web/WebSerialPort.h): a read loop that takes
// everything a read returns at once into a queue, and a write queue.
//
// `serial` is navigator.serial, or the stand-in of standin-serial.js.

import { word } from './words.js';

/** @type {Readonly<SerialOptions>} */
export const LINE = Object.freeze({ baudRate: 4800, dataBits: 8, parity: 'none', stopBits: 1 });

/** @typedef {{ number: number, text: string }} PortFailure */
/** @typedef {import('./rp770.js').PortConnection} PortConnection */

// Chrome, Edge, Opera and other Chromium browsers have Web Serial (on a
// secure origin: https or localhost); Firefox and Safari do not.
/** @returns {Serial | null} */
export function webSerial(nav = globalThis.navigator) {
  return nav?.serial ?? null;
}

// Asks the user for a port (a click must have led here).
/** @param {Serial} serial */
export function choosePort(serial) {
  return serial.requestPort();
}

// A port the user chose before, on this or an earlier visit: the one that
// matches `info` (a port's getInfo(), kept by the page), else the only one.
/**
 * @param {Pick<Serial, 'getPorts'>} serial
 * @param {SerialPortInfo} info
 */
export async function rememberedPort(serial, info = {}) {
  const ports = await serial.getPorts();
  /** @param {SerialPort} port */
  const same = (port) => {
    const p = port.getInfo();
    return info.usbVendorId !== undefined && p.usbVendorId === info.usbVendorId &&
      p.usbProductId === info.usbProductId;
  };
  return ports.find(same) ?? (ports.length === 1 ? ports[0] : null);
}

/** @param {number} n */
const hex4 = (n) => n.toString(16).padStart(4, '0');

// How messages name a port: "USB serial port 0403:6001" or "the serial port".
/** @param {Pick<SerialPort, 'getInfo'>} port */
export function portName(port) {
  const { usbVendorId, usbProductId } = port.getInfo();
  return usbVendorId === undefined ? word('TheSerialPort') : word('UsbSerialPort', hex4(usbVendorId), hex4(usbProductId ?? 0));
}

// Web Serial's failures, in the words the link's messages use.
/** @param {any} error @returns {PortFailure} */
function failure(error) {
  switch (error?.name) {
    case 'InvalidStateError': return { number: 2, text: word('PortAlreadyOpen') };
    case 'NetworkError': return { number: 9, text: word('PortBusyOrMissing') };
    case 'NotFoundError': return { number: 1, text: word('PortNoSuchDevice') };
    case 'SecurityError': return { number: 13, text: word('PortNotAllowed') };
    default: return { number: 0, text: String(error?.message ?? error) };
  }
}

// The last close of each port, which an open of the port waits for: a link
// that is let go closes its port without waiting.
/** @type {WeakMap<SerialPort, Promise<void>>} */
const lastClose = new WeakMap();

// One open port as the engine's link sees it. None of its promises rejects.
/** @implements {PortConnection} */
export class SerialConnection {
  /** @param {SerialPort} port */
  constructor(port) {
    this.port = port;
    /** @type {(() => void) | null} bytes arrived, or the port was lost */
    this.onchange = null;
    /** @type {Uint8Array[]} */
    this.chunks = [];
    this.opened = false;
    this.lost = false;
    this.closing = false;
    /** @type {PortFailure} */
    this.error = { number: 0, text: '' };
    this.onDisconnect = () => this.lose({ name: 'NetworkError' });
    /** @type {WritableStreamDefaultWriter<Uint8Array> | null} */
    this.writer = null;
    /** @type {ReadableStreamDefaultReader<Uint8Array> | null} */
    this.reader = null;
    /** @type {Promise<unknown>} */
    this.writing = Promise.resolve();
    /** @type {Promise<void>} */
    this.reading = Promise.resolve();
  }

  /** @param {SerialOptions} options */
  async open(options = LINE) {
    if (this.opened) await this.close();  // lost, and never closed
    await lastClose.get(this.port);
    try {
      await this.port.open(options);
    } catch (error) {
      this.error = failure(error);
      return { ok: false, ...this.error };
    }
    this.opened = true;
    this.lost = false;
    this.closing = false;
    this.chunks = [];
    this.writer = this.port.writable?.getWriter() ?? null;
    this.writing = Promise.resolve();
    this.port.addEventListener?.('disconnect', this.onDisconnect);
    this.reading = this.readLoop();
    return { ok: true, number: 0, text: '' };
  }

  // Reads until closed or lost. A read error that leaves port.readable in
  // place (a framing or parity error, a break) is not the end.
  async readLoop() {
    while (this.opened && !this.closing && this.port.readable) {
      this.reader = this.port.readable.getReader();
      try {
        for (;;) {
          const { value, done } = await this.reader.read();
          if (done) break;
          if (value?.length) {
            this.chunks.push(value);
            this.changed();
          }
        }
      } catch (error) {
        if (!this.port.readable) this.lose(error);
      } finally {
        this.reader.releaseLock();
        this.reader = null;
      }
    }
    if (this.opened && !this.closing) this.lose({ name: 'NetworkError' });
  }

  changed() {
    try {
      this.onchange?.();
    } catch (error) {
      console.error(error);
    }
  }

  // The port stays open after the device is lost, until closed; the link
  // does not close a port it finds lost, so the connection does.
  /** @param {any} error */
  lose(error) {
    if (!this.opened || this.lost) return;
    this.lost = true;
    this.chunks = [];
    this.error = { number: 9, text: word('PortDeviceRemoved') };
    if (error?.name && error.name !== 'NetworkError') this.error = failure(error);
    this.changed();
    this.close();
  }

  isOpen() {
    return this.opened && !this.lost;
  }

  lastError() {
    return this.error;
  }

  /** @param {Uint8Array} bytes */
  write(bytes) {
    if (!this.isOpen()) {
      if (!this.lost) this.error = { number: 9, text: word('PortNotOpen') };
      return false;
    }
    const copy = new Uint8Array(bytes);
    const writer = this.writer;
    this.writing = this.writing.then(() => writer?.write(copy)).catch((error) => this.lose(error));
    return true;
  }

  take() {
    const chunks = this.chunks;
    this.chunks = [];
    if (chunks.length === 1) return chunks[0];
    const all = new Uint8Array(chunks.reduce((n, c) => n + c.length, 0));
    let at = 0;
    for (const c of chunks) {
      all.set(c, at);
      at += c.length;
    }
    return all;
  }

  /** @returns {Promise<void>} */
  close() {
    if (!this.opened) return Promise.resolve();
    if (this.closing) return lastClose.get(this.port) ?? Promise.resolve();
    const closed = this.closeNow();
    lastClose.set(this.port, closed);
    return closed;
  }

  async closeNow() {
    this.closing = true;
    this.port.removeEventListener?.('disconnect', this.onDisconnect);
    try { await this.reader?.cancel(); } catch { /* lost already */ }
    await this.reading;
    await this.writing;
    try { this.writer?.releaseLock(); } catch { /* lost already */ }
    try { await this.port.close(); } catch { /* lost already */ }
    this.opened = false;
    this.closing = false;
    this.chunks = [];
  }
}
