// The four files the user works on: those of the chosen source, with the
// user's edits over them (kept in the browser, storage.js), and what the
// program has been given of them. Every change reaches the program as a save
// does on the desktop: the files that differ, written whole in one go, then
// built at once. An edit stays on trial until the program has drawn with it
// (trial.js); a page opened while one was on trial (it may be what froze or
// crashed the tab), or one that lost its graphics meanwhile, gives the
// program the files that last drew instead and holds the edit back until the
// user asks for it again. The knobs' values turned in the page are kept with
// the edits, and brought back with them (knob_values.js).
import { AssetFiles, BuiltFrom, ShaderFiles, Sprite } from './files.js';
import { attachKnobs, listenToKnobs, restoreKnobs, settleKnobs, turnedKnobs } from './knob_values.js';
import { followLive } from './live.js';
import { fetchFiles, Live } from './sources.js';
import { keepDraft, loadWork, nothingKept, storeWork } from './storage.js';
import { framesDrawn } from './trial.js';

const same = (a, b) => a === b || (a instanceof Uint8Array && b instanceof Uint8Array &&
                                   a.length === b.length && a.every((byte, i) => byte === b[i]));
const textsOf = (files) => Object.fromEntries(ShaderFiles.filter((name) => name in files).map((name) => [name, files[name]]));
// The entries of files that differ from base's.
const differing = (files, base) => Object.fromEntries(Object.entries(files).filter(([name, value]) => !same(value, base[name])));

// The one workspace of the page. `ears` are told: show(texts) with the
// shader texts for the editor, changed(names) with the files that came from
// elsewhere than the user (a source opened, the live folder saved),
// held(names, why) and released() as edits are held back and given again,
// kept(why) after each attempt to keep the user's work ("" when it was kept),
// and liveTrouble(why) when following the live folder stops working ("" once
// it works again).
let gallery = null, canvas = null, ears = null;
let source = null, base = {}, work = nothingKept();
let program = null, given = {}, held = [], trials = 0, stopLive = () => {};
const lastBuilt = [true, true, true];   // by build target: whether its last build succeeded

// Knob values are kept a moment after they last changed, as a drag sends
// many; and only once those kept for the source have been brought back.
const KeepKnobsMs = 250;
let knobsTimer = null, knobsSettled = false;

export function setUpWorkspace(siteGallery, pictureCanvas, pageEars) {
  gallery = siteGallery, canvas = pictureCanvas, ears = pageEars;
  listenToKnobs(() => {
    if (!knobsSettled || source === Live) return;
    clearTimeout(knobsTimer);
    knobsTimer = setTimeout(keepKnobs, KeepKnobsMs);
  });
}

export const workspaceSource = () => source;
export const heldBack = () => held;
// The four files as the user has them now: the source's, with every edit.
export const currentFiles = () => ({ ...base, ...work.edits });

// Keeps the work as it is now; resolves once it is kept (or could not be).
const keep = async () => ears.kept(await storeWork(source, { ...work, edits: { ...work.edits }, drawn: { ...work.drawn } }));

// Keeps the knobs turned now, if they are not what is kept already. Not
// without a program: its knobs are not known.
function keepKnobs() {
  clearTimeout(knobsTimer);
  knobsTimer = null;
  const knobs = turnedKnobs();
  if (!program || JSON.stringify(knobs) === JSON.stringify(work.knobs)) return;
  work.knobs = knobs;
  keep();
}

// The values kept with files come back while the program builds them.
async function loadWithKnobs(files) {
  knobsSettled = false;
  restoreKnobs(work.knobs);
  await load(files);
  settleKnobs();
  knobsSettled = true;
  keepKnobs();
}

// What the program is to have: every edit but those held back, which stay
// as they last drew.
const toGive = () => ({ ...currentFiles(), ...Object.fromEntries(held.map((name) => [name, work.drawn[name] ?? base[name]])) });

// Once the program has drawn with the trial's files, they are what last drew.
async function confirmDrawn(trial) {
  if (!(await framesDrawn(canvas)) || trial !== trials) return;
  for (const [target, names] of BuiltFrom.entries())
    if (lastBuilt[target]) for (const name of names) if (name in given) work.drawn[name] = given[name];
  work.drawn = differing(textsOf(work.drawn), base);
  work.trial = held.length > 0;   // a held-back edit is still untried
  keep();
}

// Gives the program each of files that differs from what it has, in one go,
// and builds them; on trial, only once the trial is kept on disk, as the
// edit may freeze the tab. Resolves to their names, in the order the
// program reads them.
async function give(files, { onTrial }) {
  const names = AssetFiles.filter((name) => name in files && !same(files[name], given[name]));
  if (!program || !names.length) return names;
  const changed = Object.fromEntries(names.map((name) => [name, files[name]]));
  Object.assign(given, changed);
  if (onTrial) {
    work.trial = true;
    await keep();
  }
  program?.saveAndBuild(changed);
  if (onTrial) confirmDrawn(++trials);
  return names;
}

const load = async (files) => ears.changed(await give(files, { onTrial: false }));

// Holds back every edit that has not drawn yet, because of why ('reopened'
// or 'graphics'); returns what to give instead.
function holdBack(why) {
  held = ShaderFiles.filter((name) => name in work.edits && !same(work.edits[name], work.drawn[name] ?? base[name]));
  if (held.length) ears.held(held, why);
  return toGive();
}

// The program, now running with startFiles; null once it has ended: from
// then on edits are kept, not given.
export function attachProgram(runningProgram, startFiles = {}) {
  program = runningProgram;
  attachKnobs(runningProgram);
  given = { ...startFiles };
}

export function noteBuilt({ target, built }) {
  lastBuilt[target] = built;
}

// Switches to newSource: its files with the user's edits to them (or the
// files that last drew, the edits held back, if one was on trial), or from
// now on whatever the live folder holds.
export async function openSource(newSource) {
  stopLive();
  if (knobsTimer) keepKnobs();   // the source left behind's
  knobsSettled = false;
  source = newSource;
  held = [];
  if (source === Live) {
    restoreKnobs([]);   // the folder's files keep no values: each starts at its file's
    settleKnobs();
    stopLive = followLive((files) => {
      Object.assign(base, files);
      ears.show(textsOf(files));
      load(files);
    }, ears.liveTrouble);
    return;
  }
  const [files, kept] = await Promise.all([fetchFiles(source, gallery), loadWork(source)]);
  if (source !== newSource) return;   // another was chosen meanwhile
  base = files;
  work = kept;
  ears.show(textsOf(currentFiles()));
  await loadWithKnobs(work.trial ? holdBack('reopened') : currentFiles());
}

export function releaseHeld() {
  held = [];
  ears.released();
}

// The user's own change to files: kept, and given to the program on trial.
// Typing in a held-back file asks for it again.
export async function editFiles(files) {
  work.edits = differing({ ...work.edits, ...files }, base);
  if (held.some((name) => name in files)) releaseHeld();
  const names = await give(toGive(), { onTrial: true });
  if (!names.length || !program) await keep();   // not kept by the trial
}

// Keeps the user's change to files without giving it to the program: the
// page is going away.
export function keepEdits(files) {
  work.edits = differing({ ...work.edits, ...files }, base);
  keepDraft(source, textsOf(work.edits));
}

// Gives the held-back edits to the program again.
export function retryHeld() {
  releaseHeld();
  return give(toGive(), { onTrial: true });
}

// The graphics were lost: an edit on trial goes back to what last drew
// before the program builds again.
export function holdBackOnLostGraphics() {
  if (!work.trial || !program) return;
  const files = holdBack('graphics');
  const names = AssetFiles.filter((name) => !same(files[name], given[name]));
  program.save(Object.fromEntries(names.map((name) => [name, files[name]])));
  for (const name of names) given[name] = files[name];
}

// Back to the source's own files, the user's edits and knob values forgotten.
export async function resetSource() {
  work = nothingKept();
  releaseHeld();
  await keep();
  ears.show(textsOf(base));
  await loadWithKnobs(base);
}

// Keeps a sprite the user chose, and gives it to the program.
export const useSprite = (bytes) => editFiles({ [Sprite]: bytes });
