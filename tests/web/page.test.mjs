// The page in a real browser, for what only the running page shows: the
// program starts on its canvas and draws both modes, takes its keys, follows
// a resize, builds a file written while it runs, ends on Escape, and says in
// the page why it could not start.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import {
  Root, Scene, Site, StatusLine, XTip, browserAndSite, canvasShot, countPixels, flatBmp, launch, open,
  pixelsChangedSince, serve, siteWith, waitFor,
} from './browser.mjs';

const shared = browserAndSite();

const messageOf = (page) => page.evaluate(() => document.getElementById('message').innerText);

test('the page starts Glitter on its canvas, and both modes draw', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  assert.equal(await page.title(), 'Glitter');
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  assert.ok((await countPixels(page, [255, 255, 255], XTip)) >= 25, 'the X axis reaches 2 units');
  assert.ok((await countPixels(page, [255, 255, 255], StatusLine)) >= 200, 'the status line is drawn');
  const glitter = await canvasShot(page);
  await page.keyboard.press('m');
  await waitFor('m switches to Fire, which looks unlike Glitter',
                async () => (await pixelsChangedSince(page, glitter, Scene)) >= 5000);
  assert.ok((await countPixels(page, 'lit', Scene)) >= 2000, 'Fire draws');
  assert.deepEqual(page.errors, []);
});

// A Glitter shader that hides every particle, leaving the axes and text.
const NoParticles = '#version 110\nvoid main() { gl_Position = vec4(0.0, 0.0, 2.0, 1.0); gl_FrontColor = vec4(0.0); }\n';

// The desktop program's window with NoParticles, a second after it opened.
function desktopShot() {
  const site = siteWith({ 'confetti.vert': NoParticles });
  try {
    execFileSync('bash', ['-c', `source scripts/xvfb_session.sh && start_private_xvfb && cd "$1" &&
      { "$2" 2>/dev/null & } && window=$(find_window Glitter) && xdotool windowmove --sync $window 0 0 &&
      sleep 1 && import -window $window desktop.png; status=$?; kill %1; stop_private_xvfb; exit $status`,
      '-', site.folder, join(Root, 'build-test', 'run', 'glitter')], { cwd: Root });
    return readFileSync(join(site.folder, 'desktop.png')).toString('base64');
  } finally {
    site.remove();
  }
}

test('the axes and their labels are the desktop program\'s, pixel for pixel', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  await page.evaluate((shader) => glitter.saveFile('confetti.vert', shader), NoParticles);
  await waitFor('only the axes and labels are left', async () =>
    (await countPixels(page, 'lit', Scene)) === (await countPixels(page, [255, 255, 255], Scene)));
  assert.equal(await pixelsChangedSince(page, desktopShot(), Scene), 0);
});

test('the keys change the view and the status line, never scroll the page, and Escape ends it', async (t) => {
  const page = await open(t, shared.browser, shared.url, { width: 700, height: 400 });   // a page that can scroll
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  const scrolled = await page.evaluate(() => window.scrollY);
  const status = await canvasShot(page);
  for (let i = 0; i < 10; i++) await page.keyboard.press('PageDown');
  await waitFor('Page Down zooms out: the X axis ends short of its tip',
                async () => (await countPixels(page, [255, 255, 255], XTip)) <= 5);
  assert.ok((await pixelsChangedSince(page, status, StatusLine)) >= 50, 'the status line shows the new zoom');
  for (let i = 0; i < 10; i++) await page.keyboard.press('PageUp');
  for (const key of ['ArrowRight', 'ArrowDown', 'ArrowLeft', 'ArrowUp', 'End', 'Space']) await page.keyboard.press(key);
  await waitFor('and Page Up back in', async () => (await countPixels(page, [255, 255, 255], XTip)) >= 25);
  await page.keyboard.press('a');
  await waitFor('a hides the axes', async () => (await countPixels(page, [255, 255, 255], XTip)) <= 5);
  assert.equal(await page.evaluate(() => window.scrollY), scrolled, 'the keys did not scroll the page');
  await page.keyboard.press('Escape');
  await waitFor('Escape ends the program and the page says so',
                async () => (await messageOf(page)).includes('Glitter has stopped'));
  assert.match(await messageOf(page), /Reload the page/);
});

test('the view follows the canvas as its handle resizes it', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  const handle = await page.locator('#resize-handle').boundingBox();
  await page.mouse.move(handle.x + 8, handle.y + 8);
  await page.mouse.down();
  await page.mouse.move(handle.x + 8 - 300, handle.y + 8 - 400, { steps: 5 });
  await page.mouse.up();
  // At 300 x 200 one unit is 200 / 6 pixels: the X axis runs 67 pixels
  // right from (150, 100).
  await waitFor('the X axis follows', async () =>
    (await countPixels(page, [255, 255, 255], { x: 155, y: 96, width: 55, height: 7 })) >= 40);
  assert.ok((await countPixels(page, [255, 255, 255], { x: 235, y: 96, width: 60, height: 7 })) <= 5,
            'nothing past the scaled X tip');
});

// The saved shader uses the derivatives, built into desktop GLSL and an
// extension in WebGL's.
test('a file the page writes while the program runs is built, and a broken one shown over the scene', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  await page.keyboard.press('m');
  await page.evaluate(() => glitter.saveFile('fire.frag', '#version 110\n' +
    'void main() { gl_FragColor = vec4(fwidth(1.0), 1.0 - dFdx(0.0), dFdy(0.0), 1.0); }\n'));
  await waitFor('the saved shader shows', async () => (await countPixels(page, [0, 255, 0], Scene)) >= 2000);
  await page.evaluate(() => glitter.saveFile('fire.frag', '#version 110\nvoid main()\n{\n    gl_FragColor = glw;\n}\n'));
  await waitFor('a broken one is reported on the console',
                () => page.lines.includes('Reload failed: the previous Fire shaders stay in use'));
  assert.ok(page.lines.includes("ERROR: 0:4: 'glw' : undeclared identifier"), 'on the user\'s own line');
  assert.ok((await countPixels(page, 'lit', { x: 0, y: 0, width: 300, height: 60 })) >= 300, 'shown over the scene');
  assert.ok((await countPixels(page, [0, 255, 0], Scene)) >= 2000, 'the last good picture stays');
});

test('a start-up failure shows its message and the compiler\'s log in the page', async (t) => {
  const cases = [
    { files: { 'confetti.vert': '#version 110\nvoid main() { gl_Position = ftransform() }\n' },
      expected: /confetti\.vert:\nERROR: 0:2: .*\n[\s\S]*Error compiling confetti\.vert/ },
    { files: { 'particle.bmp': flatBmp(8) },
      expected: /particle\.bmp bits per pixel is not 24: 8/ },
  ];
  for (const { files, expected } of cases) {
    const site = siteWith(files);
    const broken = await serve(site.folder);
    const page = await open(t, shared.browser, broken.url);
    await waitFor('the page says it could not start', async () => (await messageOf(page)).includes('could not start'));
    assert.match(await messageOf(page), expected);
    broken.stop();
    site.remove();
  }
});

test('a browser without WebGL gets a message, and a page opened from disk says how to serve it', async (t) => {
  const noWebGL = await launch({ webgl: false });
  const page = await open(t, noWebGL, shared.url);
  await waitFor('the page says it could not start', async () => (await messageOf(page)).includes('could not start'));
  assert.match(await messageOf(page), /OpenGL 2\.0 not supported\n+This browser offers Glitter no WebGL/);
  await noWebGL.close();
  const fromDisk = await open(t, shared.browser, `file://${Site}/index.html`);
  assert.match(await fromDisk.locator('#status').innerText(), /make serve-web/);
});
