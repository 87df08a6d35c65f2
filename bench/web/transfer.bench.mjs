// A whole read and a whole programming as a click runs them: the page's
// session (session.js), the engine's session and link, the page's Web Serial
// code and the stand-in port at 4800-baud pacing, in real time, beside the
// line's bound: every byte on the line (both ways; an echo travels with its
// byte) at 480 bytes a second, plus the pauses the protocol demands (10 ms
// before each transmission, 1000 ms before synchronising, 500 ms after the
// block phase, 10 ms for each row a programming skips).
//   RP770_WEB_DIR=build-web/web node bench/web/transfer.bench.mjs [runs]
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const dir = process.env.RP770_WEB_DIR ?? 'build-web/web';
const load = (name) => import(pathToFileURL(path.resolve(dir, name)).href);
const { loadEngine } = await load('engine.js');
const { PageSession } = await load('session.js');
const { SerialConnection } = await load('serial.js');
const { createStandInSerial } = await load('standin-serial.js');

const runs = Number(process.argv[2] ?? 1);
const SKIPPED_ROWS = 3;  // 0x0E0, 0x0F0, 0x3F0
const TARGET = 1.03;

async function transfer(op) {
  const serial = await createStandInSerial();
  const files = { read: async () => ({ ok: false }), write: async () => ({ ok: false }) };
  const session = new PageSession(await loadEngine(), {}, files, null);
  session.now.start();
  const connection = new SerialConnection(await serial.requestPort());
  let writes = 0;
  const write = connection.write.bind(connection);
  connection.write = (bytes) => (++writes, write(bytes));
  session.useSerialPort(connection, 'the stand-in port');
  const start = performance.now();
  const result = await session.run((c) => (op === 'read' ? c.readFromRadio() : c.programToRadio()));
  const seconds = (performance.now() - start) / 1000;
  if (!result.completed) throw new Error(`${op} failed: ${result.messages.map((m) => m.text).join(' | ')}`);
  const { pcBytes, radioBytes } = serial.radio.log();
  const bound = (pcBytes + radioBytes) * 10 / 4800 + 0.010 * writes + 1.0 + 0.5 +
    (op === 'program' ? 0.010 * SKIPPED_ROWS : 0);
  return { seconds, bound };
}

console.log(`the page's path (session.js -> WebSession -> link -> serial.js -> stand-in port), x the wire bound (target ${TARGET})`);
console.log('transfer  run  seconds  bound_s  x_bound');
const worst = { read: 0, program: 0 };
for (const op of ['read', 'program']) {
  for (let run = 1; run <= runs; ++run) {
    const { seconds, bound } = await transfer(op);
    worst[op] = Math.max(worst[op], seconds / bound);
    console.log(`${op.padEnd(8)} ${String(run).padStart(4)} ${seconds.toFixed(3).padStart(8)} ${bound.toFixed(3).padStart(8)}` +
      ` ${(seconds / bound).toFixed(4).padStart(8)}`);
  }
}
const over = Object.entries(worst).filter(([, x]) => x > TARGET).map(([op, x]) => `${op} ${x.toFixed(4)}`);
console.log(over.length ? `OVER TARGET: ${over.join('; ')}` : `within the target: read ${worst.read.toFixed(4)} x, program ${worst.program.toFixed(4)} x`);
