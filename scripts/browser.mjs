// What the browser tests and the page's tools (its benchmark, its pictures)
// share: a folder served on 127.0.0.1 by the project's own server, Debian's
// Chromium (headless, WebGL through SwiftShader) driven by playwright-core,
// waits for what is expected, and pixel counts of the canvas, read from
// screenshots.
import { spawn } from 'node:child_process';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const Root = fileURLToPath(new URL('..', import.meta.url));
export const Site = join(Root, 'build-web', 'site');
// Window pixels of the 600 x 600 canvas at the start: the scene above the
// status line.
export const Scene = { x: 0, y: 0, width: 600, height: 570 };

// Serves folder (and, with more arguments, whatever scripts/serve_web.py
// takes) until stop(). Resolves once the server has printed its address.
export async function serve(folder, ...options) {
  const server = spawn('python3', [join(Root, 'scripts', 'serve_web.py'), folder, ...options],
                       { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = await new Promise((resolve, reject) => {
    server.stdout.on('data', (data) => {
      const found = String(data).match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (found) resolve(found[0]);
    });
    server.on('exit', (status) => reject(new Error(`serve_web.py ended with status ${status}`)));
  });
  // Resolves once the server has ended.
  const stop = () => new Promise((resolve) => {
    if (server.exitCode !== null || server.signalCode !== null) resolve();
    else {
      server.once('exit', resolve);
      server.kill();
    }
  });
  return { url, stop };
}

// How Chromium runs here: no sandbox (as root), nothing fetched from the
// network it has none of, WebGL through SwiftShader.
export const BrowserArgs = ['--no-sandbox', '--disable-background-networking', '--disable-component-update',
                            '--no-first-run', '--disable-sync', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'];

// Chromium as a user's, headless; with webgl false, one that offers none;
// with unlimitedFrameRate, one that draws frames as fast as it can instead
// of at the display's rate, for benchmarks.
export function launch({ webgl = true, unlimitedFrameRate = false } = {}) {
  const args = webgl ? [...BrowserArgs] : [...BrowserArgs.slice(0, 5), '--disable-3d-apis'];
  if (unlimitedFrameRate) args.push('--disable-frame-rate-limit', '--disable-gpu-vsync');
  return chromium.launch({ executablePath: '/usr/bin/chromium', args });
}

// Opens url in a new page of browser; its console lines collect in
// page.lines, and its uncaught errors in page.errors.
export async function openPage(browser, url, viewport = { width: 1000, height: 800 }) {
  const page = await browser.newPage({ viewport });
  page.lines = [];
  page.errors = [];
  page.on('console', (message) => page.lines.push(message.text()));
  page.on('pageerror', (error) => page.errors.push(error.message));
  await page.goto(url);
  return page;
}

// Resolves once check() resolves to something true, trying every 100 ms for
// up to seconds; fails with what check last returned.
export async function waitFor(what, check, seconds = 10) {
  const deadline = Date.now() + seconds * 1000;
  let last;
  while (!(last = await check())) {
    if (Date.now() > deadline) throw new Error(`${what}: not within ${seconds} s (last: ${JSON.stringify(last)})`);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return last;
}

// A screenshot of the canvas, as a PNG in base 64.
export async function canvasShot(page) {
  return (await page.locator('#canvas').screenshot()).toString('base64');
}

// Decodes PNGs in the page itself and runs the function body there on
// their RGBA pixels within region (pixels, and other for a second shot);
// returns what it returns.
function inPage(page, body, shots, region) {
  return page.evaluate(async ({ body, shots, region }) => {
    const pixels = [];
    for (const shot of shots) {
      const image = new Image();
      image.src = `data:image/png;base64,${shot}`;
      await image.decode();
      const canvas = new OffscreenCanvas(image.width, image.height);
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      const { x = 0, y = 0, width = image.width, height = image.height } = region || {};
      pixels.push(context.getImageData(x, y, width, height).data);
    }
    return new Function('pixels', 'other', body)(pixels[0], pixels[1]);
  }, { body, shots, region });
}

// The canvas's pixels within region (all of it by default) that are lit
// (not black), or of exactly one colour given as [red, green, blue].
export async function countPixels(page, colour, region) {
  const shot = await canvasShot(page);
  return inPage(page, `{
    const want = ${JSON.stringify(colour)};
    let count = 0;
    for (let i = 0; i < pixels.length; i += 4) {
      const [r, g, b] = [pixels[i], pixels[i + 1], pixels[i + 2]];
      count += want === 'lit' ? r + g + b > 60 : r === want[0] && g === want[1] && b === want[2];
    }
    return count;
  }`, [shot], region);
}

// How many pixels of the canvas within region differ from an earlier shot.
export async function pixelsChangedSince(page, earlierShot, region) {
  const shot = await canvasShot(page);
  return inPage(page, `{
    let count = 0;
    for (let i = 0; i < pixels.length; i += 4)
      count += pixels[i] !== other[i] || pixels[i + 1] !== other[i + 1] || pixels[i + 2] !== other[i + 2];
    return count;
  }`, [shot, earlierShot], region);
}
