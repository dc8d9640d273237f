// Where the files come from: the shipped ones beside the page, an example of
// the gallery (its own files, and the shipped one for each it leaves alone),
// or the live folder of the server (`make serve-web` serves assets/ so); and
// the address of the page that names each.
import { AssetFiles, Sprite } from './files.js';

export const Shipped = 'shipped';
export const Live = 'live';

// The shaders as text for the editor, the sprite as bytes.
export const decode = (name, bytes) => (name === Sprite ? bytes : new TextDecoder().decode(bytes));

// The bytes of a file served at path, or null if there is none.
async function fetchBytes(path) {
  const response = await fetch(path, { cache: 'no-cache' });
  return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
}

// What the site offers: its examples ([{ name, title, caption, files }],
// from examples/index.json) and the folder its server follows live, if any
// (live.json names it; the site's own says none).
export async function loadGallery() {
  const [index, live] = await Promise.all([
    fetch('examples/index.json').then((response) => (response.ok ? response.json() : [])).catch(() => []),
    fetch('live.json', { cache: 'no-store' }).then((response) => response.json()).catch(() => ({})),
  ]);
  return { examples: index, live: live.folder ?? null };
}

// The source an address names (#example=NAME, #shipped or #live); for any
// other, the live folder where the server has one, else the shipped files.
export function sourceOfHash(hash, gallery) {
  const example = hash.match(/^#example=([\w-]+)$/);
  if (example && gallery.examples.some(({ name }) => name === example[1])) return example[1];
  return hash === '#shipped' || !gallery.live ? Shipped : Live;
}

export const hashOf = (source) => (source === Shipped || source === Live ? `#${source}` : `#example=${source}`);

// The files of source ({ name: text or bytes }; a name the site lacks is
// left out). The live folder's come from following it (live.js).
export async function fetchFiles(source, gallery) {
  const example = gallery.examples.find(({ name }) => name === source);
  const paths = AssetFiles.map((name) => (example?.files.includes(name) ? `examples/${source}/${name}` : name));
  const files = {};
  (await Promise.all(paths.map(fetchBytes))).forEach((bytes, i) => {
    if (bytes) files[AssetFiles[i]] = decode(AssetFiles[i], bytes);
  });
  return files;
}
