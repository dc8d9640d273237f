// The shader editor beside the picture: one CodeMirror view per shader file,
// a tab for each, and on each file the line its last failed build names. The
// page loads this module after the program has started: the picture need not
// wait for the editor.
import { defaultKeymap, history, historyKeymap, indentWithTab } from '@codemirror/commands';
import { bracketMatching, indentOnInput, indentUnit } from '@codemirror/language';
import { lintGutter, lintKeymap, setDiagnostics } from '@codemirror/lint';
import { highlightSelectionMatches, search, searchKeymap } from '@codemirror/search';
import { Compartment, EditorState } from '@codemirror/state';
import { oneDark } from '@codemirror/theme-one-dark';
import {
  drawSelection, EditorView, highlightActiveLine, highlightActiveLineGutter, highlightSpecialChars, keymap,
  lineNumbers,
} from '@codemirror/view';
import { glsl } from './glsl.js';

// The marks for file name in doc, from the program's failed builds: the
// whole line each compiler log names (the line the text over the canvas
// quotes), with that text below its heading of file names as the message.
export function diagnosticsFor(name, failures, doc) {
  return failures.filter((failure) => failure.file === name && failure.line > 0).map((failure) => {
    const line = doc.line(Math.min(failure.line, doc.lines));
    const message = failure.text.trimEnd().split('\n').slice(1).join('\n');
    return { from: line.from, to: line.to, severity: 'error', message };
  });
}

const readOnly = new Compartment();
let locked = true;   // until the program runs, and while files come from elsewhere
let names = [], onEdit = null;
const views = {}, tabs = {}, panels = {};
let shown = null;

// What each view is made of: the usual editing, GLSL, the marks, and a
// report of every change the user makes.
const extensions = (name) => [
  lineNumbers(), highlightActiveLineGutter(), highlightSpecialChars(), history(), drawSelection(),
  indentOnInput(), bracketMatching(), highlightActiveLine(), highlightSelectionMatches(), search({ top: true }),
  glsl, indentUnit.of('    '), oneDark, lintGutter(),
  keymap.of([...defaultKeymap, ...historyKeymap, ...searchKeymap, ...lintKeymap, indentWithTab]),
  readOnly.of(EditorState.readOnly.of(locked)),
  EditorView.contentAttributes.of({ 'aria-label': `${name}, shader source` }),
  EditorView.updateListener.of((update) => update.docChanged && onEdit(name)),
];

// A tab and a view for name.
function addFile(name, parent, tabList, onSelect) {
  tabs[name] = Object.assign(document.createElement('button'), { textContent: name, type: 'button' });
  tabs[name].setAttribute('role', 'tab');
  tabs[name].addEventListener('click', () => { showFile(name); onSelect(name); });
  tabList.append(tabs[name]);
  panels[name] = parent.appendChild(document.createElement('div'));
  panels[name].setAttribute('role', 'tabpanel');
  views[name] = new EditorView({ parent: panels[name], state: EditorState.create({ extensions: extensions(name) }) });
}

// Makes the editor for fileNames in parent, with their tabs in tabList.
// edited(name) is called at every change the user makes, selected(name)
// when a tab is chosen. Tab indents; Escape, then Tab, gives the keys back
// to canvas.
export function createEditor({ parent, tabList, canvas, fileNames, edited, selected }) {
  names = fileNames;
  onEdit = edited;
  for (const name of names) addFile(name, parent, tabList, selected);
  // CodeMirror leaves a Tab pressed after Escape alone, for the browser to
  // move the focus on: it goes to the picture, which takes the keys.
  parent.addEventListener('keydown', (event) => {
    if (event.key === 'Tab' && !event.shiftKey && !event.defaultPrevented) {
      event.preventDefault();
      canvas.focus();
    }
  });
  showFile(names[0]);
}

export const shownFile = () => shown;

export function showFile(name) {
  shown = name;
  for (const other of names) {
    panels[other].hidden = other !== name;
    tabs[other].setAttribute('aria-selected', String(other === name));
  }
  views[name].requestMeasure();
}

export const textOf = (name) => views[name].state.doc.toString();

// Puts text in name's view as a file of its own: undo starts from it.
export function setText(name, text) {
  if (text !== textOf(name)) views[name].setState(EditorState.create({ doc: text, extensions: extensions(name) }));
}

// Changes name's text to text as an edit of the user's: one step that undo
// takes back, built like any other. Only the part that differs is replaced,
// so the cursor and the marks elsewhere stay.
export function editText(name, text) {
  const old = textOf(name);
  if (old === text) return;
  const shorter = Math.min(old.length, text.length);
  let from = 0, fromEnd = 0;
  while (from < shorter && old[from] === text[from]) from++;
  while (fromEnd < shorter - from && old.at(-1 - fromEnd) === text.at(-1 - fromEnd)) fromEnd++;
  const changes = { from, to: old.length - fromEnd, insert: text.slice(from, text.length - fromEnd) };
  views[name].dispatch({ changes, userEvent: 'input' });
}

// Whether the user may type: not while the files come from elsewhere.
export function setLocked(value) {
  locked = value;
  for (const name of names) views[name].dispatch({ effects: readOnly.reconfigure(EditorState.readOnly.of(value)) });
}

// Marks each file's failing line, and its tab, from the program's failed
// builds; a build that succeeds takes its marks away. A file held back is
// marked on its tab.
export function markFiles(failures, held) {
  for (const name of names) {
    const marks = diagnosticsFor(name, failures, views[name].state.doc);
    views[name].dispatch(setDiagnostics(views[name].state, marks));
    tabs[name].classList.toggle('failed', marks.length > 0);
    tabs[name].classList.toggle('held', held.includes(name));
    tabs[name].title = held.includes(name) ? `${name} is held back: it has not drawn yet` : '';
  }
}
