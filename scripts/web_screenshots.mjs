// Pictures of the page for the README, at 1280 x 800 in Debian's Chromium:
// the editor beside the picture with a mistyped line in fire.frag marked and
// its message shown, an example picked from the gallery, and Fire's knobs
// turned with the controls below the editor.
//   node scripts/web_screenshots.mjs OUT_DIR   (make web-screenshots)
import { join } from 'node:path';
import { Scene, Site, countPixels, launch, openPage, serve, waitFor } from './browser.mjs';

const outDir = process.argv[2];
if (!outDir) {
  console.error('usage: node scripts/web_screenshots.mjs OUT_DIR');
  process.exit(2);
}
const browser = await launch();
const server = await serve(Site);
const openDrawing = async (hash) => {
  const page = await openPage(browser, server.url + hash, { width: 1280, height: 800 });
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000, 30);
  return page;
};
try {
  const page = await openDrawing('');
  await page.getByRole('tab', { name: 'fire.frag' }).click();
  await page.waitForTimeout(3000);   // the fire grows from nothing at the switch
  await page.locator('[role=tabpanel]:not([hidden]) .cm-content').click();
  // "glow" on the last line but one turned into "glw", as on the desktop's picture.
  await page.keyboard.press('Control+End');
  for (const key of ['ArrowUp', 'ArrowUp', 'End', 'ArrowLeft', 'ArrowLeft', 'ArrowLeft', 'Backspace'])
    await page.keyboard.press(key);
  const mark = page.locator('.cm-lintRange-error');
  await waitFor('the line is marked', () => mark.count());
  await mark.hover({ position: { x: 40, y: 5 } });
  await page.locator('.cm-tooltip-lint').waitFor();
  await page.screenshot({ path: join(outDir, 'web-editor-error.png') });
  await page.close();   // a page left drawing slows the next

  const example = await openDrawing('');
  await example.getByRole('link', { name: 'Bubbles' }).click();
  await example.waitForTimeout(4000);   // bubbles to fill the view
  await example.screenshot({ path: join(outDir, 'web-example.png') });
  await example.close();

  const knobs = await openDrawing('');
  await knobs.getByRole('tab', { name: 'fire.vert' }).click();
  const wind = knobs.getByLabel('Wind', { exact: true });
  await wind.waitFor();
  await wind.evaluate((range) => {   // as a drag ends: Wind turned up bends the flames
    range.value = 0.9;
    range.dispatchEvent(new Event('input', { bubbles: true }));
  });
  await knobs.getByLabel('Flame', { exact: true }).fill('#ff4d80');
  await knobs.waitForTimeout(3000);   // the fire grows from nothing at the switch
  await knobs.screenshot({ path: join(outDir, 'web-knobs.png') });
  console.log(join(outDir, 'web-editor-error.png'), join(outDir, 'web-example.png'), join(outDir, 'web-knobs.png'));
} finally {
  await browser.close();
  server.stop();
}
