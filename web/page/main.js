// The page's script: runs Glitter on the canvas beside an editor of its
// shaders, with the gallery to pick from, a sprite to choose or drop, and the
// files to reset or download; shows what the program says a user must see,
// and lets the picture be resized.
import { download } from './download.js';
import { createEditor } from './editor.js';
import { failures, Modes, ModeOf, saveFiles, ShaderFiles, showMode, Sprite, startProgram } from './program.js';
import { followResizeHandle } from './resize.js';
import { fetchFiles, hashOf, Live, loadGallery, Shipped, sourceOfHash } from './sources.js';
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
const programEnded = (title, text) => {
  status.textContent = '';
  showMessage(title === 'Glitter has stopped' ? 'stopped' : 'fatal', title, text);
  running?.end();
};
const page = {
  running: () => {},
  fatal(text) {
    const noWebGL = text.includes('OpenGL 2.0 not supported')
      ? '\nThis browser offers Glitter no WebGL, the web\'s OpenGL. Turn on hardware acceleration ' +
        '(or WebGL) in its settings, or try another browser.'
      : '';
    programEnded('Glitter could not start', text + noWebGL);
  },
  stopped: () => programEnded('Glitter has stopped', 'Escape ends it, as on the desktop. Reload the page to start it again.'),
  crashed: (what) => programEnded('Glitter stopped unexpectedly', what),
};

// The gallery's links: the shipped files, every example, and the server's
// live folder if it has one; the chosen one marked.
function fillPicker(gallery) {
  const entries = [{ source: Shipped, title: 'Shipped', caption: 'The files Glitter ships with.' },
                   ...gallery.examples.map(({ name, title, caption }) => ({ source: name, title, caption }))];
  if (gallery.live)
    entries.push({ source: Live, title: 'Live', caption: `The files in ${gallery.live} on the server, as they are saved.` });
  for (const { source, title, caption } of entries) {
    const link = Object.assign(document.createElement('a'), { href: hashOf(source), textContent: title, title: caption });
    link.dataset.source = source;
    element('gallery').append(link);
  }
  return entries;
}

// What the editor's panel says about the source it shows.
function describe(source, entries, gallery) {
  for (const link of element('gallery').children)
    link.toggleAttribute('aria-current', link.dataset.source === source);
  const { title, caption } = entries.find((entry) => entry.source === source);
  element('source').textContent = source === Live
    ? `Following ${gallery.live} on the server: save a file there in any editor and it shows here. ` +
      'To edit in the page, pick Shipped or an example.'
    : `${title}: ${caption}`;
  for (const id of ['reset', 'choose-sprite']) element(id).disabled = source === Live;
}

async function start() {
  followResizeHandle(element('resize-handle'), canvas);
  const gallery = await loadGallery();
  const entries = fillPicker(gallery);
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
      const now = JSON.stringify(failures(Module));
      if (now !== shownFailures) editor.mark(JSON.parse(now));
      shownFailures = now;
    }, FailurePollMs);
    running = { end: () => { clearInterval(poll); editor.setLocked(true); running = null; } };
    const source = sourceOfHash(location.hash, gallery);   // chosen while the program loaded, perhaps
    workspace.open(source);
    describe(source, entries, gallery);
    status.textContent = 'Click the picture, then use the keys below.';
    canvas.focus({ preventScroll: true });
  };
  const files = await startFiles;
  for (const name of ShaderFiles) editor.setText(name, files[name] ?? '');
  describe(firstSource, entries, gallery);

  window.addEventListener('hashchange', () => {
    const source = sourceOfHash(location.hash, gallery);
    if (!running || source === workspace.source) return;
    if (restTimer) buildEdits();   // what was typed belongs to the source it was typed in
    workspace.open(source);
    describe(source, entries, gallery);
  });
  // Nothing typed is lost to a closed tab, however soon after typing.
  window.addEventListener('pagehide', () => running && restTimer && buildEdits());

  element('reset').addEventListener('click', () => {
    const what = workspace.source === Shipped ? 'the shipped files' : 'this example\'s own files';
    if (!running || !confirm(`Bring back ${what}? Your edits to them are lost.`)) return;
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
  element('sprite-file').addEventListener('change', (event) => event.target.files[0] && useSprite(event.target.files[0]));
  canvas.addEventListener('dragover', (event) => event.preventDefault());
  canvas.addEventListener('drop', (event) => {
    event.preventDefault();
    if (event.dataTransfer.files[0]) useSprite(event.dataTransfer.files[0]);
  });
}

// Opened from disk, the page says so itself (index.html) and starts nothing.
if (location.protocol !== 'file:') start();
