// The engine under Node, from the page's own .wasm: the link against the
// compiled simulated radio on the virtual cable (no real time passes), and
// what the page gets from it.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import test from 'node:test';

import { IMAGE_SIZE, RadioLink, linkRig, loadEngine, patternMemory, programmed, texts } from './rig.mjs';

const PARTLY = 'The radio was only partly programmed: it now holds a mix of old and new data. ' +
  'Program it again before using it.';

test('a read takes the radio\'s memory, all but the image\'s own model-code bytes', async () => {
  const { link, told } = await linkRig();
  link.useSimulatedRadio();
  const radio = patternMemory(3);
  assert.ok(link.setSimulatedMemory(radio));
  const current = patternMemory(5);
  current.set([0xaa, 0x55], 0);

  const result = await link.read(current);

  const expected = radio.slice();
  expected.set([0xaa, 0x55], 0);
  assert.deepEqual(result.image, expected);
  assert.equal(result.completed, true);
  assert.deepEqual(texts(result), ['Complete!!']);
  assert.equal(Math.max(...told.progress), 99);  // the last block
});

test('programming writes the image, except what the radio keeps', async () => {
  const { link } = await linkRig();
  link.useSimulatedRadio();
  const before = patternMemory(1);
  link.setSimulatedMemory(before);
  const image = patternMemory(200);

  const result = await link.program(image);

  assert.deepEqual(result.messages, [{ text: 'Complete!!', title: 'Program to Radio', icon: 'information', detail: '' }]);
  assert.deepEqual([result.synchronised, result.completed, result.partial], [true, true, false]);
  assert.deepEqual(link.simulatedMemory(), programmed(before, image));
});

// Each row: the radio's faults, the transfer, the page's answers to the
// link's questions, and what the page is asked and told.
const paths = [
  { name: 'busy once, the page answers Retry', faults: 'busy=1', answers: ['retry'],
    asked: ['Radio is busy!!'], completed: true, told: ['Complete!!'] },
  { name: 'a message said before the question comes with it', faults: 'acmd=bad-end busy=1', answers: ['retry'],
    asked: ['Radio is busy!!'], before: ['error!!'], completed: true, told: ['Complete!!'] },
  { name: 'busy, the page answers Cancel', faults: 'busy', answers: ['cancel'],
    asked: ['Radio is busy!!'], completed: false, told: ['Radio not ready!!'] },
  { name: 'busy, the page\'s answer fails: the question\'s default', faults: 'busy', answers: [new Error('no')],
    asked: ['Radio is busy!!'], completed: false, told: ['Radio not ready!!'] },
  { name: 'refused three times, the page agrees to synchronise again', faults: 'error=10,3', answers: ['ok'],
    asked: ['confirm the synchronization of the communication'], completed: true, told: ['Complete!!'] },
  { name: 'silent from block 10', faults: 'silent-from=10', completed: false, told: ['Communication Error!!'] },
  { name: 'programming stops part-way', faults: 'silent-from=20', program: true, completed: false,
    partial: true, told: ['Communication Error!!', PARTLY] },
];

for (const row of paths) {
  test(`path: ${row.name}`, async () => {
    const { link, told } = await linkRig([...(row.answers ?? [])]);
    link.useSimulatedRadio(row.faults);
    const result = row.program ? await link.program(patternMemory(9)) : await link.read();
    assert.equal(result.completed, row.completed);
    assert.equal(result.partial, row.partial ?? false);
    assert.equal(result.image !== undefined, row.completed && !row.program);
    assert.deepEqual(told.asked, row.asked ?? []);
    assert.deepEqual(told.before, row.before ?? []);
    assert.deepEqual(texts(result), row.told);
  });
}

test('the connection test names the radio it found', async () => {
  const { link, told } = await linkRig();
  link.useSimulatedRadio();
  const report = await link.testConnection();
  assert.equal(report.result, 'found');
  assert.equal(report.found, true);
  assert.equal(report.modelCode, 0x013e);
  assert.match(report.text, /MR318/);
  assert.deepEqual(told.asked, []);
});

test('debug mode shows the monitor texts', async () => {
  const { link, told } = await linkRig();
  link.useSimulatedRadio();
  link.setDebugMode(true);
  await link.read();
  assert.ok(told.monitor.includes('sync ok'), told.monitor.join(' | '));
  assert.ok(told.monitor.includes('4800,N,8,1'));
});

test('what the link refuses to do', async () => {
  const { link } = await linkRig();
  assert.throws(() => link.read(), /No radio chosen/);
  assert.throws(() => link.useSimulatedRadio('no-such-fault'), /no-such-fault/);
  link.useSimulatedRadio();
  assert.throws(() => link.program(new Uint8Array(IMAGE_SIZE - 1)), RangeError);
  const running = link.read();
  assert.throws(() => link.read(), /busy/);
  assert.throws(() => link.useSimulatedRadio(), /busy/);
  await running;
  assert.equal(link.busy, false);
});

test('nothing else runs on the engine while a transfer waits for the page', async () => {
  const engine = await loadEngine();
  let refused = null;
  const link = new RadioLink(engine, {
    ask: () => {
      try {
        engine.shippedFileNames();
      } catch (error) {
        refused = error;
      }
      return 'cancel';
    },
  });
  link.useSimulatedRadio('busy');
  const result = await link.read();
  assert.match(String(refused), /busy with a transfer: shippedFileNames/);
  assert.equal(result.synchronised, true);  // the transfer's own result still arrives
  assert.equal(engine.shippedFileNames().length, 5);
});

test('the shipped data travel inside the module, byte for byte', async () => {
  const engine = await loadEngine();
  const names = engine.shippedFileNames();
  assert.deepEqual(names, ['global.ini', 'USA_013E.ini', 'INT_013E.ini', 'CAN_013E.ini', 'rp770-help.html']);
  for (const name of names) {
    const file = await readFile(new URL(`../../data/${name}`, import.meta.url));
    assert.deepEqual(engine.shippedFile(name), new Uint8Array(file), name);
  }
  assert.equal(engine.shippedFile('nothing.ini'), null);
});
