// The engine under Node, from the page's own .wasm, through the page's one
// way in (session.js): transfers against the compiled simulated radio on
// the virtual cable (no real time passes), and what the page gets from them.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import test from 'node:test';

import { loadEngine, memoryFiles, patternMemory, programmableMemory, programmed, sessionRig } from './rig.mjs';

const PARTLY = 'The radio was only partly programmed: it now holds a mix of old and new data. ' +
  'Program it again before using it.';
const texts = (result) => result.messages.map((m) => m.text);

test('programming writes the image, except what the radio keeps; a read takes the radio\'s memory', async () => {
  const files = memoryFiles({ 'image.hex': programmableMemory(200) });
  const { session, told } = await sessionRig({ files });
  assert.equal((await session.run((c) => c.open('image.hex', 'image'))).ok, true);
  const radio = patternMemory(3);
  const image = session.now.imageBytes().slice(0, radio.length);
  assert.ok(session.now.setSimulatedMemory(radio));
  const program = await session.run((c) => c.programToRadio());
  assert.deepEqual(program.messages, [{ text: 'Complete!!', title: 'Program to Radio', icon: 'information', detail: '' }]);
  assert.deepEqual([program.synchronised, program.completed, program.partial], [true, true, false]);
  assert.deepEqual(session.now.simulatedMemory(), programmed(radio, image));

  // Another session reads what this one holds.
  const reader = await sessionRig();
  reader.session.now.setSimulatedMemory(image);
  const read = await reader.session.run((c) => c.readFromRadio());
  assert.deepEqual(read.messages.map((m) => m.text), ['Complete!!']);
  assert.deepEqual(reader.session.now.imageBytes().subarray(0, image.length), image);
  assert.equal(Math.max(...told.progress), 99);  // the last row
  assert.equal(Math.max(...reader.told.progress), 99);  // the last block
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
    const { session, told } = await sessionRig({ answers: [...(row.answers ?? [])] });
    session.useSimulatedRadio(row.faults);
    const result = await session.run((c) => (row.program ? c.programToRadio() : c.readFromRadio()));
    assert.equal(result.completed, row.completed);
    assert.equal(result.partial, row.partial ?? false);
    assert.deepEqual(told.asked, row.asked ?? []);
    assert.deepEqual(told.before, row.before ?? []);
    assert.deepEqual(texts(result), row.told);
  });
}

test('the connection test; debug mode\'s monitor texts', async () => {
  const { session, told } = await sessionRig({ switches: '/D' });
  const report = await session.run((c) => c.testConnection());
  assert.equal(report.found, true);
  assert.match(texts(report)[0], /MR318 \(model code 0x013E\)/);
  await session.run((c) => c.readFromRadio());
  assert.ok(told.monitor.includes('sync ok'), told.monitor.join(' | '));
  assert.ok(told.monitor.includes('4800,N,8,1'));
  assert.deepEqual(told.asked, []);
});

test('one call at a time: nothing else reaches the engine while a call waits for the page', async () => {
  const { session } = await sessionRig();
  session.useSimulatedRadio('busy');
  const refusals = [];
  session.hooks = {
    ask: async () => {
      for (const call of [() => session.now.state(), () => session.functions.atisCodeValid('1'),
        () => session.run((c) => c.save())]) {
        try {
          await call();
        } catch (error) {
          refusals.push(error.message);
        }
      }
      return 'cancel';
    },
  };
  const result = await session.run((c) => c.readFromRadio());
  assert.equal(refusals.length, 3);
  for (const text of refusals) assert.match(text, /busy/);
  assert.equal(result.synchronised, true);  // the transfer's own result still arrives
  assert.equal(session.busy, false);
  assert.equal(typeof session.now.state().caption, 'string');
  assert.throws(() => session.useSimulatedRadio('no-such-fault'), /no-such-fault/);
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

// A tag as a file holds it: valid UTF-8 is read as UTF-8, anything else as
// Windows-1252 (the .dat's 8-bit code page), never half a character; saved
// unchanged, the file keeps its bytes.
test('a file\'s tags reach the page as the file means them, and are saved byte for byte', async () => {
  const base = memoryFiles();
  const { session: maker } = await sessionRig({ files: base });
  assert.equal((await maker.run((c) => c.saveAs('base.dat'))).ok, true);
  const text = Buffer.from(base.files.get('base.dat')).toString('latin1');
  assert.match(text, /\[CHUSA1\]\r?\n(?:.*\r?\n)*?ChTag=#VTS/);
  const cases = [
    ['Caf\xe9', 'Café'],
    ['Caf\xc3\xa9', 'Café'],
    ['\x80\x81\x8a\x9f', '€\u0081ŠŸ'],
    ['\xed\xa0\x80', 'í\u00a0€'],  // a surrogate's encoding is no UTF-8
    ['\xf0\x9f\x9a\xa2', '\u{1f6a2}'],
    ['ab\xc3', 'abÃ'],
  ];
  for (const [bytes, shown] of cases) {
    const file = Buffer.from(text.replace('ChTag=#VTS', `ChTag=#${bytes}`), 'latin1');
    const files = memoryFiles({ 'tagged.dat': file });
    const { session } = await sessionRig({ files });
    assert.equal((await session.run((c) => c.open('tagged.dat', 'name'))).ok, true, shown);
    const list = session.now.channelList('USA');
    const tip = list.tips[list.channels.findIndex((c) => c.index === 1)];
    assert.equal(tip, shown);
    assert.ok(tip.isWellFormed(), shown);
    assert.equal((await session.run((c) => c.save())).ok, true);
    assert.deepEqual(Buffer.from(files.files.get('tagged.dat')), file, shown);
  }
});
