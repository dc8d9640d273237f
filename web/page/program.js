// Starts the program (glitter.js and glitter.wasm beside the page, built as
// an ES module factory) on the canvas, with the files it reads in its
// working folder, and hands the page what it needs to drive it: saving files
// where the program reads them, building them, showing a mode. What the
// program has to say reaches the page's listener as it happens:
//   built({ target, built, text, file, line }) after each build of a target
//     (0 Glitter's program, 1 Fire's, 2 the sprite), with the failure on show;
//   graphicsLost() and graphicsRestored() around a lost WebGL context;
//   knobs(mode, json) after each build of a mode's program and each turn of
//     a knob by its keys (the knobs as app/knobs.cpp KnobsJson writes them);
//   state({ mode, ... }) whenever the mode on screen, the clock, the axes or
//     the view change (web/host_events_web.cpp says what it holds);
//   ended(kind, title, text) once, when it ends: kind is 'fatal' (it could
//     not start, or stopped on an error) or 'stopped' (Escape).

// The program's working folder in its file system, where it opens the files.
const WorkingFolder = '/glitter';
// How much of a sprite's start the program checks it by.
export const SpriteStartBytes = 34;

// Writes files ({ name: text or bytes }) into the program's file system.
function writeAll(FS, files) {
  FS.mkdir(WorkingFolder);
  FS.chdir(WorkingFolder);
  for (const [name, contents] of Object.entries(files)) FS.writeFile(name, contents);
}

// The Module object the factory takes: where to draw, the files, and the
// page's ears. The program runs from postRun on: its main has read the
// files and its event loop goes on.
function moduleFor(canvas, files, listener, running) {
  let ended = false;
  const end = (kind, title, text) => {
    if (!ended) listener.ended(kind, title, text);
    ended = true;
  };
  return {
    canvas,
    preRun: [(module) => writeAll(module.FS, files)],
    postRun: [running],
    print: (line) => console.log(line),
    printErr: (line) => console.error(line),
    onBuilt: (event) => listener.built(event),
    onGraphicsLost: () => listener.graphicsLost(),
    onGraphicsRestored: () => listener.graphicsRestored(),
    onKnobs: (mode, json) => listener.knobs(mode, json),
    onState: (state) => listener.state(state),
    showFatalMessage: (title, text) => end('fatal', 'Glitter could not start', text),
    onExit: (status) => (status === 0
      ? end('stopped', 'Glitter has stopped', 'Escape ends it, as on the desktop. Reload the page to start it again.')
      : end('fatal', 'Glitter stopped unexpectedly', `It exited with status ${status}.`)),
    onAbort: (what) => end('fatal', 'Glitter stopped unexpectedly', String(what)),
  };
}

// Saves files ({ name: text or bytes }) in the program's working folder in
// one go, as `make example` does on the desktop: each is written whole under
// another name, then all are renamed over the old ones together, so the
// program never reads one half written and builds each of its programs once.
function saveAll(FS, files) {
  const names = Object.keys(files);
  for (const name of names) FS.writeFile(`.${name}.saving`, files[name]);
  for (const name of names) FS.rename(`.${name}.saving`, name);
}

// The handle the page drives the running program by.
function handleOf(module) {
  return {
    // Saves files where the program reads them; its watcher builds them.
    save: (files) => saveAll(module.FS, files),
    // Saves files and builds them at once: they were written whole.
    saveAndBuild(files) {
      saveAll(module.FS, files);
      module._glitter_build_saved_files();
    },
    showMode: (mode) => module._glitter_show_mode(mode),
    // One component of mode's knob number index, for the next frame.
    setKnob: (mode, index, component, value) => module._glitter_set_knob(mode, index, component, value),
    // Whether the program's loader would take a sprite that starts with the
    // bytes start and is length bytes in all; one it would refuse is reported
    // over the picture, as a failed build.
    checkSprite(start, length) {
      const bytes = start.subarray(0, SpriteStartBytes);
      module.HEAPU8.set(bytes, module._glitter_sprite_start());
      return module._glitter_check_sprite(bytes.length, length) !== 0;
    },
    readFile: (name) => module.FS.readFile(name),
    // The program's module itself, for the page's tests.
    module,
  };
}

// Starts the program once with files ({ name: bytes or text }; a name left
// out is missing, and the program says so). Resolves to its handle once it
// runs; if it ends first (it could not start), the listener has been told
// and the promise is rejected.
export async function startProgram(canvas, files, listener) {
  const { default: createGlitter } = await import(new URL('glitter.js', document.baseURI).href);
  return new Promise((resolve, reject) => {
    const told = { ...listener, ended: (...why) => { listener.ended(...why); reject(new Error(why[2])); } };
    const module = moduleFor(canvas, files, told, () => resolve(handleOf(module)));
    createGlitter(module).catch((error) => told.ended('fatal', 'Glitter stopped unexpectedly', String(error)));
  });
}
