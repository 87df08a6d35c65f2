// The page's session under Node, from the page's own .wasm: every file it
// writes is byte for byte what the native command line writes from the same
// data, and every call that waits for the page (a question, a file, the
// radio) comes back with the right questions, in order, and outcome.
import assert from 'node:assert/strict';
import test from 'node:test';

import {
  SerialConnection, createStandInSerial, memoryFiles, nativeCli, patternMemory, programmed, sessionRig,
} from './rig.mjs';

const SAVE_CHANGES = 'QZP data has changed.\nDo you want to save changes?';
const bytesOf = (text) => new TextEncoder().encode(text);
const textsOf = (result) => result.messages.map((m) => m.text);
const ch = (area, index) => ({ area, index });
const usa = (...slots) => slots.map((i) => ch('USA', i));

// The corpus: data sets made through the session as the page makes them
// (a destination, then edits), or memory images of odd values opened as
// .hex files. `edit` returns the edits' refusals: none is expected.
const corpus = [
  { name: 'USA: switches, scanning, a group left out', destination: 'USA', edit: (s) => [
    s.now('setChannelFlags', usa(1, 9, 11, 20), 'scan', true),
    s.now('setChannelFlag', ch('USA', 13), 'lowPower', true, false),
    s.now('setChannelFlag', ch('USA', 22), 'enable', false, false),
    s.now('setChannelFlag', ch('USA', 24), 'powerUp', true, false),
    s.now('setCommon', 'resumeTime', 5), s.now('setCommon', 'dualWatch', 1), s.now('setCommon', 'pttScanClear', 1),
    s.now('setGroupUsable', 1, false), s.now('setPriorityChannel', 0, 9)] },
  { name: 'INT: EXP channels at the band\'s ends, ATIS', destination: 'INT', edit: (s) => [
    s.now('setExpFrequency', 1, true, '137.000'), s.now('setExpFrequency', 1, false, '173.975'),
    s.now('setExpDisplay', 1, 'K9', 'y'), s.now('setChannelFlag', ch('EXP', 1), 'enable', true, false),
    s.now('setExpFrequency', 20, true, '156.025'), s.now('setExpDisplay', 20, '9', ''),
    s.now('setChannelFlag', ch('EXP', 20), 'enable', true, false),
    s.now('setChannelFlag', ch('EXP', 20), 'scan', true, false),
    s.now('setGroupUsable', 3, true), s.now('setAtisCode', '2119876543'), s.now('setAtisGroup', 2, false)] },
  { name: 'CAN: weather channels, alert off, the model chosen again', destination: 'CAN', edit: async (s) => [
    (await s.run('changeModel', 1)).messages.length ? 'changeModel' : null,
    s.now('setChannelFlag', ch('WX', 0), 'scan', true, false),
    s.now('setChannelFlag', ch('WX', 9), 'enable', false, false),
    s.now('setCommon', 'weatherAlert', 0), s.now('setCommon', 'scan', 0)] },
  { name: 'an image of odd values, CAN', destination: 'CAN', image: patternMemory(11) },
  { name: 'an image of odd values, USA', destination: 'USA', image: patternMemory(200) },
  { name: 'every bit set but the model codes, INT', destination: 'INT',
    image: patternMemory(0).map((b, a) => (a < 2 || a >= 1022 ? b : 0xff)) },
];

// The import's table: the data set's own export with the scan switch
// turned over on every fifth enabled channel of the plans.
function tableOver(csv) {
  return csv.split('\r\n').map((line, n) => {
    const cells = line.split(',');
    if (n === 0 || !['USA', 'INT', 'CAN'].includes(cells[0]) || cells[6] !== '1' || n % 5) return line;
    cells[7] = cells[7] === '1' ? '0' : '1';
    return cells.join(',');
  }).join('\r\n');
}

// Each writer: what the page's session writes (in this order: the import
// changes the data) and the native command that writes the same from the
// data set's file (`src`: the opened image, else the session's .dat).
const writers = [
  { file: '.dat', wasm: (s) => s.saved('saveAs', 'out.dat'),
    native: (c) => ['hex2dat', c.image ? 'source.hex' : 'case.hex', '-'] },
  { file: '.hex', wasm: (s) => s.saved('saveHex', 'out.hex'),
    native: (c) => (c.image ? ['import-csv', 'source.hex', 'header.csv', '-'] : ['dat2hex', 'case.dat', '-', ...c.dest]) },
  { file: 'CSV', wasm: (s) => s.saved('exportChannels', 'out.csv'), native: (c) => ['export-csv', c.src, '-', ...c.dest] },
  { file: 'report', wasm: async (s) => bytesOf(s.now('reportFileText')), native: (c) => ['report', c.src, '-o', '-', ...c.dest] },
  // Over the file opened again, as the command line opens it: the report
  // above put the EXP frequencies on the raster.
  { file: 'imported .dat', wasm: async (s, c) => {
    await s.saved('open', c.src, 'name');
    await s.saved('importChannels', 'table.csv');
    return s.saved('saveAs', 'imported.dat');
  }, native: (c) => ['import-csv', c.src, 'table.csv', 'imported.dat', ...c.dest], out: 'imported.dat' },
];

test('the session\'s files are the native command line\'s, byte for byte', async (t) => {
  const cli = nativeCli();
  t.after(cli.remove);
  for (const entry of corpus) {
    await t.test(entry.name, async () => {
      const files = memoryFiles(entry.image ? { 'source.hex': entry.image } : {});
      const { session, told } = await sessionRig({ files, answers: ['yes'] });
      session.saved = async (call, name, ...more) => {
        const result = await session.run(call, name, ...more);
        assert.deepEqual(textsOf(result), [], `${call} ${name}`);
        return files.files.get(name);
      };
      const { names } = session.now('state').destinations;
      await session.run('changeDestination', names.indexOf(entry.destination));
      if (entry.image) assert.equal((await session.run('open', 'source.hex', 'image')).ok, true);
      else assert.deepEqual((await entry.edit(session)).filter(Boolean), []);
      assert.deepEqual(told.asked.filter((q) => !q.startsWith('Do you want to change to')), []);

      await session.saved('saveAs', 'case.dat');
      await session.saved('saveHex', 'case.hex');
      const csv = new TextDecoder().decode(await session.saved('exportChannels', 'case.csv'));
      files.files.set('table.csv', bytesOf(tableOver(csv)));
      files.files.set('header.csv', bytesOf(`${csv.split('\r\n')[0]}\r\n`));
      for (const name of ['case.dat', 'case.hex', 'table.csv', 'header.csv', 'source.hex']) {
        if (files.files.has(name)) cli.put(name, files.files.get(name));
      }
      const c = { image: Boolean(entry.image), src: entry.image ? 'source.hex' : 'case.dat',
        dest: ['--destination', entry.destination] };
      for (const w of writers) {
        const wasm = await w.wasm(session, c);
        const native = cli.run(...w.native(c));
        assert.equal(native.stderr, '', `${w.file}: ${w.native(c).join(' ')}`);
        assert.ok(wasm, `${w.file}: the page's session wrote nothing`);
        const expected = w.out ? cli.file(w.out) : new Uint8Array(native.stdout);
        assert.ok(Buffer.from(wasm).equals(Buffer.from(expected)), `${w.file} differs from ${w.native(c).join(' ')}`);
      }
    });
  }
});
