// The page's own shapes, shared by its modules for the type check.
import type { EditorTexts, FieldHelp, Icon, Message, SessionState } from './rp770.js';
import type { PageSession } from './session.js';

// A message box of the engine's, or one the page says itself.
export interface Shown {
  text: string;
  title: string;
  icon: Icon;
  detail?: string;
}

// What the screens and windows get of the page (app.js).
export interface PageContext {
  session: PageSession;
  texts: EditorTexts;
  // The help of each field, shown as its tooltip and in its screen's help line.
  fieldHelp: FieldHelp;
  state: SessionState | null;
  debugMode: boolean;
  validating: boolean;
  hint(text: string): void;
  // An edit of the session: its refusal shown; true when taken.
  edit(call: () => Message[] | null): Promise<boolean>;
  showMessages(messages: Shown[]): Promise<void>;
  guard<T>(check: () => T | Promise<T>): Promise<T>;
  isTree(node: EventTarget | null): boolean;
  treeKey(): string | null;
  nodeText(): string;
  openNode(key: string): Promise<boolean>;
  changed(options?: { force?: boolean }): void;
  // Saves the bytes where the user says: null, or why not.
  saveText(bytes: Uint8Array<ArrayBuffer>): Promise<string | null>;
}

// A screen the tree shows.
export interface Screen {
  element: HTMLElement;
  grey?: boolean;
  refresh(): void;
}
