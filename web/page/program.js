// Starts the program (glitter.js and glitter.wasm, beside the page) on the
// canvas with the four files it reads in its working folder, tells the page
// what the program says a user must see, and lets the page write those files
// and ask the program about its failed builds.

import FileList from '../../app/asset_files.json' with { type: 'json' };

// From the list of the files the program reads (the build and the server
// read it too): their names in the order it reads them, the shaders among
// them, the sprite, the modes by name ({ Glitter: 0, Fire: 1 }), and the
// mode whose picture each file changes.
export const AssetFiles = FileList.files.map(({ name }) => name);
export const ShaderFiles = FileList.files.filter(({ role }) => role !== 'sprite').map(({ name }) => name);
export const Sprite = FileList.files.find(({ role }) => role === 'sprite').name;
export const Modes = Object.fromEntries(FileList.modes.map((name, mode) => [name, mode]));
export const ModeOf = Object.fromEntries(FileList.files.map(({ name, mode }) => [name, Modes[mode]]));
// What the program rebuilds, as it numbers them: its two programs, then the sprite.
const Targets = [0, 1, 2];
// The program's working folder in its file system, where it opens the files.
const WorkingFolder = '/glitter';

// Starts the program once, with files ({ name: bytes or text }, a name left
// out is missing and the program says so) once the promise gives them.
// `page` is told: running() once main has started the program's loop,
// fatal(text) when start-up fails (the program's message, after every line
// it printed before), stopped() when it ends through Escape, crashed(what)
// if it aborts.
export function startProgram(canvas, page, files) {
  let fatalShown = false;
  const Module = {
    canvas,
    preRun: [() => {
      Module.addRunDependency('assets');
      files.then((contents) => {
        Module.FS.mkdir(WorkingFolder);
        Module.FS.chdir(WorkingFolder);
        for (const [name, bytes] of Object.entries(contents)) Module.FS.writeFile(name, bytes);
        Module.removeRunDependency('assets');
      });
    }],
    // After main, which has read the files and watches them from then on.
    postRun: [() => page.running()],
    // What the desktop writes to stdout and stderr goes to the console.
    print: (line) => console.log(line),
    printErr: (line) => console.error(line),
    showFatalMessage: (title, text) => {
      fatalShown = true;
      page.fatal(text);
    },
    onExit: (status) => {
      if (status === 0) page.stopped();
      else if (!fatalShown) page.crashed(`it exited with status ${status}`);
    },
    onAbort: (what) => page.crashed(String(what)),
  };
  window.Module = Module;
  const script = document.createElement('script');
  script.src = 'glitter.js';
  script.onerror = () => page.crashed('glitter.js could not be loaded');
  document.body.append(script);
  return Module;
}

// Saves files ({ name: text or bytes }) in the program's working folder in
// one go, as `make example` does on the desktop: each is written whole under
// another name, then all are renamed over the old ones together, so the
// watcher never reads one half written, sees a new file even within the same
// second, and builds each program once.
export function saveFiles(Module, files) {
  const names = Object.keys(files);
  for (const name of names) Module.FS.writeFile(`.${name}.saving`, files[name]);
  for (const name of names) Module.FS.rename(`.${name}.saving`, name);
}

// Each failed build on show, by target (Glitter's program, Fire's, the
// sprite): the text over the canvas ("" for none), the shader file that did
// not compile and the line its log names (0 for none), as the text quotes it.
export function failures(Module) {
  return Targets.map((target) => ({
    text: Module.UTF8ToString(Module._glitter_reload_error_text(target)),
    file: Module.UTF8ToString(Module._glitter_reload_error_file(target)),
    line: Module._glitter_reload_error_line(target),
  }));
}

// Brings mode on screen, as the m key would, unless it is there already.
export function showMode(Module, mode) {
  Module._glitter_show_mode(mode);
}
