// serial.js's connection over a scripted Web Serial port: what its read loop
// makes of chunks, read errors and a lost device, and how failed opens read;
// radio.js's following of the cable between transfers.
import assert from 'node:assert/strict';
import test from 'node:test';

import { RadioChoice, SerialConnection, portName, rememberedPort } from './rig.mjs';

// A port whose readable streams follow `scripts`: each gives its chunks, one
// a read, then fails with the error named, or stays open. Once the scripts
// are used up, readable is null: the device is gone.
class ScriptedPort {
  constructor(scripts, openError) {
    this.scripts = scripts;
    this.openError = openError;
    this.opened = false;
    this.stream = null;
    this.written = [];
  }

  getInfo() { return {}; }

  async open() {
    if (this.openError) throw new DOMException('refused', this.openError);
    if (this.opened) throw new DOMException('The port is already open.', 'InvalidStateError');
    this.opened = true;
  }

  async close() {
    await new Promise((resolve) => setTimeout(resolve, 5));
    this.opened = false;
    this.stream = null;
  }

  get writable() {
    return new WritableStream({ write: (chunk) => { this.written.push(...chunk); } });
  }

  get readable() {
    if (!this.opened) return null;
    if (this.stream) return this.stream;
    const script = this.scripts.shift();
    if (!script) return null;
    let next = 0;
    this.stream = new ReadableStream({
      pull: (controller) => {
        if (next < script.chunks.length) return controller.enqueue(Uint8Array.from(script.chunks[next++]));
        if (!script.error) return new Promise(() => {});
        this.stream = null;
        return controller.error(new DOMException('read failed', script.error));
      },
    }, { highWaterMark: 0 });
    return this.stream;
  }
}

const reads = [
  { name: 'chunks are taken as one run, in order', scripts: [{ chunks: [[1, 2], [3]] }],
    changes: 2, taken: [1, 2, 3], open: true },
  { name: 'a framing error is not the end', scripts: [{ chunks: [[1]], error: 'FramingError' }, { chunks: [[2]] }],
    changes: 2, taken: [1, 2], open: true },
  { name: 'a lost device reads nothing more and takes no writes', scripts: [{ chunks: [[1]], error: 'NetworkError' }],
    changes: 2, taken: [], open: false },
];

for (const row of reads) {
  test(`read loop: ${row.name}`, async () => {
    const port = new ScriptedPort(row.scripts);
    const connection = new SerialConnection(port);
    let changes = 0;
    const changed = new Promise((resolve) => {
      connection.onchange = () => { if (++changes === row.changes) resolve(); };
    });
    assert.deepEqual(await connection.open(), { ok: true, number: 0, text: '' });
    await changed;
    assert.deepEqual([...connection.take()], row.taken);
    assert.equal(connection.isOpen(), row.open);
    assert.equal(connection.write(Uint8Array.of(0x50)), row.open);
    if (!row.open) assert.equal(connection.lastError().text, 'the device was removed');
    await connection.close();
    assert.equal(connection.isOpen(), false);
    assert.equal(port.opened, false);
  });
}

test('a second connection to a port opens once the first has let go of it', async () => {
  const port = new ScriptedPort([{ chunks: [] }, { chunks: [[7]] }]);
  const first = new SerialConnection(port);
  await first.open();
  first.close();  // not waited for, as when a link is let go
  const second = new SerialConnection(port);
  const arrived = new Promise((resolve) => { second.onchange = resolve; });
  assert.deepEqual(await second.open(), { ok: true, number: 0, text: '' });
  await arrived;
  assert.deepEqual([...second.take()], [7]);
  await second.close();
});

test('failed opens, in the words of the link\'s messages', async () => {
  const failures = [
    ['NetworkError', 9, 'the device is not there or another program is using it'],
    ['InvalidStateError', 2, 'the port is already open'],
    ['SecurityError', 13, 'the page may not use serial ports'],
  ];
  for (const [error, number, text] of failures) {
    const connection = new SerialConnection(new ScriptedPort([], error));
    assert.deepEqual(await connection.open(), { ok: false, number, text }, error);
    assert.equal(connection.isOpen(), false);
  }
});

test('the port chosen on an earlier visit, among those the browser still allows', async () => {
  const port = (usbVendorId, usbProductId) => ({ getInfo: () => ({ usbVendorId, usbProductId }) });
  const ftdi = port(0x0403, 0x6001);
  const cp210x = port(0x10c4, 0xea60);
  const builtIn = port(undefined, undefined);
  const rows = [
    { ports: [], kept: {}, found: null },
    { ports: [builtIn], kept: {}, found: builtIn },  // the only one
    { ports: [ftdi, cp210x], kept: { usbVendorId: 0x10c4, usbProductId: 0xea60 }, found: cp210x },
    { ports: [ftdi, cp210x], kept: {}, found: null },  // which one: the user says
    { ports: [ftdi, cp210x], kept: { usbVendorId: 0x0403, usbProductId: 0x6015 }, found: null },
  ];
  for (const { ports, kept, found } of rows) {
    assert.equal(await rememberedPort({ getPorts: async () => ports }, kept), found, JSON.stringify(kept));
  }
  assert.equal(portName(ftdi), 'USB serial port 0403:6001');
  assert.equal(portName(builtIn), 'the serial port');
});

// Web Serial's connect and disconnect as the browser fires them (at the
// port, reaching navigator.serial with the port as target), and what the
// status bar then says and which port the session is given. A replugged
// adapter may come back as a new port object.
test('the port shown follows the cable between transfers', async () => {
  const adapter = (vendor, product) => Object.assign(new EventTarget(),
    { getInfo: () => ({ usbVendorId: vendor, usbProductId: product }) });
  const rows = [
    { name: 'pulled out, then back', steps: [['disconnect', 'a'], ['connect', 'a']], shown: '', given: ['a'] },
    { name: 'pulled out', steps: [['disconnect', 'a']], shown: ' (cable pulled out)', given: ['a'] },
    { name: 'pulled out, said by the port alone', steps: [['disconnect', 'a', 'port']], shown: ' (cable pulled out)', given: ['a'] },
    { name: 'the same adapter back as a new port', steps: [['disconnect', 'a'], ['connect', 'again']], shown: '', given: ['a', 'again'] },
    { name: 'another adapter meanwhile', steps: [['disconnect', 'a'], ['connect', 'other']], shown: ' (cable pulled out)', given: ['a'] },
    { name: 'another adapter pulled out', steps: [['disconnect', 'other']], shown: '', given: ['a'] },
    { name: 'the remembered port, away at the start, plugged in', start: 'away', steps: [['connect', 'a']], shown: '', given: ['a'] },
    { name: 'back while the engine is busy: taken once it is not', busy: true,
      steps: [['disconnect', 'a'], ['connect', 'again']], shown: '', given: ['a', 'again'] },
  ];
  for (const row of rows) {
    const ports = { a: adapter(0x0403, 0x6001), again: adapter(0x0403, 0x6001), other: adapter(0x10c4, 0xea60) };
    const serial = Object.assign(new EventTarget(), { getPorts: async () => (row.start === 'away' ? [] : [ports.a]) });
    const given = [];
    const later = [];
    const session = {
      useSerialPort: (connection) => given.push(Object.keys(ports).find((k) => ports[k] === connection.port)),
      whenIdle: (work) => (row.busy ? later.push(work) : work()),
    };
    const radio = new RadioChoice(session, { serial });
    await radio.restore('USB serial port 0403:6001');
    for (const [type, name, at] of row.steps) {
      const event = new Event(type);
      if (at === 'port') {
        ports[name].dispatchEvent(event);
        continue;
      }
      Object.defineProperty(event, 'target', { value: ports[name] });
      serial.dispatchEvent(event);
    }
    for (const work of later) work();
    assert.deepEqual([radio.status, given], [`Port: USB serial port 0403:6001${row.shown}`, row.given], row.name);
  }
});
