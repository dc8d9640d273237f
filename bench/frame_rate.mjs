// How fast the page draws: its frames per second in both modes, beside a
// plain WebGL 1 page making the same particle draws from the same files
// (bench/yardstick.html, served beside the site), in Debian's Chromium on
// SwiftShader, with the frame-rate limit off and at the display's rate;
// and the WebGL calls a steady frame of each makes, by kind. Each rate is the median of Rounds windows
// of WindowMs, the pages taking turns, one open at a time, so that a busy
// moment of the machine falls on all alike. On a machine shared with other
// work the rates still wander; the browser's own processor time per frame
// (its processes' user and system time, all of them: the page's script and
// SwiftShader drawing) wanders far less, and is printed beside them.
//   node bench/frame_rate.mjs [SITE...]   (default build-web/site; make
//   bench-web builds it; a second site, of an earlier build, is measured
//   in the same run, for before and after)
import { readFileSync, readdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { Root, Site, launch, serve, waitFor } from '../scripts/browser.mjs';

const Rounds = 3, WindowMs = 4000, CountMs = 3000, SettleMs = 1500;
const Modes = ['Glitter', 'Fire'];
const sites = process.argv.length > 2 ? process.argv.slice(2).map((site) => resolve(site)) : [Site];

// Run in the page before its own scripts: counts its frames (one clear
// each) and, with countEveryCall, every WebGL call by kind.
function instrument(countEveryCall) {
  window.bench = { frames: 0, calls: {} };
  const prototype = WebGLRenderingContext.prototype;
  for (const name of countEveryCall ? Object.getOwnPropertyNames(prototype) : ['clear']) {
    const original = Object.getOwnPropertyDescriptor(prototype, name).value;
    if (typeof original !== 'function') continue;
    prototype[name] = function (...args) {
      if (name === 'clear') bench.frames++;
      bench.calls[name] = (bench.calls[name] || 0) + 1;
      return original.apply(this, args);
    };
  }
}

// Opens what (a site's page or the yardstick) in mode, drawing steadily.
async function openDrawing(browser, what, mode, countEveryCall) {
  const page = await browser.newPage({ viewport: { width: 1000, height: 800 } });
  await page.addInitScript(instrument, countEveryCall);
  page.on('pageerror', (error) => console.error(`${what.name}: ${error.message}`));
  let url = what.url;
  if (what.yardstick) {
    url = `${what.url}yardstick.html${mode === 'Fire' ? '?mode=fire' : ''}`;
    await page.route(`${what.url}yardstick.html*`, (route) => route.fulfill({
      path: join(Root, 'bench', 'yardstick.html'), contentType: 'text/html' }));
  }
  await page.goto(url);
  await waitFor(`${what.name} draws`, () => page.evaluate(() => bench.frames >= 30), 60);
  if (!what.yardstick && mode === 'Fire') {
    await page.locator('#canvas').focus();
    await page.keyboard.press('m');
  }
  await page.waitForTimeout(SettleMs);
  return page;
}

// The processor time, in milliseconds, that the processes started by this
// one (the browser and its helpers, the server) have used so far.
function processorMs() {
  const stats = {};
  for (const pid of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      stats[pid] = { parent: fields[1], ms: (Number(fields[11]) + Number(fields[12])) * 10 };
    } catch {
      // ended meanwhile
    }
  }
  const ours = (pid) => {
    for (let at = pid; stats[at]; at = stats[at].parent) if (stats[at].parent === String(process.pid)) return true;
    return false;
  };
  return Object.keys(stats).filter(ours).reduce((sum, pid) => sum + stats[pid].ms, 0);
}

// What the page counted over ms of steady drawing, and the processor time
// it took.
async function countOver(browser, what, mode, countEveryCall, ms) {
  const page = await openDrawing(browser, what, mode, countEveryCall);
  try {
    await page.evaluate(() => { bench.frames = 0; bench.calls = {}; });
    const startMs = processorMs();
    await page.waitForTimeout(ms);
    const counted = await page.evaluate(() => bench);
    return { ...counted, processorMs: processorMs() - startMs };
  } finally {
    await page.close();
  }
}

async function framesPerSecond(browser, what, mode) {
  const { frames, processorMs: spent } = await countOver(browser, what, mode, false, WindowMs);
  return { rate: frames * 1000 / WindowMs, perFrame: spent / frames };
}

async function callsPerFrame(browser, what, mode) {
  const { frames, calls } = await countOver(browser, what, mode, true, CountMs);
  return Object.entries(calls).map(([name, count]) => [name, count / frames]).sort((a, b) => b[1] - a[1]);
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Each page's rates in each mode, in rounds, with the pages taking turns.
async function measureRates(browser, pages) {
  const rates = pages.map(() => Modes.map(() => []));
  for (let round = 0; round < Rounds; round++)
    for (const [m, mode] of Modes.entries())
      for (const [p, what] of pages.entries()) rates[p][m].push(await framesPerSecond(browser, what, mode));
  return rates;
}

function printRates(title, pages, rates) {
  const medianOf = (p, m, key) => median(rates[p][m].map((window) => window[key]));
  console.log(`${title}: frames per second, median of ${Rounds} windows of ${WindowMs / 1000} s,`);
  console.log('and the browser\'s processor time per frame (x the yardstick\'s):');
  for (const [p, what] of pages.entries()) {
    const shown = Modes.map((mode, m) => {
      const rate = medianOf(p, m, 'rate'), perFrame = medianOf(p, m, 'perFrame');
      const ratio = (value, key) => (p ? ` (${(value / medianOf(0, m, key)).toFixed(2)} x)` : '');
      return `${mode} ${rate.toFixed(0).padStart(4)} fps${ratio(rate, 'rate')}, ` +
             `${perFrame.toFixed(1)} ms${ratio(perFrame, 'perFrame')}`;
    });
    console.log(`  ${what.name}\n    ${shown.join('   ')}`);
  }
}

// With the frame-rate limit off, as asked; and with the display's rate, at
// which Chromium draws every frame: with the limit off it skips the drawing
// of frames it never shows unless something in them makes it finish them.
const unlimited = await launch({ unlimitedFrameRate: true });
const limited = await launch();
const servers = await Promise.all(sites.map((site) => serve(site)));
try {
  const pages = [{ name: 'yardstick (plain WebGL 1)', url: servers[0].url, yardstick: true },
                 ...sites.map((site, i) => ({ name: `page (${site})`, url: servers[i].url }))];
  printRates('Frame-rate limit off', pages, await measureRates(unlimited, pages));
  printRates('At the display\'s rate', pages, await measureRates(limited, pages));
  console.log('WebGL calls per steady frame, by kind, at the display\'s rate:');
  for (const what of pages)
    for (const mode of Modes) {
      const calls = await callsPerFrame(limited, what, mode);
      const total = calls.reduce((sum, [, perFrame]) => sum + perFrame, 0);
      console.log(`  ${what.name}, ${mode}: ${total.toFixed(1)} in all`);
      console.log(`    ${calls.map(([name, perFrame]) => `${name} ${perFrame.toFixed(2)}`).join(', ')}`);
    }
} finally {
  await unlimited.close();
  await limited.close();
  for (const server of servers) server.stop();
}
