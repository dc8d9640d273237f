// Keeps the user's work in the browser, separately for each source of files
// (the shipped ones, each example), so that it outlives a reload or a closed
// tab: the shader texts as typed (the edits), the texts that last drew, and
// whether an edit is on trial, given to the program but not yet seen to draw.
// The record is written at once, before the program gets the edit: if the
// tab then freezes or crashes, the next page knows which edit to hold back.
// A replaced sprite's bytes go to IndexedDB, which keeps bytes as they are.

const keyOf = (source) => `glitter.work.${source}`;
// Where edits were kept before trials were: read once, then left behind.
const earlierKeyOf = (source) => `glitter.edits.${source}`;

const nothingKept = () => ({ edits: {}, drawn: {}, trial: false });
const isTexts = (value) => value !== null && typeof value === 'object' && !Array.isArray(value) &&
  Object.values(value).every((text) => typeof text === 'string');
const isWork = (value) => value !== null && typeof value === 'object' && isTexts(value.edits) &&
  isTexts(value.drawn) && typeof value.trial === 'boolean';

// Parses what is kept under key: undefined if nothing, null (said on the
// console) if it cannot be read as JSON.
function readKept(key) {
  try {
    const text = localStorage.getItem(key);
    return text === null ? undefined : JSON.parse(text);
  } catch (error) {
    console.warn(`Glitter could not read what this browser kept as ${key}: ${error.message}`);
    return null;
  }
}

// What is kept for source: { edits, drawn, trial }, texts by file name. Kept
// values of another shape are left alone and read as nothing, with a line on
// the console.
export function loadWork(source) {
  const kept = readKept(keyOf(source));
  if (isWork(kept)) return kept;
  if (kept !== undefined) {
    if (kept !== null) console.warn(`Glitter ignored what this browser kept for ${source}: not its own kind of record`);
    return nothingKept();
  }
  const earlier = readKept(earlierKeyOf(source));
  if (!earlier || typeof earlier !== 'object') return nothingKept();
  const edits = Object.fromEntries(Object.entries(earlier).filter(([, text]) => typeof text === 'string'));
  return { edits, drawn: {}, trial: false };
}

// Keeps work ({ edits, drawn, trial }) as source's. Returns why it could not
// ("" when it did): the storage is full, or turned off.
export function storeWork(source, work) {
  try {
    localStorage.removeItem(earlierKeyOf(source));
    if (Object.keys(work.edits).length || Object.keys(work.drawn).length || work.trial)
      localStorage.setItem(keyOf(source), JSON.stringify(work));
    else localStorage.removeItem(keyOf(source));
    return '';
  } catch (error) {
    return error.message;
  }
}

// The sprites' object store, for one transaction of mode.
function sprites(mode) {
  return new Promise((resolve, reject) => {
    const opening = indexedDB.open('glitter', 1);
    opening.onupgradeneeded = () => opening.result.createObjectStore('sprites');
    opening.onsuccess = () => resolve(opening.result.transaction('sprites', mode).objectStore('sprites'));
    opening.onerror = () => reject(opening.error);
  });
}

const settled = (request) => new Promise((resolve, reject) => {
  request.onsuccess = () => resolve(request.result);
  request.onerror = () => reject(request.error);
});

// The sprite kept for source, as bytes, or null if none (or none readable).
export async function loadSprite(source) {
  try {
    const bytes = await settled((await sprites('readonly')).get(source));
    return bytes instanceof Uint8Array ? bytes : null;
  } catch (error) {
    console.warn(`Glitter could not read the sprite this browser kept: ${error.message}`);
    return null;
  }
}

// Keeps bytes as source's sprite (null forgets it). Resolves to why it could
// not ("" when it did).
export async function storeSprite(source, bytes) {
  try {
    const store = await sprites('readwrite');
    await settled(bytes ? store.put(bytes, source) : store.delete(source));
    return '';
  } catch (error) {
    return error.message;
  }
}
