// Starts the program (glitter.js and glitter.wasm, beside the page) on the
// canvas, with the four files it reads fetched from beside the page into its
// working folder, and tells the page what the program says a user must see.

export const AssetFiles = ['confetti.vert', 'fire.vert', 'fire.frag', 'particle.bmp'];
// The program's working folder in its file system, where it opens the files.
const WorkingFolder = '/glitter';

// The bytes of a file served beside the page, or null if there is none: the
// program then says which file is missing, as it does on the desktop.
async function fetchFile(name) {
  const response = await fetch(name, { cache: 'no-cache' });
  return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
}

// Starts the program once. `page` is told: fatal(text) when start-up fails
// (the program's message, after every line it printed before),
// stopped() when it ends through Escape, crashed(what) if it aborts.
export function startProgram(canvas, page) {
  let fatalShown = false;
  const Module = {
    canvas,
    preRun: [() => {
      Module.addRunDependency('assets');
      Promise.all(AssetFiles.map(fetchFile)).then((files) => {
        Module.FS.mkdir(WorkingFolder);
        Module.FS.chdir(WorkingFolder);
        files.forEach((bytes, i) => bytes && Module.FS.writeFile(AssetFiles[i], bytes));
        Module.removeRunDependency('assets');
      });
    }],
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

// Saves text or bytes as file name in the program's working folder, as a
// careful editor saves: written whole under another name, then renamed over
// the old file, so the program's watcher never reads it half written and
// sees a new file even within the same second.
export function saveFile(Module, name, contents) {
  const temporary = `.${name}.saving`;
  Module.FS.writeFile(temporary, contents);
  Module.FS.rename(temporary, name);
}
