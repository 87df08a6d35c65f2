// The first page over the engine: pick the simulated radio or a serial port,
// read, program, test the connection, cancel. The real page comes later and
// takes engine.js, serial.js and standin-serial.js as they are.
import { RadioLink, loadEngine } from './engine.js';
import { SerialConnection, choosePort, portName, rememberedPort, webSerial } from './serial.js';
import { createStandInSerial } from './standin-serial.js';

const $ = (id) => document.getElementById(id);
const engine = await loadEngine();
let image = engine.shippedFile('USA_013E.ini');  // the factory image until a read
let standIn = null;
let serialPort = null;

const BUTTON_TEXT = { ok: 'OK', cancel: 'Cancel', retry: 'Retry', yes: 'Yes', no: 'No' };
const tell = (messages) => messages.forEach(({ text, title, detail }) => say(`${title}: ${text}${detail ? `\n${detail}` : ''}`));
const link = new RadioLink(engine, {
  // A question of the link: OK in the browser's box takes the first button.
  ask: ({ text, buttons, defaultAnswer, before }) => {
    tell(before);
    const [first, second] = { okCancel: ['ok', 'cancel'], retryCancel: ['retry', 'cancel'], yesNo: ['yes', 'no'] }[buttons] ??
      [defaultAnswer, defaultAnswer];
    return window.confirm(`${text}\n\nOK: ${BUTTON_TEXT[first]}, Cancel: ${BUTTON_TEXT[second]}`) ? first : second;
  },
  progress: (percent) => { $('progress').value = percent; },
  activity: (text) => { $('activity').textContent = text; },
});

function say(text) {
  const item = document.createElement('li');
  item.textContent = text;
  $('messages').append(item);
}

function showImage() {
  const lines = [];
  for (let a = 0; a < image.length; a += 16) {
    const row = [...image.subarray(a, a + 16)].map((b) => b.toString(16).padStart(2, '0').toUpperCase());
    lines.push(`${a.toString(16).padStart(4, '0').toUpperCase()}  ${row.join(' ')}`);
  }
  $('dump').textContent = lines.join('\n');
}

async function connect() {
  if (document.querySelector('input[name=port]:checked').value === 'simulated') {
    standIn ??= await createStandInSerial();
    link.useSerialPort(new SerialConnection(await standIn.requestPort()), 'the simulated radio');
    return true;
  }
  if (!serialPort) {
    say('Choose the serial port first.');
    return false;
  }
  link.useSerialPort(new SerialConnection(serialPort), portName(serialPort));
  return true;
}

async function transfer(operation) {
  $('messages').replaceChildren();
  if (!(await connect())) return;
  for (const id of ['read', 'program', 'test', 'choose']) $(id).disabled = true;
  $('cancel').disabled = false;
  try {
    await operation();
  } finally {
    for (const id of ['read', 'program', 'test', 'choose']) $(id).disabled = false;
    $('cancel').disabled = true;
    $('progress').value = 0;
  }
}

$('read').addEventListener('click', () => transfer(async () => {
  const result = await link.read(image);
  tell(result.messages);
  if (result.completed) {
    image = result.image;
    showImage();
  }
}));
$('program').addEventListener('click', () => transfer(async () => tell((await link.program(image)).messages)));
$('test').addEventListener('click', () => transfer(async () => say((await link.testConnection()).text)));
$('cancel').addEventListener('click', () => link.cancel());
$('pulled').addEventListener('change', async (event) => {
  standIn ??= await createStandInSerial();
  if (event.target.checked) standIn.pullCable();
  else standIn.plugCable();
});

const serial = webSerial();
if (!serial) {
  $('use-serial').disabled = true;
  $('choose').disabled = true;
  $('serial-note').textContent = 'This browser has no Web Serial: Chrome, Edge and Opera have it.';
} else {
  serialPort = await rememberedPort(serial);
  if (serialPort) $('serial-note').textContent = portName(serialPort);
  $('choose').addEventListener('click', async () => {
    try {
      serialPort = await choosePort(serial);
      $('serial-note').textContent = portName(serialPort);
      $('use-serial').checked = true;
    } catch {
      // No port chosen.
    }
  });
}
showImage();
