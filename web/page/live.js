// Follows the server's live folder (scripts/serve_web.py --live FOLDER,
// which `make serve-web` points at assets/): asks for each file every PollMs
// with a conditional request, and hands over the files that changed once a
// round finds nothing newer, so that files saved together arrive together
// and the program builds them once.
import { AssetFiles } from './files.js';
import { decode } from './sources.js';

const PollMs = 100;
// A request the server has not answered by then has failed: the page says so.
const AnswerMs = 5000;

// Reads name from the live folder if it changed since tags[name] was read:
// resolves to its contents, or null when it is as it was (304) or gone (404,
// and the program keeps its copy). A server that cannot be reached, or
// answers anything else, rejects.
async function readIfChanged(name, tags) {
  const headers = tags[name] ? { 'If-None-Match': tags[name] } : {};
  const response = await fetch(`live/${name}`, { cache: 'no-store', headers, signal: AbortSignal.timeout(AnswerMs) });
  if (response.status === 304 || response.status === 404) return null;
  if (!response.ok) throw new Error(`the server answered ${response.status} for ${name}`);
  const contents = decode(name, new Uint8Array(await response.arrayBuffer()));
  tags[name] = response.headers.get('ETag');
  return contents;
}

// Calls onChange({ name: text or bytes }) with every file at first, then with
// the files that changed; and onTrouble(why) when following stops working,
// onTrouble('') when it works again. Returns a function that stops following.
export function followLive(onChange, onTrouble) {
  const tags = {};   // each file's ETag as last read
  let waiting = {};   // files read but not yet handed over
  let first = true, stopped = false, trouble = '';
  const poll = async () => {
    let changed = [];
    try {
      changed = await Promise.all(AssetFiles.map((name) => readIfChanged(name, tags)));
      if (trouble) onTrouble(trouble = '');
    } catch (error) {
      if (!trouble) onTrouble(trouble = error.message || String(error));
    }
    if (stopped) return;
    changed.forEach((contents, i) => { if (contents !== null) waiting[AssetFiles[i]] = contents; });
    if ((first || !changed.some((contents) => contents !== null)) && !trouble && Object.keys(waiting).length) {
      onChange(waiting);
      waiting = {};
      first = false;
    }
    setTimeout(poll, PollMs);
  };
  poll();
  return () => { stopped = true; };
}
