// Follows the server's live folder (scripts/serve_web.py --live FOLDER,
// which `make serve-web` points at assets/): asks for each file every PollMs
// with a conditional request, and hands over the files that changed once a
// round finds nothing newer, so that files saved together arrive together
// and the program builds them once.
import { AssetFiles } from './program.js';
import { decode } from './sources.js';

const PollMs = 100;

// Calls onChange({ name: text or bytes }) with every file at first, then with
// the files that changed. Returns a function that stops following.
export function followLive(onChange) {
  const tags = {};   // each file's ETag as last read
  let waiting = {};   // files read but not yet handed over
  let first = true, stopped = false;
  // Reads name if it changed since it was last read; true if it had.
  const read = async (name) => {
    const response = await fetch(`live/${name}`, { cache: 'no-store', headers: tags[name] ? { 'If-None-Match': tags[name] } : {} });
    if (response.status !== 200) return false;   // 304: as it was; 404: gone, and the program keeps its copy
    waiting[name] = decode(name, new Uint8Array(await response.arrayBuffer()));
    tags[name] = response.headers.get('ETag');
    return true;
  };
  const poll = async () => {
    const changed = await Promise.all(AssetFiles.map((name) => read(name).catch(() => false)));
    if (stopped) return;
    if ((first || !changed.includes(true)) && Object.keys(waiting).length) {
      onChange(waiting);
      waiting = {};
      first = false;
    }
    setTimeout(poll, PollMs);
  };
  poll();
  return () => { stopped = true; };
}
