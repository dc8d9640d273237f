// The four files the user works on: those of the chosen source, with the
// user's edits over them (kept in the browser's storage), and what the
// program has been given of them. Every change reaches the program as a
// save does on the desktop: the files that differ, written in one go.
import { followLive } from './live.js';
import { AssetFiles, saveFiles, ShaderFiles } from './program.js';
import { fetchFiles, Live } from './sources.js';
import { loadEdits, storeEdits } from './storage.js';

const same = (a, b) => a === b || (a instanceof Uint8Array && b instanceof Uint8Array &&
                                   a.length === b.length && a.every((byte, i) => byte === b[i]));

// A workspace for the program in Module, which started with startFiles,
// showing shader texts in editor. `page` is told: changed(names) with the
// files that came from elsewhere than the user (a source opened, the live
// folder saved), unkept(why) when storage could not keep an edit.
export function createWorkspace(Module, editor, gallery, startFiles, page) {
  let source = null;
  let base = {};   // the source's own files
  const given = { ...startFiles };   // what the program has now
  let stopLive = () => {};

  // Gives the program each of files ({ name: text or bytes }) that differs
  // from what it has, all in one go. Returns their names, in the order the
  // program reads them.
  const give = (files) => {
    const names = AssetFiles.filter((name) => name in files && !same(files[name], given[name]));
    const changed = Object.fromEntries(names.map((name) => [name, files[name]]));
    if (names.length) saveFiles(Module, changed);
    Object.assign(given, changed);
    return names;
  };
  // Shows files in the editor and gives them to the program.
  const load = (files) => {
    for (const name of ShaderFiles) if (name in files) editor.setText(name, files[name]);
    page.changed(give(files));
  };
  // Keeps what differs from the source's own files as the user's edits.
  const keep = () => {
    const edits = Object.fromEntries(Object.entries(given).filter(([name, value]) => !same(value, base[name])));
    const why = storeEdits(source, edits);
    if (why) page.unkept(why);
  };

  return {
    get source() { return source; },
    current: () => ({ ...given }),
    // Switches to newSource: its files, with the user's edits to them, or
    // from now on whatever the live folder holds.
    async open(newSource) {
      stopLive();
      source = newSource;
      editor.setLocked(source === Live);
      if (source === Live) {
        stopLive = followLive((files) => {
          Object.assign(base, files);
          load(files);
        });
        return;
      }
      const files = await fetchFiles(source, gallery);
      if (source !== newSource) return;   // another was chosen meanwhile
      base = files;
      load({ ...files, ...loadEdits(source) });
    },
    // The user's own change to files: to the program, and kept.
    edit(files) {
      give(files);
      keep();
    },
    // Back to the source's own files, the user's edits forgotten.
    reset() {
      storeEdits(source, {});
      load(base);
    },
  };
}
