// The knobs as the page gets them from the running program: each mode's list
// on request, a value set at its word and drawn, and word of every change
// through Module.onKnobs without asking.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { Scene, browserAndSite, countPixels, open, waitFor } from './browser.mjs';

const shared = browserAndSite();

const knobsOf = (page, mode) =>
  page.evaluate((mode) => JSON.parse(glitter.module.UTF8ToString(glitter.module._glitter_knobs(mode))), mode);

// Every particle where Glitter's grid puts it, in the colour of its knob;
// and a knob whose range is not a number.
const Painted = '#version 110\n' +
  'uniform vec3 Paint;    // @color = 1.0 0.0 0.0\n' +
  'uniform float Size;    // @slider two 1.0\n' +
  'void main() { gl_Position = vec4(gl_Vertex.xy * 2.0, 0.0, 1.0); gl_FrontColor = vec4(Paint, 1.0); }\n';

test('the page reads each mode\'s knobs, sets one for the next frame, and hears of every change', async (t) => {
  const page = await open(t, shared.browser, shared.url);
  await waitFor('Glitter draws', async () => (await countPixels(page, 'lit', Scene)) >= 2000);
  const glitter = await knobsOf(page, 0);
  assert.deepEqual(glitter.knobs.map((knob) => knob.name), ['Launch', 'Spread', 'Gold']);
  assert.deepEqual(glitter.knobs[2], { name: 'Gold', kind: 'color', min: 0, max: 1, value: [1, 0.7, 0.15],
                                       default: [1, 0.7, 0.15], unused: false, file: 'confetti.vert', line: 18 });
  assert.deepEqual((await knobsOf(page, 1)).knobs.map((knob) => `${knob.file} ${knob.name}`),
                   ['fire.vert Rise', 'fire.vert Wind', 'fire.vert Flame', 'fire.frag Glow']);

  await page.evaluate((shader) => {
    window.told = [];
    glitter.module.onKnobs = (mode, json) => window.told.push({ mode, knobs: JSON.parse(json) });
    glitter.saveFile('confetti.vert', shader);
  }, Painted);
  await waitFor('the page is told of the build', () => page.evaluate(() => window.told.length));
  const [built] = await page.evaluate(() => window.told);
  assert.equal(built.mode, 0);
  assert.deepEqual(built.knobs, await knobsOf(page, 0));
  assert.deepEqual(built.knobs.knobs.map((knob) => knob.name), ['Paint']);
  assert.deepEqual(built.knobs.warnings, [{ file: 'confetti.vert', line: 3,
    message: '@slider\'s MIN "two" is not a number', quote: '   3 | uniform float Size;    // @slider two 1.0' }]);
  await waitFor('the knob\'s colour is drawn', async () => (await countPixels(page, [255, 0, 0], Scene)) >= 2000);

  assert.equal(await page.evaluate(() => glitter.module._glitter_set_knob(0, 0, 0, 0) + glitter.module._glitter_set_knob(0, 0, 2, 1)), 2);
  assert.equal(await page.evaluate(() => glitter.module._glitter_set_knob(0, 1, 0, 1) + glitter.module._glitter_set_knob(2, 0, 0, 1)), 0);
  await waitFor('the new colour is drawn', async () => (await countPixels(page, [0, 0, 255], Scene)) >= 2000);
  assert.equal(await countPixels(page, [255, 0, 0], Scene), 0);
  assert.equal(await page.evaluate(() => window.told.length), 1, 'told of what the page did itself');

  await page.keyboard.press('k');
  await page.keyboard.press('+');   // the panel's key turns red up a step
  await waitFor('the page is told of the turn', () => page.evaluate(() => window.told.length === 2));
  assert.deepEqual((await page.evaluate(() => window.told[1])).knobs.knobs[0].value, [0.02, 0, 1]);
  await page.keyboard.press('Tab');   // the panel's while it is shown: green
  await page.keyboard.press('+');
  await waitFor('the page is told of the next turn', () => page.evaluate(() => window.told.length === 3));
  assert.deepEqual((await page.evaluate(() => window.told[2])).knobs.knobs[0].value, [0.02, 0.02, 1]);
  assert.deepEqual(page.errors, []);
});
