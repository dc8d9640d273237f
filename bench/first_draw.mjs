// How soon the page shows particles: from the start of navigation to the
// first draw of the particles (WebGL points, at least Fire's 225), median
// and slowest over Loads fresh loads, in Debian's Chromium on SwiftShader.
// Prints the size of the page's scripts too: what the page loads before the
// picture (page.js, glitter.js) and after it (editor.js).
//   node bench/first_draw.mjs [SITE_DIR]   (make bench-web builds the site first)
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve, Site, waitFor } from '../scripts/browser.mjs';

const Loads = 10;
const site = process.argv[2] || Site;

const browser = await launch();
const server = await serve(site);
try {
  const times = [];
  for (let load = 0; load < Loads; load++) {
    const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
    await page.addInitScript(() => {
      const drawArrays = WebGLRenderingContext.prototype.drawArrays;
      WebGLRenderingContext.prototype.drawArrays = function (mode, first, count) {
        if (mode === this.POINTS && count >= 225 && !window.firstParticles) window.firstParticles = performance.now();
        return drawArrays.call(this, mode, first, count);
      };
    });
    await page.goto(server.url);
    times.push(await waitFor('the particles are drawn', () => page.evaluate(() => window.firstParticles), 30));
    await page.close();
  }
  times.sort((a, b) => a - b);
  console.log(`From navigation to the first particles drawn, over ${Loads} loads of ${site}:`);
  console.log(`  median ${times[Loads >> 1].toFixed(0)} ms, slowest ${times[Loads - 1].toFixed(0)} ms`);
  const size = (name) => {
    try {
      const bytes = readFileSync(join(site, name));
      return `${name} ${(bytes.length / 1024).toFixed(0)} KiB (${(gzipSync(bytes).length / 1024).toFixed(0)} KiB gzipped)`;
    } catch {
      return `${name} none`;
    }
  };
  console.log(`Scripts before the picture: ${size('page.js')}, ${size('glitter.js')}; after it: ${size('editor.js')}`);
} finally {
  await browser.close();
  await server.stop();
}
