// The unit tests built for the web, run in a page with a WebGL context: all
// but the one that reads a 3 GiB image, more memory than a page may have.
// Among them, every shader set (shipped and the gallery's) builds on WebGL,
// one more platform beside the desktop's GL, strict OpenGL 2.0 and Wine.
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { test } from 'node:test';
import { Root, launch, open, serve, waitFor } from './browser.mjs';

test('the unit tests pass in the browser, the shader sets among them', async (t) => {
  const browser = await launch();
  const server = await serve(join(Root, 'build-web', 'tests'));
  t.after(async () => {
    await browser.close();
    server.stop();
  });
  const args = encodeURIComponent('--gtest_filter=-ReadBmpImage.CountsHugeImages*');
  const page = await open(t, browser, `${server.url}units.html?args=${args}`);
  await waitFor('the tests end', async () => (await page.title()).startsWith('exit'), 120);
  const output = await page.locator('#output').innerText();
  assert.equal(await page.title(), 'exit 0', output);
  assert.match(output, /\[       OK \] ShaderSets\.ShippedAndEveryExample/);
  assert.match(output, /\[  PASSED  \] \d+ tests\./);
});
