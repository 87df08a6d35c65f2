// What the session's link talks to: the simulated radio (behind a stand-in
// serial port, at the cable's pace or `speed` times faster) or a serial
// port through Web Serial, chosen once and found again on the next visit
// (the browser keeps the permission; the session remembers the port's name
// as its device, "sim" for the simulated radio).

import { SerialConnection, choosePort, portName, webSerial } from './serial.js';
import { createStandInSerial } from './standin-serial.js';
import { IMAGE_SIZE } from './engine.js';

/** @typedef {import('./session.js').PageSession} PageSession */
/** @typedef {import('./standin-serial.js').StandInSerial} StandInSerial */

export const SIMULATED = 'sim';

export class RadioChoice {
  /**
   * @param {PageSession} session
   * @param {{ speed?: number, serial?: Serial | null }} [options]
   */
  constructor(session, { speed = 1, serial = webSerial() } = {}) {
    this.session = session;
    this.serial = serial;
    this.speed = speed;
    /** @type {StandInSerial | null} */
    this.standIn = null;
    /** @type {SerialPort | null} the Web Serial port in use */
    this.port = null;
    this.simulated = false;
    /** @type {(() => void) | null} */
    this.onchange = null;
  }

  get label() {
    if (this.simulated) return 'Simulated radio';
    return this.port ? portName(this.port) : 'no port chosen';
  }

  get pulled() { return Boolean(this.standIn?.pulled); }

  // The port the session remembers: the simulated radio, or a port the
  // browser lets the page use again (the one named so, else the only one).
  /** @param {string} device */
  async restore(device) {
    if (device && device !== SIMULATED && this.serial) {
      const ports = await this.serial.getPorts();
      const port = ports.find((p) => portName(p) === device) ?? (ports.length === 1 ? ports[0] : null);
      if (port) {
        this.connect(port);
        return;
      }
      // The port is not there now: nothing chosen until the user picks one.
      this.changed();
      return;
    }
    await this.useSimulated();
  }

  async useSimulated() {
    if (!this.standIn) {
      this.standIn = await createStandInSerial({ speed: this.speed });
      // The simulated radio comes programmed as a new data set of the
      // remembered destination is (the page starts on one), so that a read
      // shows channels and settings as a radio in use has them.
      this.standIn.radio.setMemory(this.session.now.imageBytes().subarray(0, IMAGE_SIZE));
    }
    this.simulated = true;
    this.port = null;
    this.session.useSerialPort(new SerialConnection(await this.standIn.requestPort()), SIMULATED);
    this.changed();
  }

  // Asks the browser for the cable's port (a click must lead here); false
  // when none was chosen.
  async chooseSerial() {
    if (!this.serial) return false;
    let port;
    try {
      port = await choosePort(this.serial);
    } catch {
      return false;  // the user closed the browser's list
    }
    this.connect(port);
    return true;
  }

  /** @param {SerialPort} port */
  connect(port) {
    this.port = port;
    this.simulated = false;
    this.session.useSerialPort(new SerialConnection(port), portName(port));
    this.changed();
  }

  // The simulated radio's cable, pulled out or plugged in again.
  /** @param {boolean} pulled */
  setPulled(pulled) {
    if (!this.standIn) return;
    if (pulled) this.standIn.pullCable();
    else this.standIn.plugCable();
    this.changed();
  }

  get ready() { return this.simulated || Boolean(this.port); }

  changed() {
    this.onchange?.();
  }
}
