// The list of the files the program reads (app/asset_files.json), against
// what the page's script and the site build made of it. (The program's own
// tables are checked by its unit tests, the server's by server.test.mjs.)
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import { AssetFiles, BuiltFrom, Modes, ModeOf, ShaderFiles, Sprite } from '../../web/page/files.js';
import { Root, Site } from './browser.mjs';

const ListText = readFileSync(join(Root, 'app', 'asset_files.json'), 'utf8');
const List = JSON.parse(ListText);

test('the page names the files, the shaders, the sprite and the mode of each as the list does', () => {
  assert.deepEqual(AssetFiles, List.files.map(({ name }) => name));
  assert.deepEqual(ShaderFiles, List.files.filter(({ role }) => ['vertex', 'fragment'].includes(role)).map(({ name }) => name));
  assert.deepEqual([Sprite], List.files.filter(({ role }) => role === 'sprite').map(({ name }) => name));
  assert.deepEqual(Object.keys(Modes), List.modes);
  for (const { name, mode } of List.files) assert.equal(List.modes[ModeOf[name]], mode, name);
  // The program builds a program per mode, then the sprite.
  assert.deepEqual(BuiltFrom, [['confetti.vert'], ['fire.vert', 'fire.frag'], [Sprite]]);
});

test('the site holds the listed files, the shipped ones, and the list for its server', () => {
  assert.equal(readFileSync(join(Site, 'asset_files.json'), 'utf8'), ListText);
  for (const { name } of List.files) {
    assert.ok(readFileSync(join(Site, name)).equals(readFileSync(join(Root, 'assets', name))), name);
  }
});
