// The page's own path to the port (session.js, the engine's session, its
// link, serial.js) through the stand-in navigator.serial, whose radio
// answers at 4800-baud pacing in real time: the paths run side by side, a
// transfer taking its seconds.
import assert from 'node:assert/strict';
import test from 'node:test';

import {
  SerialConnection, createStandInSerial, heldImage, loadEngine, memoryFiles, programmableMemory, programmed, sessionRig,
} from './rig.mjs';

const PORT = 'the stand-in port';
const PARTLY = /only partly programmed/;
const texts = (result) => result.messages.map((m) => m.text);

test('the stand-in line carries ten bits a byte at 4800 baud, the echo with each byte', async () => {
  const radio = new (await loadEngine()).StandInRadio();
  const byte = 10 / 4800;
  radio.write(new TextEncoder().encode('P'), 1);  // the probe: echoed, then answered
  const heard = [[1, ''], [1 + 0.99 * byte, ''], [1 + 1.01 * byte, 'P'], [1 + 1.99 * byte, 'P'], [1 + 2.01 * byte, 'PP']];
  let all = '';
  for (const [time, expected] of heard) {
    all += new TextDecoder().decode(radio.take(time));
    assert.equal(all, expected, `at ${time}`);
  }
  assert.equal(radio.nextArrival(), -1);
  // Half a command heard when the cable is pulled is forgotten with it.
  radio.write(new TextEncoder().encode('#CEPRD\t00'), 2);
  radio.take(3);
  radio.unplug();
  radio.write(new TextEncoder().encode('P'), 4);
  assert.equal(new TextDecoder().decode(radio.take(5)), 'PP');
  // A radio that ignores the probe: only the cable's echo comes back.
  assert.match(radio.setFaults('no-such-fault'), /no-such-fault/);
  assert.equal(radio.setFaults('no-probe'), '');
  radio.write(new TextEncoder().encode('P'), 6);
  assert.equal(new TextDecoder().decode(radio.take(7)), 'P');
  assert.deepEqual([radio.log().pcBytes, radio.log().radioBytes], [2, 1]);
});

// Each row: the transfer, and what happens while it runs once its progress
// has reached `at` percent. A chunk interval of 16 ms makes the stand-in
// deliver several bytes at once, as adapters with a latency timer do.
const paths = [
  { name: 'read end to end', op: 'read' },
  { name: 'program end to end', op: 'program' },
  { name: 'the cable pulled mid-read', op: 'read', at: 10, pull: true, chunkMs: 16 },
  { name: 'the cable pulled mid-programming', op: 'program', at: 10, pull: true },
  { name: 'Cancel mid-read', op: 'read', at: 10, cancel: true, chunkMs: 16 },
];

async function runPath(row) {
  const serial = await createStandInSerial({ chunkMs: row.chunkMs });
  const before = await heldImage(7);
  serial.radio.setMemory(before);
  const { session } = await sessionRig({ files: memoryFiles({ 'image.hex': programmableMemory(100) }) });
  assert.equal((await session.run((c) => c.open('image.hex', 'image'))).ok, true);
  const image = session.now.imageBytes().slice(0, before.length);
  const connection = new SerialConnection(await serial.requestPort());
  session.useSerialPort(connection, PORT);
  let acted = false;
  session.hooks = {
    ...session.hooks,
    progress: (percent) => {
      if (percent < row.at || acted) return;
      acted = true;
      if (row.pull) serial.pullCable();
      if (row.cancel) session.cancel();
    },
  };
  const result = await session.run((c) => (row.op === 'read' ? c.readFromRadio() : c.programToRadio()));
  const memory = serial.radio.memory();

  if (!row.at) {
    assert.equal(result.completed, true);
    assert.deepEqual(texts(result), ['Complete!!']);
    if (row.op === 'read') assert.deepEqual(session.now.imageBytes().subarray(0, before.length), before);
    else assert.deepEqual(memory, programmed(before, image));
  } else {
    assert.equal(result.completed, false);
    assert.deepEqual(session.now.imageBytes().subarray(0, image.length), image);
  }
  if (row.pull) {
    // The link's message; a programming also says the radio holds a mix.
    assert.equal(texts(result).at(row.op === 'read' ? -1 : -2), 'Communication Error!!');
    if (row.op === 'program') assert.match(texts(result).at(-1), PARTLY);
    assert.equal(connection.isOpen(), false);
    // A new connection to the port: it does not open until the cable is back.
    session.useSerialPort(new SerialConnection(await serial.requestPort()), PORT);
    const again = await session.run((c) => c.readFromRadio());
    assert.deepEqual(again.messages.map((m) => [m.text, m.detail]), [['port inicialize error!!',
      `Cannot open the serial port ${PORT}: the device is not there or another program is using it.`]]);
    serial.plugCable();
    assert.equal((await session.run((c) => c.testConnection())).found, true);
  }
  if (row.cancel) {
    assert.deepEqual(result.messages, []);
    assert.equal(serial.radio.log().cans, 1);
    assert.deepEqual(memory, before);
  }
}

test('transfers through the stand-in port', { concurrency: true }, async (t) => {
  await Promise.all(paths.map((row) => t.test(row.name, () => runPath(row))));
});
