// The editor beside the picture, the gallery and the live folder, in a real
// browser: what is typed, picked, dropped or saved reaches the program as a
// save does on the desktop, and what the program says about it comes back.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { Root, Scene, Site, browserAndSite, countPixels, flatBmp, open, serve, waitFor } from './browser.mjs';

const shared = browserAndSite();

// The page at url, once Glitter draws, counting from then on in
// window.builds the programs it links.
async function openCounting(t, url) {
  const page = await open(t, shared.browser, url);
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  await page.evaluate(() => {
    window.builds = 0;
    const context = document.getElementById('canvas').getContext('webgl');
    const link = context.linkProgram;
    context.linkProgram = function (...args) { window.builds++; return link.apply(this, args); };
  });
  return page;
}

const failureText = (page, target) => page.evaluate((target) => glitter.failures()[target].text, target);
// The first lines the editor shows (it draws only those in view).
const shownLines = async (page) =>
  (await page.locator('[role=tabpanel]:not([hidden]) .cm-content').innerText()).split('\n').slice(0, 3);
const firstLines = (text) => text.split('\n').slice(0, 3);
const programFile = (page, name) => page.evaluate((name) => new TextDecoder().decode(glitter.readFile(name)), name);
// What the page keeps in the browser for source.
const keptWork = (page, source) => page.evaluate((source) => new Promise((resolve) => {
  indexedDB.open('glitter').onsuccess = ({ target: { result: database } }) => {
    database.transaction('work').objectStore('work').get(source).onsuccess = ({ target }) => resolve(target.result);
  };
}), source);
const errorOverPicture = async (page) => (await countPixels(page, 'lit', { x: 0, y: 0, width: 300, height: 60 })) >= 300;

test('a broken line typed in the editor is marked there and shown over the picture, and undoing it clears both',
     async (t) => {
  const page = await openCounting(t, shared.url);
  // The first line of confetti.vert that holds a constant.
  const constLine = readFileSync(join(Site, 'confetti.vert'), 'utf8').split('\n')
    .findIndex((line) => line.startsWith('const')) + 1;
  await page.locator('.cm-content').first().click();
  await page.keyboard.press('Control+Home');
  for (let line = 1; line < constLine; line++) await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Home');
  await page.keyboard.type('oops ');
  const mark = page.locator('.cm-lintRange-error');
  await waitFor('the line is marked', () => mark.count());
  const markedLine = await page.locator('.cm-line', { has: mark }).innerText();
  assert.match(markedLine, /^oops const/);
  assert.ok((await failureText(page, 0)).includes(`\n${String(constLine).padStart(4)} | ${markedLine}\n`),
            'the mark is on the line quoted');
  assert.ok(await errorOverPicture(page), 'the error is shown over the picture');
  await mark.hover({ position: { x: 10, y: 5 } });
  await waitFor('its message shows on hover', async () =>
    (await page.locator('.cm-tooltip-lint').innerText().catch(() => '')).includes("'oops' : syntax error"));
  await page.keyboard.press('Control+z');
  await waitFor('undone, the mark and the error go', async () =>
    (await mark.count()) === 0 && (await failureText(page, 0)) === '' && !(await errorOverPicture(page)));
});

test('a pair of files saved together in the followed folder shows in the page, built once; a server gone is said',
     async (t) => {
  const folder = mkdtempSync(join(tmpdir(), 'glitter-live-'));
  cpSync(join(Root, 'assets'), folder, { recursive: true });
  let live = await serve(Site, '--live', folder);
  t.after(() => { live.stop(); rmSync(folder, { recursive: true, force: true }); });
  const page = await openCounting(t, live.url);
  assert.match(await page.locator('#source').innerText(), new RegExp(`Following ${folder}/`));
  // Each needs the other: a fragment shader reading a varying that the old
  // vertex shader lacks would not link. Saved 70 ms apart, as an editor's
  // "Save All" may spread them.
  const vertex = '#version 110\nvarying vec3 tint;\nvoid main() {\n' +
    '  gl_Position = ftransform(); gl_PointSize = 8.0; gl_TexCoord[0] = vec4(0.0); tint = vec3(0.0, 1.0, 0.0);\n}\n';
  writeFileSync(join(folder, 'fire.vert'), vertex);
  await new Promise((resolve) => setTimeout(resolve, 70));
  writeFileSync(join(folder, 'fire.frag'), '#version 110\nvarying vec3 tint;\nvoid main() { gl_FragColor = vec4(tint, 1.0); }\n');
  await waitFor('the green fire shows', async () => (await countPixels(page, [0, 255, 0], Scene)) >= 1000);
  assert.equal(await page.evaluate(() => window.builds), 1);
  assert.equal(await failureText(page, 1), '');
  assert.deepEqual(await shownLines(page), firstLines(vertex), 'the editor shows the first');
  // The server stops, then comes back on its port.
  const sourceLine = () => page.locator('#source').innerText();
  await live.stop();
  await waitFor('the page says following has stopped', async () => (await sourceLine()).includes('has stopped working'));
  live = await serve(Site, new URL(live.url).port, '--live', folder);
  await waitFor('and says what it follows again', async () => (await sourceLine()).startsWith('Following'));
  writeFileSync(join(folder, 'fire.frag'), '#version 110\nvarying vec3 tint;\nvoid main() { gl_FragColor = vec4(tint.grb, 1.0); }\n');
  await waitFor('a later save shows', async () => (await countPixels(page, [255, 0, 0], Scene)) >= 1000);
});

test('picking an example builds its files, and its address opens it again', async (t) => {
  const snow = readFileSync(join(Root, 'examples', 'snow', 'confetti.vert'), 'utf8');
  const page = await openCounting(t, shared.url);
  await page.getByRole('link', { name: 'Snow' }).click();
  await waitFor('snow is built', async () => (await page.evaluate(() => window.builds)) === 1);
  assert.equal(await programFile(page, 'confetti.vert'), snow);
  assert.equal(await failureText(page, 0), '');
  assert.equal(new URL(page.url()).hash, '#example=snow');
  const opened = await openCounting(t, page.url());
  assert.equal(await programFile(opened, 'confetti.vert'), snow);
  assert.deepEqual(await shownLines(opened), firstLines(snow));
});

test('edits outlive a reload, even one typed just before it, and Reset brings back the shipped file', async (t) => {
  const shipped = readFileSync(join(Site, 'fire.frag'), 'utf8');
  const page = await openCounting(t, shared.url);
  await page.getByRole('tab', { name: 'fire.frag' }).click();
  await page.locator('[role=tabpanel]:not([hidden]) .cm-content').click();
  await page.keyboard.press('Control+Home');
  await page.keyboard.type('// mine\n');
  await waitFor('the edit is built', async () => (await page.evaluate(() => window.builds)) === 1);
  // Reloaded before it had drawn, it would be held back.
  await waitFor('the edit has drawn', async () => (await keptWork(page, 'shipped'))?.trial === false);
  await page.keyboard.type('// and more\n');
  await page.reload();
  const edited = `// mine\n// and more\n${shipped}`;
  await waitFor('both edits are back after the reload', async () =>
    (await programFile(page, 'fire.frag').catch(() => '')) === edited);
  await page.getByRole('tab', { name: 'fire.frag' }).click();
  assert.deepEqual(await shownLines(page), firstLines(edited));
  page.once('dialog', (dialog) => dialog.accept());
  await page.getByRole('button', { name: 'Reset' }).click();
  await waitFor('Reset brings back the shipped file', async () => (await programFile(page, 'fire.frag')) === shipped);
  assert.deepEqual(await shownLines(page), firstLines(shipped));
  await waitFor('and no edit is kept for the next visit', async () => (await keptWork(page, 'shipped')) === undefined);
});

test('a BMP dropped on the picture goes to the loader, which shows why it refuses it', async (t) => {
  const page = await openCounting(t, shared.url);
  const dropped = await page.evaluateHandle((bytes) => {
    const data = new DataTransfer();
    data.items.add(new File([new Uint8Array(bytes)], 'flat.bmp'));
    return data;
  }, [...flatBmp(8)]);
  await page.locator('#canvas').dispatchEvent('drop', { dataTransfer: dropped });
  await waitFor('the loader refuses it', async () =>
    (await failureText(page, 2)).includes('particle.bmp bits per pixel is not 24: 8'));
  assert.ok(await errorOverPicture(page), 'shown over the picture');
});
