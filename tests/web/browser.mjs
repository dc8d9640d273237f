// What the browser tests add to the helpers they share with the page's
// tools (scripts/browser.mjs): the browser and site for one file's tests,
// pages closed when their test ends, and files to serve in place of the
// site's own.
import { spawn } from 'node:child_process';
import { cpSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';
import { BrowserArgs, launch, openPage, serve, Site } from '../../scripts/browser.mjs';

export * from '../../scripts/browser.mjs';

// The status line, and the X axis's last 35 pixels (the view box is 3 units
// each side, so one unit is 100 pixels), in window pixels of the canvas at
// the start.
export const StatusLine = { x: 0, y: 570, width: 300, height: 30 };
export const XTip = { x: 465, y: 294, width: 31, height: 11 };

// Chromium and the site served, for the tests of one file: started before
// the first and ended after the last. The browser and the site's address
// are the returned object's, once started.
export function browserAndSite() {
  const shared = {};
  before(async () => {
    shared.browser = await launch();
    shared.server = await serve(Site);
    shared.url = shared.server.url;
  });
  after(async () => {
    await shared.browser.close();
    shared.server.stop();
  });
  return shared;
}

// A 1 x 1 BMP with bitsPerPixel bits per pixel and no pixels: any but 24 is
// one the program refuses, with a message that names the count.
export function flatBmp(bitsPerPixel) {
  const bmp = Buffer.alloc(54);
  bmp.write('BM');
  bmp.writeInt32LE(1, 18);
  bmp.writeInt32LE(1, 22);
  bmp.writeInt16LE(1, 26);
  bmp.writeInt16LE(bitsPerPixel, 28);
  return bmp;
}

// A copy of the site in a scratch folder, with files replaced: { name: bytes }.
export function siteWith(files) {
  const folder = mkdtempSync(join(tmpdir(), 'glitter-web-'));
  cpSync(Site, folder, { recursive: true });
  for (const [name, bytes] of Object.entries(files)) writeFileSync(join(folder, name), bytes);
  return { folder, remove: () => rmSync(folder, { recursive: true, force: true }) };
}

// Opens url in a new page, closed when the test t ends (a page left open
// would go on drawing, and slow the next).
export async function open(t, browser, url, viewport) {
  const page = await openPage(browser, url, viewport);
  t.after(() => page.close());
  return page;
}

// Chromium started on profile (a folder), as a user's browser keeps its
// storage between runs, and driven over its debugging port; kill() ends its
// process with SIGTERM, as a user closing a frozen browser might.
export async function launchOnProfile(profile) {
  const child = spawn('/usr/bin/chromium', [...BrowserArgs, '--headless=new', `--user-data-dir=${profile}`,
                                           '--remote-debugging-port=0', 'about:blank'], { stdio: ['ignore', 'ignore', 'pipe'] });
  const endpoint = await new Promise((resolve, reject) => {
    child.stderr.on('data', (data) => String(data).match(/ws:\/\/\S+/)?.forEach(resolve));
    child.on('exit', (status) => reject(new Error(`chromium ended with status ${status}`)));
  });
  const browser = await chromium.connectOverCDP(endpoint);
  const kill = () => new Promise((resolve) => {
    if (child.exitCode !== null || child.signalCode !== null) return resolve();
    child.on('exit', resolve);
    child.kill('SIGTERM');
  });
  return { browser, context: browser.contexts()[0], kill };
}
