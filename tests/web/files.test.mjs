// The page's session under Node, from the page's own .wasm: every file it
// writes is byte for byte what the native command line writes from the same
// data, and every call that waits for the page (a question, a file, the
// radio) comes back with the right questions, in order, and outcome.
import assert from 'node:assert/strict';
import test from 'node:test';

import {
  SerialConnection, createStandInSerial, memoryFiles, nativeCli, patternMemory, programmableMemory, programmed, sessionRig,
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
    s.now.setChannelFlags(usa(1, 9, 11, 20), 'scan', true),
    s.now.setChannelFlag(ch('USA', 13), 'lowPower', true, false),
    s.now.setChannelFlag(ch('USA', 22), 'enable', false, false),
    s.now.setChannelFlag(ch('USA', 24), 'powerUp', true, false),
    s.now.setCommon('resumeTime', 5), s.now.setCommon('dualWatch', 1), s.now.setCommon('pttScanClear', 1),
    s.now.setGroupUsable(1, false), s.now.setPriorityChannel(0, 9)] },
  { name: 'INT: EXP channels at the band\'s ends, ATIS', destination: 'INT', edit: (s) => [
    s.now.setExpFrequency(1, true, '137.000'), s.now.setExpFrequency(1, false, '173.975'),
    s.now.setExpDisplay(1, 'K9', 'y'), s.now.setChannelFlag(ch('EXP', 1), 'enable', true, false),
    s.now.setExpFrequency(20, true, '156.025'), s.now.setExpDisplay(20, '9', ''),
    s.now.setChannelFlag(ch('EXP', 20), 'enable', true, false),
    s.now.setChannelFlag(ch('EXP', 20), 'scan', true, false),
    s.now.setGroupUsable(3, true), s.now.setAtisCode('2119876543'), s.now.setAtisGroup(2, false)] },
  { name: 'CAN: weather channels, alert off, the model chosen again', destination: 'CAN', edit: async (s) => [
    (await s.run((c) => c.changeModel(1))).messages.length ? 'changeModel' : null,
    s.now.setChannelFlag(ch('WX', 0), 'scan', true, false),
    s.now.setChannelFlag(ch('WX', 9), 'enable', false, false),
    s.now.setCommon('weatherAlert', 0), s.now.setCommon('scan', 0)] },
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

const saveAs = (c, name) => c.saveAs(name);
const saveHex = (c, name) => c.saveHex(name);
const exportChannels = (c, name) => c.exportChannels(name);

// Each writer: what the page's session writes (in this order: the import
// changes the data) and the native command that writes the same from the
// data set's file (`src`: the opened image, else the session's .dat).
const writers = [
  { file: '.dat', wasm: (s) => s.saved(saveAs, 'out.dat'),
    native: (c) => ['hex2dat', c.image ? 'source.hex' : 'case.hex', '-'] },
  { file: '.hex', wasm: (s) => s.saved(saveHex, 'out.hex'),
    native: (c) => (c.image ? ['import-csv', 'source.hex', 'header.csv', '-'] : ['dat2hex', 'case.dat', '-', ...c.dest]) },
  { file: 'CSV', wasm: (s) => s.saved(exportChannels, 'out.csv'), native: (c) => ['export-csv', c.src, '-', ...c.dest] },
  { file: 'report', wasm: async (s) => bytesOf(s.now.reportFileText()), native: (c) => ['report', c.src, '-o', '-', ...c.dest] },
  // Over the file opened again, as the command line opens it: the report
  // above put the EXP frequencies on the raster.
  { file: 'imported .dat', wasm: async (s, c) => {
    await s.saved((d, name) => d.open(name, 'name'), c.src);
    await s.saved((d, name) => d.importChannels(name), 'table.csv');
    return s.saved(saveAs, 'imported.dat');
  }, native: (c) => ['import-csv', c.src, 'table.csv', 'imported.dat', ...c.dest], out: 'imported.dat' },
];

const KEPT_INCOMPLETE = /Saved with these enabled EXP channels incomplete/;

test('the session\'s files are the native command line\'s, byte for byte', async (t) => {
  const cli = nativeCli();
  t.after(cli.remove);
  for (const entry of corpus) {
    await t.test(entry.name, async () => {
      const files = memoryFiles(entry.image ? { 'source.hex': entry.image } : {});
      const { session, told } = await sessionRig({ files, answers: ['ok'] });
      // The bytes a call of the session wrote under `name`; the call said
      // nothing but, for odd images, that incomplete EXP channels were kept.
      session.saved = async (call, name) => {
        const result = await session.run((c) => call(c, name));
        assert.deepEqual(textsOf(result).filter((text) => !KEPT_INCOMPLETE.test(text)), [], `${call} ${name}`);
        return files.files.get(name);
      };
      const { names } = session.now.state().destinations;
      await session.run((c) => c.changeDestination(names.indexOf(entry.destination)));
      if (entry.image) assert.equal((await session.run((c) => c.open('source.hex', 'image'))).ok, true);
      else assert.deepEqual((await entry.edit(session)).filter(Boolean), []);
      assert.deepEqual(told.asked.filter((q) => !q.startsWith('Do you want to change to')), []);

      await session.saved(saveAs, 'case.dat');
      await session.saved(saveHex, 'case.hex');
      const csv = new TextDecoder().decode(await session.saved(exportChannels, 'case.csv'));
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
        assert.equal(native.stderr.split('\n').filter((line) => line && !KEPT_INCOMPLETE.test(line)).join('\n'), '',
          `${w.file}: ${w.native(c).join(' ')}`);
        assert.ok(wasm, `${w.file}: the page's session wrote nothing`);
        const expected = w.out ? cli.file(w.out) : new Uint8Array(native.stdout);
        assert.ok(Buffer.from(wasm).equals(Buffer.from(expected)), `${w.file} differs from ${w.native(c).join(' ')}`);
      }
    });
  }
});

// ---- the calls that wait for the page --------------------------------------

const WHERE = '(where to save?)';
const PARTLY = 'The radio was only partly programmed: it now holds a mix of old and new data. ' +
  'Program it again before using it.';
const PATH_FILES = {
  'short.hex': patternMemory(1).slice(0, 500),
  'other.dat': '[MAIN]\r\nMODEL=#MR999\r\nMODELTYPE=7\r\n',
  'locked.dat': new Error('Permission denied'),
  'odd.hex': programmableMemory(5),
  'bad.csv': 'Plan,Slot,Scan\r\nUSA,1,1\r\nUSA,999,1\r\n',
};
const END = { ok: [true, false], cancelled: [false, true], failed: [false, false] };

// Each row: the call, the page's answers (to questions, then to "where to
// save?"), and what follows: the questions in order, the messages, how the
// call ended, and the session after it. `modified`: an edit comes first;
// `standIn`: the radio is the page's own stand-in port, 50 times the
// cable's pace; `cancelAt`: Cancel once the progress reaches that.
const paths = [
  { name: 'Save changes? Yes: saved where the page says', modified: true, call: (c) => c.confirmDiscard(),
    answers: ['yes'], saveNames: ['kept.dat'], asked: [SAVE_CHANGES, WHERE], end: 'ok',
    after: { modified: false, filePath: 'kept.dat' }, wrote: ['kept.dat'] },
  { name: 'Save changes? Yes, but no file chosen', modified: true, call: (c) => c.confirmDiscard(), answers: ['yes'],
    asked: [SAVE_CHANGES, WHERE], end: 'cancelled', after: { modified: true } },
  { name: 'Save changes? No', modified: true, call: (c) => c.confirmDiscard(), answers: ['no'], asked: [SAVE_CHANGES],
    end: 'ok', after: { modified: true } },
  { name: 'Save changes? Cancel', modified: true, call: (c) => c.confirmDiscard(), answers: ['cancel'],
    asked: [SAVE_CHANGES], end: 'cancelled', after: { modified: true } },
  { name: 'nothing unsaved: no question', call: (c) => c.confirmDiscard(), end: 'ok' },
  { name: 'Save with no file yet: the page says where', modified: true, call: (c) => c.save(), saveNames: ['new.dat'],
    asked: [WHERE], end: 'ok', after: { modified: false, filePath: 'new.dat' }, wrote: ['new.dat'] },
  { name: 'a write the browser refuses', modified: true, call: (c) => c.saveAs('locked.dat'),
    told: ['FileSave Error!! (locked.dat: Permission denied)'], end: 'failed', after: { modified: true, filePath: '' } },
  { name: 'another destination, OK', call: (c) => c.changeDestination(2), answers: ['ok'],
    asked: ['Do you want to change to USA?'], end: 'ok', after: { destination: 2 } },
  { name: 'another destination, Cancel', call: (c) => c.changeDestination(1), answers: ['cancel'],
    asked: ['Do you want to change to INT?'], end: 'cancelled', after: { destination: 0 } },
  { name: 'the one model offered, chosen again: no question', call: (c) => c.changeModel(1), end: 'ok' },
  { name: 'a damaged memory image: the message, the data kept', modified: true, call: (c) => c.open('short.hex', 'name'),
    told: ['bad file!!'], end: 'failed', kept: true },
  { name: 'a settings file of another model: the data kept', modified: true, call: (c) => c.open('other.dat', 'name'),
    told: ['ModelType Error !!'], end: 'failed', kept: true },
  { name: 'a file the browser cannot give', call: (c) => c.open('gone.dat', 'name'),
    told: ['FileRead Error!! (gone.dat: No such file or directory)'], end: 'failed', kept: true },
  { name: 'a CSV with a bad line: the line named, nothing changed', call: (c) => c.importChannels('bad.csv'),
    told: ['The channels of bad.csv were not imported:\nline 3: Slot "999" is not a USA slot (0-113)'],
    end: 'failed', kept: true, after: { canUndo: false } },
  { name: 'compared with the file just saved', before: (c) => c.saveAs('same.dat'), call: (c) => c.compareWithFile('same.dat'),
    end: 'ok', found: ['No differences: the data on screen are the same as same.dat.'] },
  { name: 'programming data the radio would get wrong: the page says No', before: (c) => c.open('odd.hex', 'name'),
    call: (c) => c.confirmProgramming(), answers: ['no'], asked: [/^Before programming, please check:\n- The priority/],
    end: 'cancelled' },
  { name: 'a read on the virtual cable', call: (c) => c.readFromRadio(), told: ['Complete!!'], end: 'ok',
    after: { modified: false, undoAction: 'Read from Radio' }, found: [] },
  { name: 'the radio busy once: the page says Retry', faults: 'busy=1', call: (c) => c.readFromRadio(), answers: ['retry'],
    asked: ['Radio is busy!!'], told: ['Complete!!'], end: 'ok', found: [] },
  { name: 'programming with verify', modified: true, verify: true, call: (c) => c.programToRadio(),
    told: ['Verified: the radio holds every byte that was sent.'], end: 'ok', programmed: true },
  { name: 'the connection test', call: (c) => c.testConnection(), end: 'ok',
    told: ['The simulated radio answered: MR318 (model code 0x013E). It is ready to be read and programmed.'] },
  { name: 'a read through the page\'s stand-in port', standIn: true, call: (c) => c.readFromRadio(), told: ['Complete!!'],
    end: 'ok', found: [] },
  { name: 'Cancel mid-read: no message, the data kept', standIn: true, cancelAt: 30, modified: true,
    call: (c) => c.readFromRadio(), told: [], end: 'cancelled', kept: true, cans: 1 },
  { name: 'Cancel mid-programming: the radio holds a mix', standIn: true, cancelAt: 30, call: (c) => c.programToRadio(),
    told: [PARTLY], end: 'cancelled' },
];

async function runPath(row) {
  const files = memoryFiles({ ...PATH_FILES });
  const { session } = await sessionRig({ files });
  const answers = [...(row.answers ?? [])];
  const saveNames = [...(row.saveNames ?? [])];
  const asked = [];
  // The page answers on a later turn of its event loop, as a dialog does.
  const later = (value) => new Promise((resolve) => setImmediate(() => resolve(value)));
  let cancelled = false;
  session.hooks = {
    ask: (q) => { asked.push(q.text); return later(answers.shift() ?? q.defaultAnswer); },
    chooseSaveFile: () => { asked.push(WHERE); return later(saveNames.shift() ?? null); },
    progress: (percent) => {
      if (!row.cancelAt || percent < row.cancelAt || cancelled) return;
      cancelled = true;
      session.cancel();
    },
  };
  const radioBefore = patternMemory(7);
  let standIn = null;
  if (row.standIn) {
    // From the virtual cable the rig chose to the page's port, as the
    // page switches: nothing of the old link may be touched again.
    standIn = await createStandInSerial({ speed: 50 });
    standIn.radio.setMemory(radioBefore);
    session.useSerialPort(new SerialConnection(await standIn.requestPort()), 'sim');
  } else {
    session.useSimulatedRadio(row.faults);
    session.now.setSimulatedMemory(radioBefore);
  }
  if (row.modified) session.now.setChannelFlags(usa(1, 11), 'scan', true);
  if (row.verify) session.now.setVerify(true);
  if (row.before) assert.equal((await session.run(row.before)).ok, true);
  const dumpBefore = session.now.hexDump();
  const written = new Set(files.files.keys());

  const result = await session.run(row.call);

  assert.equal(asked.length, (row.asked ?? []).length, asked.join(' | '));
  (row.asked ?? []).forEach((q, i) => (q instanceof RegExp ? assert.match(asked[i], q) : assert.equal(asked[i], q)));
  assert.deepEqual(textsOf(result), row.told ?? []);
  assert.deepEqual([result.ok, result.cancelled], END[row.end]);
  const state = session.now.state();
  for (const [key, value] of Object.entries(row.after ?? {})) {
    assert.equal(key === 'destination' ? state.destinations.checked : state[key], value, key);
  }
  assert.deepEqual([...files.files.keys()].filter((n) => !written.has(n)), row.wrote ?? []);
  if (row.kept) {
    assert.deepEqual(session.now.hexDump(), dumpBefore);
    assert.equal(state.modified, Boolean(row.modified));
  }
  if (row.found) {
    // Compared with a file, or (after a read) with the radio again.
    const compared = 'title' in result && !('synchronised' in result) ? result : await session.run((c) => c.compareWithRadio());
    assert.deepEqual(compared.differences, []);
    if (row.found.length) assert.deepEqual(compared.noDifferences.map((m) => m.text), row.found);
  }
  if (row.programmed) {
    await session.run((c) => c.saveHex('sent.hex'));
    assert.deepEqual(session.now.simulatedMemory(), programmed(radioBefore, files.files.get('sent.hex')));
  }
  if (row.cancelAt) assert.equal(cancelled, true);
  if (standIn) assert.equal(standIn.radio.log().cans, row.cans ?? 0);
}

test('the session\'s waits for the page, path by path', { concurrency: true }, async (t) => {
  await Promise.all(paths.map((row) => t.test(row.name, () => runPath(row))));
});
