// What a learner may do that must never cost the page or the work: an edit
// that freezes the tab, the program ended, a browser whose storage is full
// or holds something else. Each in a real browser, as a user meets it.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { Scene, Site, browserAndSite, countPixels, launchOnProfile, open, waitFor } from './browser.mjs';

const shared = browserAndSite();
const drawing = (page) => waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000, 30);
const shownText = (page) => page.locator('[role=tabpanel]:not([hidden]) .cm-content').innerText();
const programFile = (page, name) => page.evaluate((name) => new TextDecoder().decode(glitter.readFile(name)), name);

// Types text on a new line before the last line of the shown file.
async function typeBeforeLastLine(page, file, text) {
  await page.getByRole('tab', { name: file }).click();
  await page.locator('[role=tabpanel]:not([hidden]) .cm-content').click();
  await page.keyboard.press('Control+End');
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('Home');
  await page.keyboard.type(`${text}\n`);
}

// The commonest shader mistake: a loop that keeps the GPU busy for minutes.
const LongLoop = 'float s = 0.0; for (int i = 0; i < 100000000; i++) s += sin(float(i) * glow); gl_FragColor.r += s * 1e-9;';

test('an edit that froze the tab is held back when the browser starts again, and the page draws', async (t) => {
  const profile = mkdtempSync(join(tmpdir(), 'glitter-profile-'));
  let chromium = await launchOnProfile(profile);
  // Ended before its profile goes, or it writes there again.
  t.after(async () => {
    await chromium.kill();
    rmSync(profile, { recursive: true, force: true });
  });
  let page = await chromium.context.newPage();
  await page.goto(shared.url);
  await drawing(page);
  await typeBeforeLastLine(page, 'fire.frag', LongLoop);
  const frozen = () => Promise.race([page.evaluate(() => false), new Promise((resolve) => setTimeout(resolve, 3000, true))]);
  await waitFor('the tab stops answering', frozen, 60);
  await chromium.kill();
  chromium = await launchOnProfile(profile);
  page = await chromium.context.newPage();
  await page.goto(shared.url);
  await drawing(page);
  await waitFor('the page says what it held back', async () =>
    (await page.locator('#notice').innerText()).startsWith('fire.frag is held back'));
  assert.equal(await programFile(page, 'fire.frag'), readFileSync(join(Site, 'fire.frag'), 'utf8'), 'the program has the shipped file');
  await page.getByRole('tab', { name: 'fire.frag' }).click();
  assert.ok((await shownText(page)).includes(LongLoop), 'the editor has the held-back text');
  assert.match(await page.locator('#source').innerText(), /^fire\.frag: held back, not built/);
  assert.equal(await page.getByRole('button', { name: 'Try again' }).count(), 1);
});

test('after Escape the editor still takes edits and Download saves the four files as they are', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await drawing(page);
  await page.locator('#canvas').press('Escape');
  await waitFor('the program ends', async () => (await page.locator('#message').innerText()).includes('Glitter has stopped'));
  await typeBeforeLastLine(page, 'confetti.vert', '// after the end');
  const [saved] = await Promise.all([page.waitForEvent('download'), page.getByRole('button', { name: 'Download' }).click()]);
  assert.equal(saved.suggestedFilename(), 'glitter-shipped.zip');
  // Python's own zip reader checks every entry's checksum and reads them back.
  const listing = execFileSync('python3', ['-c', `import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    assert z.testzip() is None
    for info in z.infolist(): print(info.filename, info.file_size, b"// after the end" in z.read(info))`,
  await saved.path()], { encoding: 'utf8' });
  const sizes = ['confetti.vert', 'fire.vert', 'fire.frag', 'particle.bmp'].map((name) => readFileSync(join(Site, name)).length);
  assert.deepEqual(listing.trim().split('\n'), [
    `confetti.vert ${sizes[0] + '// after the end\n'.length} True`, `fire.vert ${sizes[1]} False`,
    `fire.frag ${sizes[2]} False`, `particle.bmp ${sizes[3]} False`]);
});

test('storage that holds something else, or refuses once, costs nothing and is said truly', async (t) => {
  const page = await open(t, shared.browser, `${shared.url}glitter.svg`);
  // What another version of the page, or anything else, might have left.
  await page.evaluate(() => new Promise((resolve) => {
    const opening = indexedDB.open('glitter', 1);
    opening.onupgradeneeded = () => opening.result.createObjectStore('work');
    opening.onsuccess = () => {
      const writing = opening.result.transaction('work', 'readwrite');
      writing.objectStore('work').put({ edits: 5 }, 'shipped');
      writing.oncomplete = () => { opening.result.close(); resolve(); };
    };
  }));
  await page.addInitScript(() => {
    // Full, once: the next edit's record is refused, the one after kept.
    const put = IDBObjectStore.prototype.put;
    let refusals = 1;
    IDBObjectStore.prototype.put = function (...args) {
      if (refusals-- > 0) throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
      return put.apply(this, args);
    };
  });
  await page.goto(shared.url);
  await drawing(page);
  assert.ok(page.lines.some((line) => line.includes('ignored what this browser kept for shipped')), page.lines.join('\n'));
  await typeBeforeLastLine(page, 'confetti.vert', '// one');
  await waitFor('the page says the edit was not kept', async () =>
    (await page.locator('#source').innerText()).includes('could not keep your edits: The quota has been exceeded.'));
  await typeBeforeLastLine(page, 'confetti.vert', '// two');
  await waitFor('and no more once one is kept', async () =>
    (await page.locator('#source').innerText()).startsWith('Shipped:'));
  assert.deepEqual(page.errors, []);
});
