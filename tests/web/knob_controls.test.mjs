// The page's knob controls in a real browser: made from the program's list
// for the mode on screen, a turn drawn in the next frame, values kept with
// the edits across a reload, written into the files by Download and into the
// editor's text by "Into the text".
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import { Scene, Site, browserAndSite, countPixels, open, serve, siteWith, waitFor } from './browser.mjs';

const shared = browserAndSite();
const drawing = (page) => waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000, 30);
const programFile = (page, name) => page.evaluate((name) => new TextDecoder().decode(glitter.readFile(name)), name);
const siteFile = (path) => readFileSync(join(Site, path), 'utf8');

// Each knob's line as shown: its name, each control (a range, or a colour
// picker's value), its number, and "unused" where marked.
const knobRows = (page) => page.locator('#knob-list .knob').evaluateAll((rows) => rows.map((row) =>
  [...row.children].map((part) => ({ range: 'range', color: part.value })[part.type] ?? part.textContent).join(' ')));
const showing = (page, first) => waitFor(`the knobs from ${first} on`, async () => (await knobRows(page))[0]?.startsWith(first));
// Moves the range named label to value, as a drag does.
const slide = (page, label, value) => page.getByLabel(label, { exact: true }).evaluate((range, value) => {
  range.value = value;
  range.dispatchEvent(new Event('input', { bubbles: true }));
}, value);
// Resolves once the program has drawn a frame since.
const nextFrame = (page) => page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));

// Every particle where Glitter's grid puts it, in Paint times Level; Size
// is one the compiler drops.
const Painted = '#version 110\n' +
  'uniform vec4 Paint;    // @color = 1.0 0.0 0.0 1.0\n' +
  'uniform float Level;   // @slider 0.0 1.0 = 1.0\n' +
  'uniform float Size;    // @slider 0.0 4.0\n' +
  'void main() { gl_Position = vec4(gl_Vertex.xy * 2.0, 0.0, 1.0); gl_FrontColor = vec4(Paint.rgb * Level, Paint.a); }\n';

test('the controls follow the program\'s knobs of the mode on screen, and a turn shows in the next frame', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await drawing(page);
  assert.deepEqual(await knobRows(page), ['Launch range 6', 'Spread range 0.28', 'Gold #ffb326']);
  await page.evaluate((shader) => glitter.saveFile('confetti.vert', shader), Painted);
  await showing(page, 'Paint');
  assert.deepEqual(await knobRows(page), ['Paint #ff0000 range 1', 'Level range 1', 'Size range 0 unused']);
  await waitFor('the paint is drawn', async () => (await countPixels(page, [255, 0, 0], Scene)) >= 2000);

  await page.getByLabel('Paint', { exact: true }).fill('#0000ff');
  await nextFrame(page);
  assert.ok((await countPixels(page, [0, 0, 255], Scene)) >= 2000, 'the new colour in the next frame');
  await slide(page, 'Level', 0);
  await nextFrame(page);
  assert.equal(await countPixels(page, [0, 0, 255], Scene), 0, 'the level turned down in the next frame');
  assert.equal((await knobRows(page))[1], 'Level range 0');
  await slide(page, 'Paint alpha', 0.5);
  const knobs = await page.evaluate(() => JSON.parse(glitter.module.UTF8ToString(glitter.module._glitter_knobs(0))).knobs);
  assert.deepEqual(knobs.map((knob) => knob.value), [[0, 0, 1, 0.5], [0], [0]]);

  await page.locator('#canvas').press('m');
  await showing(page, 'Rise');
  assert.deepEqual(await knobRows(page), ['Rise range 2.5', 'Wind range 0', 'Flame #ff6b0f', 'Glow range 1']);
  for (const key of ['k', '+']) await page.locator('#canvas').press(key);   // the panel's key turns Rise up a step
  await waitFor('the controls follow the key', async () => (await knobRows(page))[0] === 'Rise range 2.59');
  assert.deepEqual(page.errors, []);
});

// What the page keeps in the browser for source.
const keptWork = (page, source) => page.evaluate((source) => new Promise((resolve) => {
  indexedDB.open('glitter').onsuccess = ({ target: { result: database } }) => {
    database.transaction('work').objectStore('work').get(source).onsuccess = ({ target }) => resolve(target.result);
  };
}), source);

// Keeps work as the shipped files' record, as an earlier page would have.
const keepWork = (page, work) => page.evaluate((work) => new Promise((resolve) => {
  const opening = indexedDB.open('glitter', 1);
  opening.onupgradeneeded = () => opening.result.createObjectStore('work');
  opening.onsuccess = () => {
    const writing = opening.result.transaction('work', 'readwrite');
    writing.objectStore('work').put(work, 'shipped');
    writing.oncomplete = () => { opening.result.close(); resolve(); };
  };
}), work);

test('turned values are kept with the edits and come back after a reload, unless the file changed the knob', async (t) => {
  // A server of its own: storage of its own, and the same address after a change of its files.
  let server = await serve(Site);
  const changed = siteWith({ 'fire.vert': siteFile('fire.vert').replace('@slider 0.5 5.0 = 2.5', '@slider 0.5 5.0 = 3.0') });
  t.after(async () => { await server.stop(); changed.remove(); });
  const page = await open(t, shared.browser, `${server.url}glitter.svg`);
  // Kept by a page of before knob values: Glow's own value edited.
  const editedFrag = siteFile('fire.frag').replace('@slider 0.0 3.0 = 1.0', '@slider 0.0 3.0 = 2.0');
  await keepWork(page, { edits: { 'fire.frag': editedFrag }, drawn: {}, trial: false });
  await page.goto(server.url);
  await drawing(page);
  assert.equal(await programFile(page, 'fire.frag'), editedFrag, 'a record of before knobs still reads');

  await showing(page, 'Rise');   // the edit brought Fire on screen
  await slide(page, 'Rise', 4);
  await slide(page, 'Wind', 0.5);
  await page.getByLabel('Flame', { exact: true }).fill('#336699');
  await slide(page, 'Glow', 2.5);
  await waitFor('the values are kept', async () => (await keptWork(page, 'shipped'))?.knobs?.length === 4);
  await server.stop();
  server = await serve(changed.folder, new URL(server.url).port);
  await page.reload();
  await showing(page, 'Rise');
  await waitFor('the kept values are back', async () =>
    (await knobRows(page)).join(', ') === 'Rise range 3, Wind range 0.5, Flame #336699, Glow range 2.5');
  const knobs = await page.evaluate(() => JSON.parse(glitter.module.UTF8ToString(glitter.module._glitter_knobs(1))).knobs);
  assert.deepEqual(knobs.map((knob) => knob.value), [[3], [0.5], [0.2, 0.4, 0.6], [2.5]], 'and set on the program');
  assert.equal(await programFile(page, 'fire.frag'), editedFrag);

  // Reset forgets the values with the edits; one turned then is kept alone.
  page.once('dialog', (dialog) => dialog.accept());
  await page.getByRole('button', { name: 'Reset' }).click();
  await waitFor('Reset brings back the files\' values', async () =>
    (await knobRows(page)).join(', ') === 'Rise range 3, Wind range 0, Flame #ff6b0f, Glow range 1');
  await slide(page, 'Wind', -1);
  await waitFor('the value is kept', async () => (await keptWork(page, 'shipped'))?.knobs?.length === 1);
  await page.reload();
  await page.getByRole('tab', { name: 'fire.vert' }).click();
  await waitFor('and comes back', async () => (await knobRows(page))[1] === 'Wind range -1');
});

test('Download writes the turned values into the knobs\' lines of the files', async (t) => {
  const page = await open(t, shared.browser, `${shared.url}#example=bubbles`);
  await showing(page, 'RiseSpeed');
  await slide(page, 'Shimmer', 0.5);
  await page.getByLabel('Light', { exact: true }).fill('#336699');
  const [saved] = await Promise.all([page.waitForEvent('download'), page.getByRole('button', { name: 'Download' }).click()]);
  const texts = JSON.parse(execFileSync('python3', ['-c', `import json, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    print(json.dumps({name: z.read(name).decode() for name in z.namelist() if name != "particle.bmp"}))`,
  await saved.path()], { encoding: 'utf8' }));
  assert.deepEqual(texts, {
    'confetti.vert': siteFile('confetti.vert'),
    'fire.vert': siteFile('examples/bubbles/fire.vert').replace('// @slider 0.0 1.0 = 0.15\n', '// @slider 0.0 1.0 = 0.5\n'),
    'fire.frag': siteFile('examples/bubbles/fire.frag').replace('// @color\n', '// @color = 0.2 0.4 0.6\n'),
  });
});

test('"Into the text" writes the turned values into the editor as an edit, built, and undo takes it back', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await drawing(page);
  await page.getByRole('tab', { name: 'fire.vert' }).click();
  await showing(page, 'Rise');
  await slide(page, 'Wind', 0.9);
  await page.getByRole('button', { name: 'Into the text' }).click();
  const shipped = siteFile('fire.vert');
  await waitFor('the edit is built', async () =>
    (await programFile(page, 'fire.vert')) === shipped.replace('@slider -1.5 1.5 = 0.0', '@slider -1.5 1.5 = 0.9'));
  await page.locator('[role=tabpanel]:not([hidden]) .cm-content').click();
  await page.keyboard.press('Control+z');
  await waitFor('undone, the file is built as it was', async () => (await programFile(page, 'fire.vert')) === shipped);
  await waitFor('and its knob has the file\'s value', async () => (await knobRows(page))[1] === 'Wind range 0');
});
