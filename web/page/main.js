// The page's script: runs Glitter on the canvas beside an editor of its
// shaders, with the gallery to pick from, a sprite to choose or drop, and the
// files to reset or download; shows what the program says a user must see,
// and lets the picture be resized.
import { download } from './download.js';
import { createEditor } from './editor.js';
import { failures, Modes, ModeOf, saveFiles, ShaderFiles, showMode, Sprite, startProgram } from './program.js';
import { followResizeHandle } from './resize.js';
import { createPicker } from './picker.js';
import { fetchFiles, Live, loadGallery, Shipped, sourceOfHash } from './sources.js';
import { createWorkspace } from './workspace.js';

// Typing must rest this long before the edit goes to the program.
const RestMs = 300;
// How often the program is asked about its failed builds, for the marks.
const FailurePollMs = 100;

const element = (id) => document.getElementById(id);
const canvas = element('canvas');
const status = element('status');

function showMessage(kind, title, text) {
  const message = element('message');
  message.className = kind;
  element('message-title').textContent = title;
  element('message-text').textContent = text;
  message.hidden = false;
}

// What the program says a user must see; and, while it runs, what the page
// does with it.
let running = null;   // set once the program runs, cleared when it ends
const programEnded = (kind, title, text) => {
  status.textContent = '';
  showMessage(kind, title, text);
  running?.end();
};
const page = {
  running: () => {},
  fatal(text) {
    const noWebGL = text.includes('OpenGL 2.0 not supported')
      ? '\nThis browser offers Glitter no WebGL, the web\'s OpenGL. Turn on hardware acceleration ' +
        '(or WebGL) in its settings, or try another browser.'
      : '';
    programEnded('fatal', 'Glitter could not start', text + noWebGL);
  },
  stopped: () => programEnded('stopped', 'Glitter has stopped',
                               'Escape ends it, as on the desktop. Reload the page to start it again.'),
  crashed: (what) => programEnded('fatal', 'Glitter stopped unexpectedly', what),
};

async function start() {
  followResizeHandle(element('resize-handle'), canvas);
  const gallery = await loadGallery();
  const picker = createPicker(gallery, element('gallery'), element('source'));
  // The chosen source on show; nothing to reset or replace in the live folder's.
  const describe = (source) => {
    picker.show(source);
    for (const id of ['reset', 'choose-sprite']) element(id).disabled = source === Live;
  };
  const firstSource = sourceOfHash(location.hash, gallery);
  // The program starts with files that build (a source's own, the shipped
  // ones for the live folder); the user's edits come after, as saves, so a
  // broken one is shown like any other instead of stopping the start.
  const startFiles = fetchFiles(firstSource === Live ? Shipped : firstSource, gallery);
  const Module = startProgram(canvas, page, startFiles);
  // For scripts of the page's own and its tests: save a file where the
  // program reads it, as an editor saves; its watcher builds it.
  window.glitter = { saveFile: (name, contents) => saveFiles(Module, { [name]: contents }) };

  let lastEdited = ShaderFiles[0], restTimer = null, workspace;
  const editor = createEditor({
    parent: element('editor'), tabList: element('tabs'), canvas, names: ShaderFiles,
    onEdit(name) {
      lastEdited = name;
      clearTimeout(restTimer);
      restTimer = setTimeout(buildEdits, RestMs);
    },
    onSelect: (name) => running && showMode(Module, ModeOf[name]),
  });
  // Gives the program the edited texts now, and brings on screen the mode
  // of the file edited last.
  function buildEdits() {
    clearTimeout(restTimer);
    restTimer = null;
    workspace.edit(Object.fromEntries(ShaderFiles.map((name) => [name, editor.text(name)])));
    showMode(Module, ModeOf[lastEdited]);
  }
  async function useSprite(file) {
    if (!running || workspace.source === Live) return;
    workspace.edit({ [Sprite]: new Uint8Array(await file.arrayBuffer()) });
    showMode(Module, Modes.Fire);
    status.textContent = `${file.name} was saved as the sprite, ${Sprite}.`;
  }

  page.running = async () => {
    workspace = createWorkspace(Module, editor, gallery, await startFiles, {
      // Files from a source or the live folder: the mode they change comes
      // on screen, and the first shader among them in the editor; for an
      // example, the first file it has of its own.
      changed(names) {
        const example = gallery.examples.find((entry) => entry.name === workspace.source);
        const name = example ? example.files[0] : names[0];
        if (ShaderFiles.includes(name)) editor.show(name);
        if (name) showMode(Module, ModeOf[name]);
      },
      unkept: (why) => { element('source').textContent = `This browser could not keep your edits: ${why}`; },
    });
    let shownFailures = '';
    const poll = setInterval(() => {
      const now = failures(Module);
      if (JSON.stringify(now) !== shownFailures) editor.mark(now);
      shownFailures = JSON.stringify(now);
    }, FailurePollMs);
    running = { end: () => { clearInterval(poll); editor.setLocked(true); running = null; } };
    const source = sourceOfHash(location.hash, gallery);   // chosen while the program loaded, perhaps
    workspace.open(source);
    describe(source);
    status.textContent = 'Click the picture, then use the keys below.';
    canvas.focus({ preventScroll: true });
  };
  const files = await startFiles;
  for (const name of ShaderFiles) editor.setText(name, files[name] ?? '');
  describe(firstSource);

  window.addEventListener('hashchange', () => {
    const source = sourceOfHash(location.hash, gallery);
    if (!running || source === workspace.source) return;
    if (restTimer) buildEdits();   // what was typed belongs to the source it was typed in
    workspace.open(source);
    describe(source);
  });
  // Nothing typed is lost to a closed tab, however soon after typing.
  window.addEventListener('pagehide', () => running && restTimer && buildEdits());

  element('reset').addEventListener('click', () => {
    if (!running) return;
    const what = workspace.source === Shipped ? 'the shipped files' : 'this example\'s own files';
    if (!confirm(`Bring back ${what}? Your edits to them are lost.`)) return;
    clearTimeout(restTimer);
    restTimer = null;
    workspace.reset();
  });
  element('download').addEventListener('click', () => {
    if (!running) return;
    if (restTimer) buildEdits();
    download(`glitter-${workspace.source}.zip`, workspace.current());
  });
  element('choose-sprite').addEventListener('click', () => element('sprite-file').click());
  element('sprite-file').addEventListener('change', (event) => {
    if (event.target.files[0]) useSprite(event.target.files[0]);
    event.target.value = '';   // so that the same file chosen again is read again
  });
  canvas.addEventListener('dragover', (event) => event.preventDefault());
  canvas.addEventListener('drop', (event) => {
    event.preventDefault();
    if (event.dataTransfer.files[0]) useSprite(event.dataTransfer.files[0]);
  });
}

// Opened from disk, the page says so itself (index.html) and starts nothing.
if (location.protocol !== 'file:') start();
