// The page's script: runs Glitter on the canvas beside an editor of its
// shaders, with the gallery to pick from, a sprite to choose or drop, and the
// files to reset or download; shows what the program tells it, and lets the
// picture be resized. Each part is a module of its own; this one wires them.
import { ModeOf, Modes, ShaderFiles } from './files.js';
import { hideNotice, say, showEnd, showNotice, warnAboveEditor } from './notices.js';
import { createPicker, showPicked } from './picker.js';
import { startProgram } from './program.js';
import { followResizeHandle } from './resize.js';
import { fetchFiles, Live, loadGallery, Shipped, sourceOfHash } from './sources.js';
import {
  attachProgram, editFiles, heldBack, holdBackOnLostGraphics, keepEdits, noteBuilt, openSource, retryHeld,
  setUpWorkspace, workspaceSource,
} from './workspace.js';
import { wireActions } from './actions.js';
import { createKnobControls, lockKnobText, showKnobsOfMode } from './knob_controls.js';
import { takeKnobs } from './knob_values.js';

// Typing must rest this long before the edit goes to the program.
const RestMs = 150;

const element = (id) => document.getElementById(id);
const canvas = element('canvas');

let program = null, editor = null, gallery = null;
const failures = [null, null, null].map(() => ({ text: '', file: '', line: 0 }));
let lastEdited = ShaderFiles[0], restTimer = null;

const markEditor = () => editor?.markFiles(failures, heldBack());
const showMode = (name) => program && name in ModeOf && program.showMode(ModeOf[name]);

const editedTexts = () => Object.fromEntries(ShaderFiles.map((name) => [name, editor.textOf(name)]));

// Gives the program the edited texts now, and brings on screen the mode of
// the file edited last.
function buildEdits() {
  clearTimeout(restTimer);
  restTimer = null;
  showMode(lastEdited);
  editFiles(editedTexts());
}

// Keeps what was typed and not yet given to the program, as the page goes:
// it is given at the next visit.
function keepPendingEdits() {
  if (!restTimer) return;
  clearTimeout(restTimer);
  restTimer = null;
  keepEdits(editedTexts());
}

// What the program tells the page.
const programEars = {
  built(event) {
    failures[event.target] = event;
    noteBuilt(event);
    markEditor();
  },
  graphicsLost() {
    showNotice('The graphics were reset. Glitter goes on as soon as the browser gives them back.');
    holdBackOnLostGraphics();
  },
  graphicsRestored: () => heldBack().length || hideNotice(),
  knobs: takeKnobs,
  state: ({ mode }) => showKnobsOfMode(mode),
  ended(kind, title, text) {
    attachProgram(null);
    program = null;
    say('');
    const noWebGL = text.includes('OpenGL 2.0 not supported')
      ? '\nThis browser offers Glitter no WebGL, the web\'s OpenGL. Turn on hardware acceleration ' +
        '(or WebGL) in its settings, or try another browser.'
      : '';
    showEnd(kind, title, `${text}${noWebGL}`);
  },
};

// Why edits were held back, as the notice over the picture says it ("it"
// standing for the files).
const HeldBecause = {
  reopened: 'the page stopped (closed, frozen or crashed) while it was being tried, before it drew',
  graphics: 'the graphics were reset while it was being tried',
};

// What the workspace tells the page.
const workspaceEars = {
  show(texts) {
    for (const [name, text] of Object.entries(texts)) editor.setText(name, text);
  },
  // Files from a source or the live folder: the mode they change comes on
  // screen, and the first shader among them in the editor; for an example,
  // the first file it has of its own.
  changed(names) {
    const example = gallery.examples.find((entry) => entry.name === workspaceSource());
    const name = example ? example.files[0] : names[0];
    if (ShaderFiles.includes(name)) editor.showFile(name);
    showMode(name);
  },
  held(names, why) {
    const files = names.join(' and '), plural = names.length > 1;
    const because = plural ? HeldBecause[why].replace(/\bit\b/g, 'they') : HeldBecause[why];
    showNotice(`${files} ${plural ? 'are' : 'is'} held back: ${because}. The picture shows the files that last drew.`,
               'Try again', () => retryHeld());
    const them = plural ? 'them' : 'it';
    warnAboveEditor(`${files}: held back, not built. Edit ${them}, or press Try again over the picture, to build ${them}.`);
    markEditor();
  },
  released() {
    hideNotice();
    showPickedAgain();
    markEditor();
  },
  kept: (why) => (why ? warnAboveEditor(`This browser could not keep your edits: ${why}`) : showPickedAgain()),
  liveTrouble: (why) => (why ? warnAboveEditor(`Following the folder on the server has stopped working: ${why}. ` +
                                               'The page goes on trying.') : showPickedAgain()),
};

// The line above the editor back to what the source is, after a warning.
const showPickedAgain = () => element('source').classList.contains('warning') && showPicked(workspaceSource());

// Switches the workspace, the picker and the editor to source.
async function pick(source) {
  editor.setLocked(source === Live);
  for (const id of ['reset', 'choose-sprite']) element(id).disabled = source === Live;
  lockKnobText(source === Live);
  showPicked(source);
  await openSource(source);
}

// The editor, once its module has loaded.
async function loadEditor() {
  const { createEditor, ...view } = await import('./editor.js');
  createEditor({
    parent: element('editor'), tabList: element('tabs'), canvas, fileNames: ShaderFiles,
    edited(name) {
      lastEdited = name;
      clearTimeout(restTimer);
      restTimer = setTimeout(buildEdits, RestMs);
    },
    selected: showMode,
  });
  return view;
}

async function start() {
  followResizeHandle(element('resize-handle'), canvas);
  createKnobControls(() => editor);
  gallery = await loadGallery();
  createPicker(gallery, element('gallery'));
  setUpWorkspace(gallery, canvas, workspaceEars);
  const source = sourceOfHash(location.hash, gallery);
  const editorLoaded = loadEditor();
  // The program starts with files that build (a source's own, the shipped
  // ones for the live folder); the user's edits come after, as saves, so a
  // broken one is shown like any other instead of stopping the start.
  const startFiles = await fetchFiles(source === Live ? Shipped : source, gallery);
  program = await startProgram(canvas, startFiles, programEars).catch(() => null);
  attachProgram(program, startFiles);
  editor = await editorLoaded;
  if (program) {
    say('Click the picture, then use the keys below.');
    canvas.focus({ preventScroll: true });
  }
  await pick(sourceOfHash(location.hash, gallery));   // chosen while the program loaded, perhaps
  wireActions({ gallery, program: () => program, buildPending: () => restTimer && buildEdits(), keepPending: keepPendingEdits, pick });
  // For the page's tests and scripts of its own: a file saved where the
  // program reads it, as an editor saves (its watcher builds it), a file as
  // the program has it, the failed builds on show, by target, and the
  // program's module.
  window.glitter = {
    saveFile: (name, contents) => program?.save({ [name]: contents }),
    readFile: (name) => program?.readFile(name),
    failures: () => failures.map((failure) => ({ ...failure })),
    module: program?.module,
  };
}

// Opened from disk, the page says so itself (index.html) and starts nothing.
if (location.protocol !== 'file:') start();
