// The web layer as only the running page shows it: steady frames that never
// wait for the GPU nor send it anything again, while a GL error is still
// reported with its label; and a lost WebGL context that comes back.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { Scene, StatusLine, browserAndSite, countPixels, open, waitFor } from './browser.mjs';

const shared = browserAndSite();

// In the page: counts, on the canvas's own context, the frames (a clear
// each), the frames that asked WebGL something it must wait for the GPU
// to answer, and those that sent it data.
function countFrames() {
  const context = document.getElementById('canvas').getContext('webgl');
  const Waits = ['getError', 'getParameter', 'readPixels', 'getUniformLocation', 'getAttribLocation',
                 'getShaderParameter', 'getProgramParameter', 'getActiveUniform', 'getActiveAttrib'];
  const Sends = ['bufferData', 'bufferSubData', 'texImage2D', 'texSubImage2D'];
  window.frames = { count: 0, started: performance.now(), waits: {}, sends: 0, waited: false, sent: false };
  const wrap = (name, note) => {
    const original = context[name];
    context[name] = function (...args) { note(name); return original.apply(this, args); };
  };
  wrap('clear', () => {
    frames.count++;
    frames.sends += frames.sent;
    frames.sent = false;
  });
  for (const name of Waits) wrap(name, () => { frames.waits[name] = (frames.waits[name] || 0) + 1; });
  for (const name of Sends) wrap(name, () => { frames.sent = true; });
}

test('steady frames wait for nothing and send nothing again, and a GL error is still reported', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  // The failed build's box over the scene, drawn every frame too.
  await page.evaluate(() => glitter.saveFile('fire.frag', '#version 110\nvoid main() { gl_FragColor = glw; }\n'));
  await waitFor('the failed build is shown', () =>
    page.lines.includes('Reload failed: the previous Fire shaders stay in use'));
  await page.evaluate(countFrames);
  // Long enough, in frames and in seconds, that what happens once a
  // second (the error check, the status line's new rate) is told apart
  // from what happens every frame.
  const { count, seconds, waits, sends } = await waitFor('many frames over seconds', () => page.evaluate(() => {
    const seconds = (performance.now() - frames.started) / 1000;
    return seconds >= 3 && frames.count >= 4 * (seconds + 1) && { ...frames, seconds };
  }), 60);
  const { getError = 0, ...otherWaits } = waits;
  assert.deepEqual(otherWaits, {}, 'nothing else that waits');
  assert.ok(getError <= seconds + 1, `${getError} error checks in ${count} frames over ${seconds} s`);
  assert.ok(sends <= seconds + 1, `${sends} of ${count} frames sent data over ${seconds} s`);
  // An error raised outside the program, as a fault of its own would be.
  await page.evaluate(() => document.getElementById('canvas').getContext('webgl').enable(0xFFFF));
  await waitFor('the error is reported under the frame\'s label',
                () => page.lines.includes('ERROR: invalid enumerant [display]'));
});

// A fragment shader of Fire's in one colour, using the derivatives (an
// extension the context given back must have enabled again).
const fireIn = (rgb) => `#version 110\nvoid main() { gl_FragColor = vec4(${rgb}, 1.0 - fwidth(0.0)); }\n`;

// Takes the context away, saves files meanwhile, gives it back.
async function loseAndRestore(page, filesMeanwhile = {}) {
  await page.evaluate(() => {
    window.loseContext = document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context');
    loseContext.loseContext();
  });
  await waitFor('the context is lost', () => page.evaluate(() => document.getElementById('canvas')
    .getContext('webgl').isContextLost()));
  const printed = page.lines.length;
  for (const [name, text] of Object.entries(filesMeanwhile))
    await page.evaluate(([file, contents]) => glitter.saveFile(file, contents), [name, text]);
  await page.waitForTimeout(500);   // the watcher would have built them by now
  assert.deepEqual(page.lines.slice(printed), [], 'nothing built against the lost context');
  await page.evaluate(() => loseContext.restoreContext());
}

test('a lost context comes back: the picture resumes, a broken file is reported, and later edits build', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  await page.evaluate(() => glitter.saveFile('fire.frag', '#version 110\nvoid main() { gl_FragColor = glw; }\n'));
  await waitFor('the broken file is reported', () =>
    page.lines.includes('Reload failed: the previous Fire shaders stay in use'));

  await loseAndRestore(page);
  await waitFor('the picture resumes, with its status line', async () =>
    (await countPixels(page, 'lit', Scene)) >= 2000 && (await countPixels(page, [255, 255, 255], StatusLine)) >= 200);
  assert.ok(page.lines.includes('Graphics reset: Fire draws without its shaders until they build'), page.lines.join('\n'));
  await page.evaluate((text) => glitter.saveFile('fire.frag', text), fireIn('0.0, 1.0, 0.0'));
  await page.locator('#canvas').focus();
  await page.keyboard.press('m');
  await waitFor('a later edit builds', async () => (await countPixels(page, [0, 255, 0], Scene)) >= 2000);

  await loseAndRestore(page, { 'fire.frag': fireIn('1.0, 0.0, 1.0') });
  await waitFor('an edit saved meanwhile builds once it is back',
                async () => (await countPixels(page, [255, 0, 255], Scene)) >= 2000);
  assert.deepEqual(page.lines.filter((line) => /^ERROR: .* \[\w+\]$/.test(line)), [], 'no GL error');
  assert.deepEqual(page.errors, []);
});
