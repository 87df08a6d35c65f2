// The engine's module (rp770.js with rp770.wasm, built from src/web): what
// the page may call and what comes back. The entry points are those of
// src/web/Bindings.cpp, name for name; the test web_boundary fails when the
// two differ. Names of areas, switches and settings travel as short words;
// byte arrays as Uint8Array.

// ---- what the engine says and asks ----

export type Icon = 'none' | 'information' | 'warning' | 'critical' | 'question';
export type Buttons = 'ok' | 'okCancel' | 'yesNo' | 'yesNoCancel' | 'retryCancel';
export type Answer = 'ok' | 'cancel' | 'yes' | 'no' | 'retry';

// One message box, in the program's own words. (Message ids and their
// arguments will travel beside the text.)
export interface Message {
  text: string;
  title: string;
  icon: Icon;
  detail: string;
}

export interface Question {
  text: string;
  title: string;
  icon: Icon;
  buttons: Buttons;
  defaultAnswer: Answer;
  // What was said before the question, to be shown first.
  before: Message[];
  // A choice shown with the question (a check box), as it is offered.
  option?: QuestionOption;
}

export interface QuestionOption {
  text: string;
  checked: boolean;
}

// The answer to a question with a choice: the button, and the choice as left.
export interface OptionAnswer {
  answer: Answer | string;
  option: boolean;
}

// How a command ended; `messages` to be shown in order.
export interface Outcome {
  ok: boolean;
  cancelled: boolean;
  messages: Message[];
}

export interface TransferOutcome extends Outcome {
  synchronised: boolean;
  completed: boolean;
  partial: boolean;
  verified: boolean;
  commError: boolean;
}

export interface Difference {
  area: string;
  channel: string;
  field: string;
  a: string;
  b: string;
  line: string;
}

export interface Differences {
  differences: Difference[];
  title: string;
  other: string;
  // The message that says there are none (empty when there are some).
  noDifferences: Message[];
  // What Copy puts on the clipboard: tab-separated, no cell a spreadsheet would run as a formula.
  spreadsheet: string;
}

export type FileComparison = Outcome & Partial<Differences> & { differences: Difference[] };
export type RadioComparison = TransferOutcome & Partial<Differences> & { differences: Difference[] };

export interface ProbeOutcome extends Outcome {
  found: boolean;
}

// ---- the data on the screens ----

export type Area = 'USA' | 'INT' | 'CAN' | 'WX' | 'EXP';
export type ChannelFlag = 'enable' | 'scan' | 'duplex' | 'txEnable' | 'lowPower' | 'powerUp';
export type CommonField = 'scan' | 'resumeTime' | 'pttScanClear' | 'dualWatch' | 'weatherAlert';
// How a file to open is told: by its name (".hex"), or as the kind named.
export type FileKind = 'name' | 'settings' | 'image' | 'content';
export type NoticeSource = 'edit' | 'undo' | 'redo' | 'correction' | 'replacement' | 'saved';

export interface Channel {
  area: Area;
  index: number;
}

export interface Notice {
  source: NoticeSource;
  area: Area | null;
  channel: Channel | null;
  field: number;
}

export interface SessionState {
  caption: string;
  modified: boolean;
  canUndo: boolean;
  canRedo: boolean;
  undoAction: string;
  redoAction: string;
  modelNumber: number;
  modelName: string;
  messageTitle: string;
  models: { number: number; caption: string }[];
  modelMenuVisible: boolean;
  destinations: { enabled: boolean; names: string[]; checked: number };
  filePath: string;
  flags: { atis: boolean; wx: boolean; wa: boolean };
  verify: boolean;
  device: string;
  debugMode: boolean;
}

export interface TreeNode {
  key: string;
  text: string;
  parent: string;
}

export type ScreenKind = 'general' | 'grey' | 'common' | 'list' | 'weather' | 'editor' | 'none';
export interface NodeScreen extends Channel {
  kind: ScreenKind;
}

export interface SwitchView {
  caption: string;
  checked: boolean;
  enabled: boolean;
  visible: boolean;
}

export interface ChoiceView {
  items: { text: string; data: number }[];
  // -1: nothing selected; -2: the selection stays as it is.
  selected: number;
  enabled: boolean;
  visible: boolean;
}

export interface TextView {
  text: string;
  enabled: boolean;
  editable: boolean;
}

export interface CommonSetupView {
  scan: ChoiceView;
  resumeTime: ChoiceView;
  pttScanClear: ChoiceView;
  dualWatch: ChoiceView;
  weatherAlert: ChoiceView;
  weatherAlertVisible: boolean;
  groups: { usable: SwitchView; priority: ChoiceView }[];
  atisVisible: boolean;
  atisGroups: SwitchView[];
  atisCode: TextView;
}

export interface GridColumn {
  header: string;
  widthTwips: number;
  flag: ChannelFlag | null;
  // The editor's box the column's cells are typed into ("displayLeft" for
  // the display's cell, standing for both its boxes); null: not typed in.
  typed: EditorBox | null;
}

// A switch's cell: its check box, ticked as the channel has the switch, and
// usable where the editor's box of that switch is.
export interface GridCheck {
  checked: boolean;
  enabled: boolean;
}

export interface ChannelListView {
  area: Area;
  name: string;
  columns: GridColumn[];
  rows: string[][];
  channels: Channel[];
  tips: string[];
  // By row and column: the check box of a switch's cell, null for other cells.
  checks: (GridCheck | null)[][];
}

export interface ListMenuView {
  flags: { flag: ChannelFlag; name: string; setText: string; clearText: string; canSet: boolean; canClear: boolean }[];
  openText: string;
  openEnabled: boolean;
}

export interface EditorView {
  exp: boolean;
  displayLeft: TextView;
  displayRight: TextView;
  rx: TextView;
  tx: TextView;
  unit: string;
  enable: SwitchView;
  scan: SwitchView;
  duplex: SwitchView;
  txEnable: SwitchView;
  lowPower: SwitchView;
  powerUp: SwitchView;
}

export type EditorBox = 'displayLeft' | 'displayRight' | 'rx' | 'tx';
// Where the focus went when it left a box: another control of the editor,
// the navigation tree, or anywhere else.
export type FocusTo = 'editor' | 'tree' | 'elsewhere';
// Why the editor's form stopped: the messages to show, the box to put the
// focus in, and whether that box's own entry was refused.
export interface EditorStop {
  messages: Message[];
  box: EditorBox;
  entryRefused: boolean;
}

export interface WeatherRow {
  label: string;
  enable: SwitchView;
  scan: SwitchView;
}

// Texts in twips from the printable area's top left, page by page.
export type PrintedPages = { x: number; y: number; text: string }[][];

// The screens' keyboard hints.
export interface EditorTexts {
  tree: string;
  grid: string;
  checkBox: string;
  combo: string;
  atis: string;
  displayLeft: string;
  displayRight: string;
  rx: string;
  tx: string;
  wxEnable: string;
  wxScan: string;
}

// The help of each field of the editing screens, by the field's name.
export type HelpField = 'scan' | 'resumeTime' | 'pttScanClear' | 'dualWatch' | 'weatherAlert' | 'usableGroup'
  | 'usableExpGroup' | 'priorityChannel' | 'atisGroup' | 'atisCode' | 'enable' | 'displayLeft' | 'displayRight' | 'rx'
  | 'tx' | 'txEnable' | 'lowPower' | 'powerUp' | 'duplex' | 'scanMemory' | 'wxEnable' | 'wxScan';
export type FieldHelp = Record<HelpField, string>;

// ---- what the engine calls back (src/web/WebEventLoop.h, PageHooks.h, WebSession.h) ----

// A copy of unsaved changes offered back, in the catalogue's words (the
// buttons with their "&" keys).
export interface SnapshotOffer {
  fileName: string;
  keptAt: string;
  question: string;
  title: string;
  restore: string;
  discard: string;
  later: string;
}

export interface FileResult {
  ok: boolean;
  bytes?: Uint8Array;
  kind?: string;
  reason?: string;
}

// None of its promises may reject: a rejected one would leave the engine
// suspended for good.
export interface Runtime {
  sleep(ms: number): Promise<void>;
  wait(ms: number): Promise<void>;
  breathe(): Promise<void>;
  takeCancel(): boolean;
  progress(percent: number): void;
  monitor(text: string): void;
  activity(text: string): void;
  controls(enabled: boolean): void;
  ask(question: Question): Promise<Answer | string | OptionAnswer>;
  chooseSaveFile(): Promise<string | null>;
  chooseOpenFile(kind: 'data' | 'hex' | 'csv'): Promise<string | null>;
  storageGet(key: string): string | null;
  storageSet(key: string, value: string): void;
  readFile(name: string): Promise<FileResult>;
  writeFile(name: string, bytes: Uint8Array): Promise<FileResult>;
  // The page's store of what is kept of the radios (web/keep.js), read and
  // written at once; keeping() is false when the page keeps nothing.
  keeping(): boolean;
  keptWrite(name: string, bytes: Uint8Array): void;
  keptRead(name: string): Uint8Array | null;
  keptRemove(name: string): void;
  keptEntries(): { name: string; size: number }[];
}

// A memory image kept of a radio: `id` opens it; `time` is UTC, ISO 8601;
// `atis` "none" when the image holds no ATIS code.
export interface KeptImage {
  id: string;
  time: string;
  model: string;
  atis: string;
  reason: 'read' | 'before-programming';
  size: number;
}

// A radio left partly programmed, on `port` (as the session names it);
// `question`: whether to program it again, in the user's language.
export interface PartlyProgrammed {
  port: string;
  file: string;
  time: string;
  question: string;
}

// The PC end of a serial port as the engine's link drives it (web/serial.js).
export interface PortConnection {
  open(options: SerialOptions): Promise<{ ok: boolean; number: number; text: string }>;
  close(): Promise<void>;
  isOpen(): boolean;
  write(bytes: Uint8Array): boolean;
  take(): Uint8Array;
  lastError(): { number: number; text: string };
}

// ---- the entry points ----

interface Handle {
  delete(): void;
}

// A call that may wait comes back as a promise when it did wait, and as its
// value when it did not: web/session.js runs them, one at a time.
export type MayWait<T> = T | Promise<T>;

// The calls of the session that never wait.
export interface SessionViews {
  start(): Outcome;
  state(): SessionState;
  takeNotices(): Notice[];
  treeNodes(): TreeNode[];
  screenOfNode(key: string, parentKey: string): NodeScreen;
  rowNodeKey(listKey: string, channelName: string, rowNumber: number): string;
  commonSetup(): CommonSetupView;
  channelList(area: Area): ChannelListView;
  listMenu(area: Area, selection: Channel[]): ListMenuView;
  columnFlagChange(area: Area, column: number, selection: Channel[]): { flag: ChannelFlag; on: boolean } | null;
  loadEditor(channel: Channel): EditorView | null;
  editorView(): EditorView | null;
  reloadEditor(): EditorView | null;
  editorChannel(): Channel | null;
  clearEditor(): void;
  // The editor's form: a switch of the shown channel (null when taken, else
  // the refusal's messages), typed text (the text the box keeps), an entry
  // finished and the check before a command (null, or why they stopped).
  editorSwitch(flag: ChannelFlag, on: boolean): Message[] | null;
  editorType(box: EditorBox, text: string): string;
  editorFinish(box: EditorBox, to: FocusTo): EditorStop | null;
  // A channel list's cell typed into: what it holds as its entry starts, and
  // its text as typed (the text it keeps).
  editorCellText(box: EditorBox): string;
  editorTypeCell(box: EditorBox, text: string): string;
  editorCommit(leaving: boolean): EditorStop | null;
  editorTyped(): boolean;
  editorUnfinished(): boolean;
  weather(): WeatherRow[];
  hexDump(): string[];
  // Edits: null when taken, else the refusal's messages.
  setChannelFlag(channel: Channel, flag: ChannelFlag, on: boolean, later: boolean): Message[] | null;
  setChannelFlags(channels: Channel[], flag: ChannelFlag, on: boolean): Message[] | null;
  setExpDisplay(n: number, left: string, right: string): Message[] | null;
  setExpFrequency(n: number, rx: boolean, text: string): Message[] | null;
  setCommon(field: CommonField, value: number): Message[] | null;
  setGroupUsable(group: number, usable: boolean): Message[] | null;
  setPriorityChannel(group: number, code: number): Message[] | null;
  setAtisGroup(group: number, on: boolean): Message[] | null;
  setAtisCode(text: string): Message[] | null;
  undo(): boolean;
  redo(): boolean;
  // Copies of the session kept aside: the session as one (kept at an ISO
  // 8601 UTC time), the offer of one (null: not a copy), one put back
  // (still unsaved, with its file); the data as a settings text file.
  snapshot(keptAt: string): string;
  snapshotOffer(text: string): SnapshotOffer | null;
  restoreSnapshot(text: string): Outcome;
  settingsText(): string;
  textReport(): string;
  reportFileText(): string;
  printedReport(pageHeightTwips: number): PrintedPages;
  // A port object of web/serial.js, named as messages name it.
  useSerialPort(port: PortConnection, device: string): void;
  // Empty, or why the fault names were not understood.
  useSimulatedRadio(faults: string): string;
  simulatedMemory(): Uint8Array | null;
  setSimulatedMemory(bytes: Uint8Array): boolean;
  imageBytes(): Uint8Array;
  setVerify(on: boolean): void;
  // What is kept of the radios.
  keptImages(): KeptImage[];
  partlyProgrammed(): PartlyProgrammed[];
  forgetPartial(port: string): void;
}

// The calls of the session that may wait: a file, a question, the radio.
export interface SessionCommands {
  confirmDiscard(): MayWait<Outcome>;
  newData(): MayWait<Outcome>;
  open(name: string, kind: FileKind): MayWait<Outcome>;
  // "Save changes?", then the runtime's chooseOpenFile('data'), then the file.
  openChosenFile(): MayWait<Outcome>;
  // "Save changes?", then the file kept under `name`.
  openFile(name: string): MayWait<Outcome>;
  changeModel(model: number): MayWait<Outcome>;
  changeDestination(entry: number): MayWait<Outcome>;
  save(): MayWait<Outcome>;
  saveAs(name: string): MayWait<Outcome>;
  saveHex(name: string): MayWait<Outcome>;
  exportChannels(name: string): MayWait<Outcome>;
  importChannels(name: string): MayWait<Outcome>;
  compareWithFile(name: string): MayWait<FileComparison>;
  confirmProgramming(): MayWait<Outcome>;
  readFromRadio(): MayWait<TransferOutcome>;
  programToRadio(): MayWait<TransferOutcome>;
  compareWithRadio(): MayWait<RadioComparison>;
  testConnection(): MayWait<ProbeOutcome>;
  // A kept image opened as a memory image file.
  openKept(id: string): MayWait<Outcome>;
  // The plan that was being sent to the port when it stopped, as the data.
  resumePartial(port: string): MayWait<Outcome>;
}

export interface WebSession extends SessionViews, SessionCommands, Handle {}

export interface StandInLog {
  pcBytes: number;
  radioBytes: number;
  cans: number;
  syncRequests: number;
  statusRequests: number;
  readRequests: number;
  writeRequests: number;
}

export interface StandInRadio extends Handle {
  write(bytes: Uint8Array, now: number): void;
  take(now: number): Uint8Array;
  nextArrival(): number;
  unplug(): void;
  setFaults(names: string): string;
  memory(): Uint8Array;
  setMemory(bytes: Uint8Array): boolean;
  log(): StandInLog;
}

// The free functions: the boxes' key rules (with code points) and checks
// (with texts), and what belongs to no session.
export interface EngineRules {
  frequencyKeyAllowed(key: number): boolean;
  frequencyKeyTyped(key: number): number;
  atisKeyAllowed(key: number): boolean;
  displayKeyAllowed(key: number, leftBoxEmpty: boolean): boolean;
  // A channel list's cell: a key after `before` (the text before the cursor), judged once translated.
  cellKeyAllowed(box: EditorBox, key: number, before: string): boolean;
  cellKeyTyped(box: EditorBox, key: number): number;
  expFrequencyValid(text: string): boolean;
  atisCodeValid(text: string): boolean;
}

// The functions that belong to no session.
export interface EngineFunctions extends EngineRules {
  editorTexts(): EditorTexts;
  fieldHelp(): FieldHelp;
  programVersion(): string;
  shippedFileNames(): string[];
  shippedFile(name: string): Uint8Array | null;
  // The language the engine speaks from now on: the page's catalogue, {Id: text}.
  setLanguage(language: string, messages: Record<string, string>): void;
}

export interface Engine extends EngineFunctions {
  WebSession: new (runtime: Runtime, switchLine: string) => WebSession;
  StandInRadio: new () => StandInRadio;
}

export interface EngineOptions {
  instantiateWasm?(imports: WebAssembly.Imports, receive: (instance: WebAssembly.Instance, module: WebAssembly.Module) => void): object;
  wasmBinary?: ArrayBuffer | Uint8Array;
}

export default function createRp770(options?: EngineOptions): Promise<Engine>;
