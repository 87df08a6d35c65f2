// The engine's boundary against its declaration (web/rp770.d.ts, read with
// the TypeScript compiler): every entry point the module registers is
// declared with as many parameters, and nothing else is; and the objects
// the calls give back have the properties declared, no more, no fewer.
import assert from 'node:assert/strict';
import { readdir, readFile } from 'node:fs/promises';
import { fileURLToPath } from 'node:url';
import test from 'node:test';
import ts from 'typescript';

import { heldImage, loadEngine, memoryFiles, sessionRig } from './rig.mjs';

const declaration = fileURLToPath(new URL('../../web/rp770.d.ts', import.meta.url));
const program = ts.createProgram([declaration], { strict: true, noEmit: true, target: ts.ScriptTarget.ES2022 });
const checker = program.getTypeChecker();
const exported = new Map(checker.getExportsOfModule(checker.getSymbolAtLocation(program.getSourceFile(declaration)))
  .map((symbol) => [symbol.name, checker.getDeclaredTypeOfSymbol(symbol)]));

const typeNamed = (name) => {
  const type = exported.get(name);
  assert.ok(type, `rp770.d.ts declares ${name}`);
  return type;
};
const callSignature = (type, name) => checker.getSignaturesOfType(
  checker.getTypeOfSymbol(checker.getPropertyOfType(type, name)), ts.SignatureKind.Call)[0];

// name -> number of parameters, of the methods a declared interface has (those of `leaving` left out).
function declaredMethods(name, leaving = []) {
  const type = typeNamed(name);
  return Object.fromEntries(checker.getPropertiesOfType(type)
    .filter((p) => !leaving.includes(p.name) && callSignature(type, p.name))
    .map((p) => [p.name, callSignature(type, p.name).parameters.length]));
}

// The same, of what the module registered.
function registeredMethods(object, leaving = []) {
  return Object.fromEntries(Object.getOwnPropertyNames(object)
    .filter((name) => typeof object[name] === 'function' && typeof object[name].argCount === 'number' &&
      !leaving.includes(name))
    .map((name) => [name, object[name].argCount]));
}

test('every entry point is declared, with as many parameters', async () => {
  const engine = await loadEngine();
  const classes = Object.keys(engine).filter((k) => typeof engine[k]?.prototype?.isDeleted === 'function');
  assert.deepEqual(classes.sort(), ['StandInRadio', 'WebSession']);
  const rows = [
    { name: 'WebSession', declared: declaredMethods('WebSession', ['delete']),
      registered: registeredMethods(engine.WebSession.prototype) },
    { name: 'StandInRadio', declared: declaredMethods('StandInRadio', ['delete']),
      registered: registeredMethods(engine.StandInRadio.prototype) },
    { name: 'the free functions', declared: declaredMethods('Engine', classes),
      registered: registeredMethods(engine, classes) },
  ];
  for (const row of rows) assert.deepEqual(row.registered, row.declared, row.name);
});

// The engine calls back into the page by name: the runtime's methods and
// the port's (src/web). Each name it calls is one the declaration gives the
// page to provide, and each one declared is called.
test('what the engine calls back is what the page is declared to provide', async () => {
  const folder = new URL('../../src/web/', import.meta.url);
  const sources = await Promise.all((await readdir(folder)).filter((n) => /\.(cpp|h)$/.test(n))
    .map((n) => readFile(new URL(n, folder), 'utf8')));
  const called = (object) => [...new Set(sources.flatMap((text) => [
    ...text.matchAll(new RegExp(`${object}\\.call<[^>]*>\\("(\\w+)"`, 'g')),
    ...text.matchAll(new RegExp(`${object}\\["(\\w+)"\\]`, 'g'))].map((m) => m[1])))].sort();
  assert.deepEqual(called('runtime_'), Object.keys(declaredMethods('Runtime')).sort(), 'the runtime');
  assert.deepEqual(called('port_'), Object.keys(declaredMethods('PortConnection')).sort(), 'the port');
});

// The properties a value of the declared type has: [required, optional],
// for an object type; the element type's for an array; null and promises
// (a call that may wait) set aside.
function declaredShape(type) {
  let t = checker.getNonNullableType(type);
  if (t.isUnion()) t = t.types.find((u) => u.getSymbol()?.name !== 'Promise') ?? t;
  if (checker.isArrayType(t)) return declaredShape(checker.getTypeArguments(t)[0]);
  const properties = checker.getPropertiesOfType(t);
  const optional = (p) => (p.flags & ts.SymbolFlags.Optional) !== 0;
  return [properties.filter((p) => !optional(p)).map((p) => p.name).sort(), properties.filter(optional).map((p) => p.name)];
}

function actualShape(value) {
  let v = value;
  while (Array.isArray(v)) v = v[0];
  return Object.keys(v).sort();
}

function assertShape(value, type, what) {
  assert.ok(value !== null && value !== undefined && (!Array.isArray(value) || value.length), `${what} gave something`);
  const [required, optional] = declaredShape(type);
  const actual = actualShape(value);
  assert.deepEqual(actual.filter((k) => !optional.includes(k)), required, what);
}

test('what the calls give back has the declared properties', async () => {
  const files = memoryFiles({ 'image.hex': await heldImage(4) });
  const { session, started } = await sessionRig({ files, answers: ['ok'] });
  const s = session.now;
  const views = typeNamed('SessionViews');
  const commands = typeNamed('SessionCommands');
  const returned = (type, name) => checker.getReturnTypeOfSignature(callSignature(type, name));
  const exp1 = { area: 'EXP', index: 1 };
  const rows = [
    ['start', started],
    ['state', s.state()],
    ['treeNodes', s.treeNodes()],
    ['screenOfNode', s.screenOfNode('General', '')],
    ['commonSetup', s.commonSetup()],
    ['channelList', s.channelList('USA')],
    ['listMenu', s.listMenu('USA', [{ area: 'USA', index: 1 }])],
    ['columnFlagChange', s.columnFlagChange('USA', 6, [{ area: 'USA', index: 1 }])],
    ['loadEditor', s.loadEditor(exp1)],
    ['editorChannel', s.editorChannel()],
    ['weather', s.weather()],
    ['editorFinish', (s.editorType('rx', '1'), s.editorFinish('rx', 'editor'))],  // not a frequency
    ['takeNotices', (s.setChannelFlag({ area: 'USA', index: 1 }, 'scan', true, false), s.takeNotices())],
    ['editorCommit', (s.editorType('rx', ''), s.editorSwitch('enable', true), s.editorCommit(true))],
    ['printedReport', s.printedReport(15000)],
    ['snapshotOffer', s.snapshotOffer(s.snapshot('2026-12-09T06:10:00Z'))],
    ['restoreSnapshot', s.restoreSnapshot(s.snapshot('2026-12-09T06:10:00Z'))],
  ];
  for (const [name, value] of rows) assertShape(value, returned(views, name), name);

  const waited = [
    ['open', await session.run((c) => c.open('image.hex', 'image'))],
    ['compareWithFile', await session.run((c) => c.compareWithFile('image.hex'))],
    ['readFromRadio', await session.run((c) => c.readFromRadio())],
    ['compareWithRadio', await session.run((c) => c.compareWithRadio())],
    ['testConnection', await session.run((c) => c.testConnection())],
  ];
  for (const [name, value] of waited) assertShape(value, returned(commands, name), name);
  assertShape(rows.find(([name]) => name === 'editorFinish')[1].messages, typeNamed('Message'), 'a message');
  assertShape(new (await loadEngine()).StandInRadio().log(), typeNamed('StandInLog'), 'the stand-in\'s log');
});

// Every command that may wait, driven through a wait: the engine suspends
// in the middle of it and resumes when the page answers, a file arrives or
// the radio's bytes do. A function on that way left out of the Asyncify
// list (src/web/asyncify-only.txt) breaks the resumed call, and this test
// with it. A command that cannot wait today says so: once it can, its row
// must drive it through the wait.
const later = (value) => new Promise((resolve) => { setImmediate(() => resolve(value)); });
const standIn = { port: true };
const commandRows = {
  confirmDiscard: { edited: true, call: (c) => c.confirmDiscard(), waits: true },  // "Save changes?"
  newData: { edited: true, call: (c) => c.newData(), waits: true },  // "Save changes?"
  open: { call: (c) => c.open('odd.hex', 'image'), waits: true },
  openChosenFile: { call: (c) => c.openChosenFile(), waits: true },  // the page's file picker
  openFile: { edited: true, call: (c) => c.openFile('odd.hex'), waits: true },
  changeModel: { call: (c) => c.changeModel(1), waits: false },  // one model on offer: nothing to ask
  changeDestination: { call: (c) => c.changeDestination(1), waits: true },  // "Do you want to change to INT?"
  save: { edited: true, call: (c) => c.save(), waits: true },  // where, then the file
  saveAs: { call: (c) => c.saveAs('a.dat'), waits: true },
  saveHex: { call: (c) => c.saveHex('a.hex'), waits: true },
  exportChannels: { call: (c) => c.exportChannels('a.csv'), waits: true },
  importChannels: { call: (c) => c.importChannels('table.csv'), waits: true },
  compareWithFile: { call: (c) => c.compareWithFile('odd.hex'), waits: true },
  confirmProgramming: { opened: 'odd.hex', call: (c) => c.confirmProgramming(), waits: true },  // "Before programming..."
  readFromRadio: { ...standIn, call: (c) => c.readFromRadio(), waits: true },
  programToRadio: { ...standIn, call: (c) => c.programToRadio(), waits: true },
  compareWithRadio: { ...standIn, call: (c) => c.compareWithRadio(), waits: true },
  testConnection: { ...standIn, call: (c) => c.testConnection(), waits: true },
  // The kept files are read at once: nothing to wait for.
  openKept: { call: (c) => c.openKept('20261209T061500Z-MR318-none-read-1.hex'), waits: false },
  resumePartial: { call: (c) => c.resumePartial('sim'), waits: false },
};

test('every command that may wait comes back whole from its wait', async (t) => {
  assert.deepEqual(Object.keys(commandRows).sort(), Object.keys(declaredMethods('SessionCommands')).sort());
  const { createStandInSerial, SerialConnection, programmableMemory } = await import('./rig.mjs');
  const table = 'Plan,Slot,Scan\r\nUSA,1,1\r\n';
  for (const [name, row] of Object.entries(commandRows)) {
    await t.test(name, async () => {
      const files = memoryFiles({ 'odd.hex': programmableMemory(5), 'table.csv': table });
      const { session } = await sessionRig({ files });
      if (row.opened) await session.run((c) => c.open(row.opened, 'image'));
      if (row.edited) session.now.setChannelFlags([{ area: 'USA', index: 1 }], 'scan', true);
      if (row.port) {
        const serial = await createStandInSerial({ speed: 50 });
        session.useSerialPort(new SerialConnection(await serial.requestPort()), 'sim');
      }
      session.hooks = { ask: (q) => later(q.buttons === 'yesNoCancel' ? 'no' : q.defaultAnswer), chooseSaveFile: () => later('b.dat'),
        chooseOpenFile: () => later('odd.hex') };
      let suspended = null;
      const result = await session.run((c) => {
        const called = row.call(c);
        suspended = called instanceof Promise;
        return called;
      });
      assert.equal(suspended, row.waits, 'waited');
      assert.ok(Array.isArray(result.messages), 'came back with its outcome');
      assert.equal(typeof result.ok, 'boolean');
      assert.equal(session.busy, false);
      assert.equal(typeof session.now.state().caption, 'string', 'the engine takes calls again');
    });
  }
});
