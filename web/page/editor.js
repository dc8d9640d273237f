// The shader editor beside the picture: one CodeMirror view per shader file,
// a tab for each, and on each file the line its last failed build names.
import { defaultKeymap, history, historyKeymap, indentWithTab } from '@codemirror/commands';
import { bracketMatching, indentOnInput, indentUnit, StreamLanguage } from '@codemirror/language';
import { shader } from '@codemirror/legacy-modes/mode/clike';
import { lintGutter, lintKeymap, setDiagnostics } from '@codemirror/lint';
import { highlightSelectionMatches, search, searchKeymap } from '@codemirror/search';
import { Compartment, EditorState } from '@codemirror/state';
import { oneDark } from '@codemirror/theme-one-dark';
import {
  drawSelection, EditorView, highlightActiveLine, highlightActiveLineGutter, highlightSpecialChars, keymap,
  lineNumbers,
} from '@codemirror/view';

const glsl = StreamLanguage.define(shader);

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

// Makes an editor for names in parent, with their tabs in tabList. Each
// view is told to onEdit(name) at every change the user makes, and
// onSelect(name) when its tab is chosen. Tab indents; Escape, then Tab,
// gives the keys back to canvas.
export function createEditor({ parent, tabList, canvas, names, onEdit, onSelect }) {
  const readOnly = new Compartment();
  let locked = true;   // until the program runs, and while files come from elsewhere
  const extensions = (name) => [
    lineNumbers(),
    highlightActiveLineGutter(),
    highlightSpecialChars(),
    history(),
    drawSelection(),
    indentOnInput(),
    bracketMatching(),
    highlightActiveLine(),
    highlightSelectionMatches(),
    search({ top: true }),
    glsl,
    indentUnit.of('    '),   // as the shipped shaders indent
    oneDark,
    lintGutter(),
    keymap.of([...defaultKeymap, ...historyKeymap, ...searchKeymap, ...lintKeymap, indentWithTab]),
    readOnly.of(EditorState.readOnly.of(locked)),
    EditorView.contentAttributes.of({ 'aria-label': `${name}, shader source` }),
    EditorView.updateListener.of((update) => update.docChanged && onEdit(name)),
  ];

  const views = {}, tabs = {}, panels = {};
  for (const name of names) {
    tabs[name] = Object.assign(document.createElement('button'), { textContent: name, type: 'button' });
    tabs[name].setAttribute('role', 'tab');
    tabs[name].addEventListener('click', () => { editor.show(name); onSelect(name); });
    tabList.append(tabs[name]);
    panels[name] = parent.appendChild(document.createElement('div'));
    panels[name].setAttribute('role', 'tabpanel');
    views[name] = new EditorView({ parent: panels[name], state: EditorState.create({ extensions: extensions(name) }) });
  }
  // CodeMirror leaves a Tab pressed after Escape alone, for the browser to
  // move the focus on: it goes to the picture, which takes the keys.
  parent.addEventListener('keydown', (event) => {
    if (event.key === 'Tab' && !event.shiftKey && !event.defaultPrevented) {
      event.preventDefault();
      canvas.focus();
    }
  });

  let shown = names[0];
  const editor = {
    get shown() { return shown; },
    show(name) {
      shown = name;
      for (const other of names) {
        panels[other].hidden = other !== name;
        tabs[other].setAttribute('aria-selected', String(other === name));
      }
      views[name].requestMeasure();
    },
    text: (name) => views[name].state.doc.toString(),
    // Puts text in name's view as a file of its own: undo starts from it.
    setText(name, text) {
      views[name].setState(EditorState.create({ doc: text, extensions: extensions(name) }));
    },
    // Whether the user may type: not while the files come from elsewhere.
    setLocked(value) {
      locked = value;
      for (const name of names)
        views[name].dispatch({ effects: readOnly.reconfigure(EditorState.readOnly.of(value)) });
    },
    // Marks each file's failing line, and its tab, from the program's
    // failed builds; a build that succeeds takes its marks away.
    mark(failures) {
      for (const name of names) {
        const marks = diagnosticsFor(name, failures, views[name].state.doc);
        views[name].dispatch(setDiagnostics(views[name].state, marks));
        tabs[name].classList.toggle('failed', marks.length > 0);
      }
    },
  };
  editor.show(shown);
  return editor;
}
