// The page's script: runs Glitter on the canvas, shows what it says that a
// user must see, and lets the picture be resized.
import { saveFile, startProgram } from './program.js';
import { followResizeHandle } from './resize.js';

const canvas = document.getElementById('canvas');
const status = document.getElementById('status');

function showMessage(kind, title, text) {
  const message = document.getElementById('message');
  message.className = kind;
  document.getElementById('message-title').textContent = title;
  document.getElementById('message-text').textContent = text;
  message.hidden = false;
}

const page = {
  fatal(text) {
    status.textContent = '';
    const noWebGL = text.includes('OpenGL 2.0 not supported')
      ? '\nThis browser offers Glitter no WebGL, the web\'s OpenGL. Turn on hardware acceleration ' +
        '(or WebGL) in its settings, or try another browser.'
      : '';
    showMessage('fatal', 'Glitter could not start', text + noWebGL);
  },
  stopped() {
    status.textContent = '';
    showMessage('stopped', 'Glitter has stopped', 'Escape ends it, as on the desktop. Reload the page to start it again.');
  },
  crashed(what) {
    status.textContent = '';
    showMessage('fatal', 'Glitter stopped unexpectedly', what);
  },
};

// Opened from disk, the page says so itself (index.html) and starts nothing.
if (location.protocol !== 'file:') {
  followResizeHandle(document.getElementById('resize-handle'), canvas);
  const Module = startProgram(canvas, page);
  Module.onRuntimeInitialized = () => {
    status.textContent = 'Click the picture, then use the keys below.';
    canvas.focus({ preventScroll: true });
  };
  // For scripts of the page's own and its tests: save a file where the
  // program reads it, as an editor saves; its watcher builds it.
  window.glitter = { saveFile: (name, contents) => saveFile(Module, name, contents) };
}
