// Keeps the user's work in the browser, separately for each source of files
// (the shipped ones, each example), so that it outlives a reload, a closed
// tab or a browser ended while a tab hung: the edits as typed (shader texts,
// and a sprite's bytes), the texts that last drew, and whether an edit is on
// trial, given to the program but not yet seen to draw, and the knobs turned
// away from their files' values (knob_values.js). IndexedDB keeps
// bytes as they are, and with strict durability a record is on disk when
// storeWork resolves: the page gives the program an edit only after that, so
// if the tab then freezes or crashes, the next page knows which to hold back.

const Database = 'glitter', Store = 'work';
// Shader texts kept at once, in localStorage, by a page going away (a
// transaction of IndexedDB may not end before the page does), and by
// earlier versions of the page: read over the record, until the next record
// is kept.
const draftKeyOf = (source) => `glitter.edits.${source}`;

export const nothingKept = () => ({ edits: {}, drawn: {}, trial: false, knobs: [] });
const isFiles = (value, bytesToo) => value !== null && typeof value === 'object' && !Array.isArray(value) &&
  Object.values(value).every((file) => typeof file === 'string' || (bytesToo && file instanceof Uint8Array));
const isNumbers = (value) => Array.isArray(value) && value.every((number) => typeof number === 'number');
const isKnobs = (value) => Array.isArray(value) && value.every((knob) => knob !== null && typeof knob === 'object' &&
  typeof knob.name === 'string' && isNumbers(knob.value) && isNumbers(knob.default));
// A record kept before knobs were has none.
const isWork = (value) => value !== null && typeof value === 'object' && isFiles(value.edits, true) &&
  isFiles(value.drawn, false) && typeof value.trial === 'boolean' && (value.knobs === undefined || isKnobs(value.knobs));

let opened = null;
// The work store, for one transaction of mode.
async function workStore(mode) {
  opened ??= new Promise((resolve, reject) => {
    const opening = indexedDB.open(Database, 1);
    opening.onupgradeneeded = () => opening.result.createObjectStore(Store);
    opening.onsuccess = () => resolve(opening.result);
    opening.onerror = () => reject(opening.error);
  });
  return (await opened).transaction(Store, mode, { durability: 'strict' }).objectStore(Store);
}

// Resolves with what request gives once its transaction is on disk.
const done = (request) => new Promise((resolve, reject) => {
  request.transaction.oncomplete = () => resolve(request.result);
  request.transaction.onabort = () => reject(request.transaction.error ?? request.error);
});

// The texts of source's draft, if any.
function draftOf(source) {
  try {
    const kept = JSON.parse(localStorage.getItem(draftKeyOf(source)) ?? '{}');
    return Object.fromEntries(Object.entries(kept).filter(([, text]) => typeof text === 'string'));
  } catch {
    return {};
  }
}

// Keeps texts as source's edits at once, for a page that is going away.
export function keepDraft(source, texts) {
  try {
    localStorage.setItem(draftKeyOf(source), JSON.stringify(texts));
  } catch {
    // Full or off: nothing more can be done as the page goes.
  }
}

// What is kept for source: { edits, drawn, trial, knobs }. Something kept of
// another shape, or storage that cannot be read, reads as nothing kept, with
// a line on the console.
export async function loadWork(source) {
  let work = nothingKept();
  try {
    const kept = await done((await workStore('readonly')).get(source));
    if (isWork(kept)) work = { ...work, ...kept };
    else if (kept !== undefined) console.warn(`Glitter ignored what this browser kept for ${source}: not its own kind of record`);
  } catch (error) {
    console.warn(`Glitter could not read what this browser kept for ${source}: ${error.message}`);
  }
  return { ...work, edits: { ...work.edits, ...draftOf(source) } };
}

// Keeps work ({ edits, drawn, trial, knobs }) as source's, in place of what was
// kept before. Resolves to why it could not ("" when it did): storage full,
// or turned off.
export async function storeWork(source, work) {
  try {
    const store = await workStore('readwrite');
    const nothing = !Object.keys(work.edits).length && !Object.keys(work.drawn).length && !work.trial &&
      !work.knobs.length;
    await done(nothing ? store.delete(source) : store.put(work, source));
    localStorage.removeItem(draftKeyOf(source));
    return '';
  } catch (error) {
    return error.message || String(error);
  }
}
