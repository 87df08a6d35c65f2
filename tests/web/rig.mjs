// What the browser edition's Node tests share: the built page folder (as
// served: the engine and the page's modules side by side), the page's
// session with recording hooks, memories to tell bytes apart, and the
// native command line.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const dir = process.env.RP770_WEB_DIR;
if (!dir) throw new Error('RP770_WEB_DIR must name the built page folder (build-web/web)');
const load = (name) => import(pathToFileURL(path.join(dir, name)).href);

export const { loadEngine, IMAGE_SIZE } = await load('engine.js');
export const { SerialConnection, portName, rememberedPort } = await load('serial.js');
export const { createStandInSerial, StandInSerial } = await load('standin-serial.js');

// A distinct value at (nearly) every address, and the supported model's code
// at both ends.
export function patternMemory(seed = 0) {
  const m = new Uint8Array(IMAGE_SIZE).map((_, i) => (i * 7 + seed) & 0xff);
  m.set([0x01, 0x3e], 0);
  m.set([0x01, 0x3e], IMAGE_SIZE - 2);
  return m;
}

// patternMemory(seed) with every EXP channel off: data the radio can be
// programmed with (a pattern enables EXP channels it gives no frequency or
// number, which programming refuses).
export function programmableMemory(seed = 0) {
  const m = patternMemory(seed);
  m.fill(0, 0x052, 0x055);  // the EXP enable map
  return m;
}

// Addresses a programming never sends: the model codes, 0x017, rows
// 0x0E0-0x0FF.
export const neverWritten = (a) => a < 2 || a === 0x17 || (a >= 0xe0 && a < 0x100) || a >= 0x3f0;

// What the radio holds after `image` was programmed over `before`.
export const programmed = (before, image) => before.map((b, a) => (neverWritten(a) ? b : image[a]));

// The texts of a result's messages.
export const texts = (result) => result.messages.map((m) => m.text);

export const { PageSession } = await load('session.js');
export const { RadioChoice } = await load('radio.js');

// The user's files as a map of name -> bytes; a name mapped to an Error
// fails with the error's text.
export function memoryFiles(initial = {}) {
  const files = new Map(Object.entries(initial));
  const bytes = (v) => (typeof v === 'string' ? new TextEncoder().encode(v) : v);
  return {
    files,
    text: (name) => new TextDecoder().decode(files.get(name)),
    async read(name) {
      const v = files.get(name);
      if (v === undefined) return { ok: false, kind: 'notFound', reason: 'No such file or directory' };
      if (v instanceof Error) return { ok: false, kind: 'denied', reason: v.message };
      return { ok: true, bytes: bytes(v) };
    },
    async write(name, data) {
      if (files.get(name) instanceof Error) return { ok: false, kind: 'denied', reason: files.get(name).message };
      files.set(name, data.slice());
      return { ok: true };
    },
  };
}

// A started session on an engine instance of its own, with the simulated
// radio on its virtual cable, storage in a map, and scripted answers: to
// questions in `answers` (in order), to "where to save" in `saveNames`.
export async function sessionRig({ answers = [], saveNames = [], files = memoryFiles(), storage = new Map(), switches = '' } = {}) {
  const told = { asked: [], before: [], progress: [], monitor: [] };
  const store = { getItem: (k) => storage.get(k) ?? null, setItem: (k, v) => storage.set(k, String(v)) };
  const session = new PageSession(await loadEngine(), {
    ask: (question) => {
      told.asked.push(question.text);
      told.before.push(...question.before.map((m) => m.text));
      const answer = answers.shift();
      if (answer instanceof Error) throw answer;
      return answer ?? question.defaultAnswer;
    },
    chooseSaveFile: () => saveNames.shift() ?? null,
    progress: (percent) => told.progress.push(percent),
    monitor: (text) => told.monitor.push(text),
  }, files, store, switches);
  const started = session.now.start();
  session.useSimulatedRadio();
  return { session, told, files, storage, started };
}

// patternMemory(seed) as a session holds it once opened as a memory image
// file (what it decodes to, encoded again): the bytes a read of it gives.
export async function heldImage(seed) {
  const { session } = await sessionRig({ files: memoryFiles({ 'pattern.hex': patternMemory(seed) }) });
  const opened = await session.run((c) => c.open('pattern.hex', 'image'));
  if (!opened.ok) throw new Error(opened.messages.map((m) => m.text).join(' | '));
  return session.now.imageBytes().slice(0, IMAGE_SIZE);
}

// The native command line built by the same run (RP770_NATIVE_CLI), run in a
// fresh folder of its own, with no remembered choices. run(...args) gives
// {status, stdout, stderr} (stdout as bytes); file(name) the bytes of a file
// there; put(name, bytes) writes one; remove() takes the folder away.
export function nativeCli() {
  const cli = process.env.RP770_NATIVE_CLI;
  if (!cli || !fs.existsSync(cli)) {
    throw new Error(`RP770_NATIVE_CLI must name the built rp770-cli (it is "${cli ?? ''}"): build the native tree first`);
  }
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'rp770-web-'));
  const env = { ...process.env, HOME: dir, XDG_CONFIG_HOME: dir };
  return {
    dir,
    run(...args) {
      try {
        return { status: 0, stdout: execFileSync(cli, args, { cwd: dir, env, stdio: 'pipe' }), stderr: '' };
      } catch (error) {
        if (typeof error.status !== 'number') throw error;
        return { status: error.status, stdout: error.stdout, stderr: String(error.stderr) };
      }
    },
    file: (name) => new Uint8Array(fs.readFileSync(path.join(dir, name))),
    put: (name, bytes) => fs.writeFileSync(path.join(dir, name), bytes),
    remove: () => fs.rmSync(dir, { recursive: true, force: true }),
  };
}
