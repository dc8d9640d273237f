// How long an edit in the page's editor takes to reach the picture: from the
// last keystroke to the first frame drawn with the program built from it,
// over Edits edits of a number in confetti.vert, in Debian's Chromium on
// SwiftShader. The time is mostly waiting, by design: typing rests 300 ms
// before the page saves, and the program's watcher lets a save rest 120 ms
// before it builds. Prints the median and the 95th percentile, and the size
// of the page's script as served, plain and gzipped.
//   node bench/edit_latency.mjs   (make bench-web builds the site first)
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { Scene, Site, countPixels, launch, openPage, serve, waitFor } from '../scripts/browser.mjs';

const Edits = 30;
// Line 14 of the shipped confetti.vert, "const float PadWidth = 0.4;": the
// edits turn its last digit into 5 and back, a width the picture shows.
const Line = 14, Column = 'const float PadWidth = 0.'.length;

const browser = await launch();
const server = await serve(Site);
const page = await openPage(browser, server.url, { width: 1280, height: 800 });
try {
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000, 30);
  // In the page: when each key was pressed in the editor, and when a newly
  // linked program was first used to draw.
  await page.evaluate(() => {
    window.timing = { key: 0, drawn: 0, linked: null };
    document.querySelector('.cm-content').addEventListener('keydown', (event) => { timing.key = event.timeStamp; });
    const context = document.getElementById('canvas').getContext('webgl');
    const { linkProgram, useProgram } = context;
    context.linkProgram = function (program) { timing.linked = program; return linkProgram.call(this, program); };
    context.useProgram = function (program) {
      if (program && program === timing.linked) {
        timing.drawn = performance.now();
        timing.linked = null;
      }
      return useProgram.call(this, program);
    };
  });
  await page.locator('.cm-content').first().click();
  await page.keyboard.press('Control+Home');
  for (let line = 1; line < Line; line++) await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Home');
  for (let column = 0; column <= Column; column++) await page.keyboard.press('ArrowRight');
  const times = [];
  for (let edit = 0; edit < Edits; edit++) {
    await page.keyboard.press('Shift+ArrowLeft');
    await page.keyboard.press(edit % 2 ? '4' : '5');
    const { key, drawn } = await waitFor('the edit is drawn', () => page.evaluate(() =>
      timing.drawn > timing.key && timing.key > 0 && { ...timing }));
    times.push(drawn - key);
    await page.evaluate(() => { timing.key = timing.drawn = 0; });
  }
  times.sort((a, b) => a - b);
  const percentile = (p) => times[Math.min(times.length - 1, Math.ceil((p / 100) * times.length) - 1)];
  const script = readFileSync(join(Site, 'page.js'));
  console.log(`From the last keystroke to the first frame drawn with the edit, over ${Edits} edits:`);
  console.log(`  median ${percentile(50).toFixed(0)} ms, 95th percentile ${percentile(95).toFixed(0)} ms ` +
              `(fastest ${times[0].toFixed(0)} ms, slowest ${times[times.length - 1].toFixed(0)} ms)`);
  console.log(`The page's script (page.js): ${(script.length / 1024).toFixed(0)} KiB, ` +
              `${(gzipSync(script).length / 1024).toFixed(0)} KiB gzipped`);
} finally {
  await browser.close();
  server.stop();
}
