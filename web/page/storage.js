// Keeps the user's edits in the browser's storage, one set for each source
// of files (the shipped ones, each example), so that they outlive a reload
// or a closed tab, and going from one example to another loses none.

const keyOf = (source) => `glitter.edits.${source}`;

function toBase64(bytes) {
  let text = '';
  for (const byte of bytes) text += String.fromCharCode(byte);
  return btoa(text);
}

const fromBase64 = (text) => Uint8Array.from(atob(text), (character) => character.charCodeAt(0));

// The stored edits of source, { name: text or bytes }; none if the storage
// cannot be read.
export function loadEdits(source) {
  try {
    const stored = JSON.parse(localStorage.getItem(keyOf(source)) || '{}');
    for (const [name, value] of Object.entries(stored))
      if (typeof value !== 'string') stored[name] = fromBase64(value.base64);
    return stored;
  } catch {
    return {};
  }
}

// Keeps edits ({ name: text or bytes }) as source's, in place of those kept
// before. Returns why it could not ("" when it did): storage full or off.
export function storeEdits(source, edits) {
  const stored = {};
  for (const [name, value] of Object.entries(edits))
    stored[name] = typeof value === 'string' ? value : { base64: toBase64(value) };
  try {
    if (Object.keys(stored).length) localStorage.setItem(keyOf(source), JSON.stringify(stored));
    else localStorage.removeItem(keyOf(source));
    return '';
  } catch (error) {
    return error.message;
  }
}
