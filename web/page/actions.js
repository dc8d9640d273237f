// The page's buttons and the ways a user changes what is shown: the gallery's
// links (the address), Reset, Download (with the knobs' values written into
// the files) and a sprite chosen or dropped on the picture. All of them work after the program has ended too: the work can
// still be taken away, and a new choice reloads the page to start it again.
import { download } from './download.js';
import { Modes, Sprite } from './files.js';
import { filesWithKnobValues } from './knob_values.js';
import { say } from './notices.js';
import { SpriteStartBytes } from './program.js';
import { Live, Shipped, sourceOfHash } from './sources.js';
import { currentFiles, resetSource, useSprite, workspaceSource } from './workspace.js';

const element = (id) => document.getElementById(id);

// Checked against the loader's limits before it is read whole, then kept
// and given to the program as Fire's sprite.
async function chooseSprite(file, program) {
  if (workspaceSource() === Live) return;
  const start = new Uint8Array(await file.slice(0, SpriteStartBytes).arrayBuffer());
  if (program() && !program().checkSprite(start, file.size)) return;
  await useSprite(new Uint8Array(await file.arrayBuffer()));
  program()?.showMode(Modes.Fire);
  say(`${file.name} was saved as the sprite, ${Sprite}.`);
}

async function reset(program) {
  const what = workspaceSource() === Shipped ? 'the shipped files' : 'this example\'s own files';
  if (!confirm(`Bring back ${what}? Your edits to them are lost.`)) return;
  await resetSource();
  if (!program()) location.reload();
}

// gallery is the site's, program() the running program (null once it has
// ended), buildPending() gives it what was typed and not yet built,
// keepPending() only keeps that, pick(source) shows a source.
export function wireActions({ gallery, program, buildPending, keepPending, pick }) {
  window.addEventListener('hashchange', () => {
    const source = sourceOfHash(location.hash, gallery);
    if (source === workspaceSource()) return;
    buildPending();   // what was typed belongs to the source it was typed in
    if (program()) pick(source);
    else location.reload();
  });
  // Nothing typed is lost to a closed tab, however soon after typing.
  window.addEventListener('pagehide', keepPending);
  element('reset').addEventListener('click', () => { buildPending(); reset(program); });
  element('download').addEventListener('click', () => {
    buildPending();
    download(`glitter-${workspaceSource()}.zip`, filesWithKnobValues(currentFiles()));
  });
  element('choose-sprite').addEventListener('click', () => element('sprite-file').click());
  element('sprite-file').addEventListener('change', (event) => {
    if (event.target.files[0]) chooseSprite(event.target.files[0], program);
    event.target.value = '';   // so that the same file chosen again is read again
  });
  const canvas = element('canvas');
  canvas.addEventListener('dragover', (event) => event.preventDefault());
  canvas.addEventListener('drop', (event) => {
    event.preventDefault();
    if (event.dataTransfer.files[0]) chooseSprite(event.dataTransfer.files[0], program);
  });
}
