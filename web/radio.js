// What the session's link talks to: the simulated radio (behind a stand-in
// serial port, at the cable's pace or `speed` times faster) or a serial
// port through Web Serial, chosen once and found again on the next visit
// (the browser keeps the permission; the session remembers the port's name
// as its device, "sim" for the simulated radio). The cable's comings and
// goings are followed between transfers too: a port whose device is pulled
// out shows so at once, and the same adapter plugged in again (the browser
// may give it as a new port) is taken up again.

import { SerialConnection, choosePort, portName, webSerial } from './serial.js';
import { createStandInSerial } from './standin-serial.js';
import { IMAGE_SIZE } from './engine.js';
import { word } from './words.js';

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
    // The chosen port's device is there (as far as the browser has said).
    this.present = true;
    // The remembered port's name while it is not there, to take it up when it comes.
    this.awaited = '';
    serial?.addEventListener('connect', (event) => this.arrived(/** @type {SerialPort} */ (event.target)));
    serial?.addEventListener('disconnect', (event) => this.left(/** @type {SerialPort} */ (event.target)));
    // The chosen port's own events too, where they do not reach navigator.serial.
    /** @param {Event} event */
    this.onPortEvent = (event) => {
      const port = /** @type {SerialPort} */ (event.currentTarget);
      if (event.type === 'connect') this.arrived(port);
      else this.left(port);
    };
  }

  get label() {
    if (this.simulated) return word('SimulatedRadio');
    return this.port ? portName(this.port) : word('NoPortChosen');
  }

  // The cable is out: the simulated radio's, or the chosen port's device gone.
  get pulled() {
    return this.simulated ? Boolean(this.standIn?.pulled) : Boolean(this.port) && !this.present;
  }

  // The status bar's port.
  get status() {
    return word(this.pulled ? 'PortStatusPulled' : 'PortStatus', this.label);
  }

  /** @param {SerialPort} port */
  left(port) {
    if (this.simulated || !this.port || port !== this.port || !this.present) return;
    this.present = false;
    this.changed();
  }

  // A port that came (plugged in, or newly allowed): the chosen one back,
  // or the same adapter as a new port while the chosen one is away, or the
  // remembered port that was not there at the start.
  /** @param {SerialPort} port */
  arrived(port) {
    if (this.simulated) return;
    if (port === this.port) {
      this.present = true;
      this.changed();
    } else if (this.port ? !this.present && sameDevice(port, this.port) : this.awaited && portName(port) === this.awaited) {
      // Not in the middle of a call to the engine: once it has ended.
      this.session.whenIdle(() => {
        if (!this.simulated && (!this.port || !this.present)) this.connect(port);
      });
    }
  }

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
      // The port is not there now: nothing chosen until it comes or the user picks one.
      this.awaited = device;
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
      for (const type of ['connect', 'disconnect']) this.standIn.addEventListener(type, () => this.changed());
    }
    this.simulated = true;
    this.watch(null);
    this.port = null;
    this.awaited = '';
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
    this.watch(port);
    this.port = port;
    this.present = true;
    this.awaited = '';
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

  /** @param {SerialPort | null} port */
  watch(port) {
    if (port === this.port) return;
    for (const type of ['connect', 'disconnect']) {
      this.port?.removeEventListener(type, this.onPortEvent);
      port?.addEventListener(type, this.onPortEvent);
    }
  }

  get ready() { return this.simulated || Boolean(this.port); }

  changed() {
    this.onchange?.();
  }
}

// Two ports of the same USB adapter (the same vendor and product).
/** @param {SerialPort} a @param {SerialPort} b */
function sameDevice(a, b) {
  const [x, y] = [a.getInfo(), b.getInfo()];
  return x.usbVendorId !== undefined && x.usbVendorId === y.usbVendorId && x.usbProductId === y.usbProductId;
}
