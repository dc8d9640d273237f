// The site's server (scripts/serve_web.py), asked with node's own HTTP client,
// which can send any Host: it serves only regular files inside its folders,
// answers a pipe at once, refuses requests meant for other hosts, takes the
// live files from the site's list, and says in one line why it cannot start.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import http from 'node:http';
import net from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { Root, serve } from './browser.mjs';

const List = JSON.parse(readFileSync(join(Root, 'app', 'asset_files.json'), 'utf8'));
const Index = '<!doctype html><title>Glitter</title>\n';
const Confetti = '#version 110\nvoid main() { gl_Position = ftransform(); }\n';
const scratch = mkdtempSync(join(tmpdir(), 'glitter-server-'));
const site = join(scratch, 'site'), live = join(scratch, 'live');
const shared = {};

// A site and a live folder with a named pipe, links that lead out and links
// that stay inside, a folder without an index, and a list of the program's
// files that names one more than the program's own.
before(async () => {
  mkdirSync(join(site, 'examples'), { recursive: true });
  mkdirSync(live);
  writeFileSync(join(scratch, 'secret.txt'), 'not to be served');
  writeFileSync(join(site, 'index.html'), Index);
  writeFileSync(join(site, 'asset_files.json'), JSON.stringify({ ...List, files: [...List.files, { name: 'extra.txt' }] }));
  execFileSync('mkfifo', [join(site, 'pipe.txt'), join(live, 'fire.vert')]);
  symlinkSync(join(scratch, 'secret.txt'), join(site, 'out.txt'));
  symlinkSync('../secret.txt', join(live, 'fire.frag'));
  symlinkSync('index.html', join(site, 'in.html'));
  writeFileSync(join(live, 'confetti.vert'), Confetti);
  symlinkSync('confetti.vert', join(live, 'particle.bmp'));
  writeFileSync(join(live, 'extra.txt'), 'listed by the site');
  writeFileSync(join(live, 'unlisted.txt'), 'not listed');
  shared.server = await serve(site, '--live', live);
  shared.port = Number(new URL(shared.server.url).port);
  // One connection, kept open, for every request, as the page's are.
  shared.agent = new http.Agent({ keepAlive: true, maxSockets: 1 });
});
after(() => {
  shared.agent?.destroy();
  shared.server?.stop();
  rmSync(scratch, { recursive: true, force: true });
});

// GETs path from the server, with headers; gives the status, headers, body
// as text, and whether the connection was an earlier one's. Fails if no
// answer comes within 10 s.
function get(path, headers = {}, options = {}) {
  return new Promise((resolve, reject) => {
    const request = http.get({ host: '127.0.0.1', port: shared.port, path, headers, agent: shared.agent, ...options },
      (response) => {
        const chunks = [];
        response.on('data', (chunk) => chunks.push(chunk));
        response.on('end', () => resolve({ status: response.statusCode, headers: response.headers,
                                           body: Buffer.concat(chunks).toString(), reused: request.reusedSocket }));
      });
    request.setTimeout(10000, () => request.destroy(new Error(`${path}: no answer within 10 s`)));
    request.on('error', reject);
  });
}

const statusOf = async (path, headers) => (await get(path, headers)).status;

test('a named pipe is answered "not found" at once, and the server goes on serving', async () => {
  assert.equal(await statusOf('/live/fire.vert'), 404);
  assert.equal(await statusOf('/pipe.txt'), 404);
  assert.equal((await get('/live/confetti.vert')).body, Confetti);
});

test('a link that leads out of its folder is refused, one that stays inside is followed', async () => {
  assert.equal(await statusOf('/out.txt'), 404);
  assert.equal(await statusOf('/live/fire.frag'), 404);
  assert.equal(await statusOf('/%2e%2e/secret.txt'), 404);
  assert.equal((await get('/in.html')).body, Index);
  assert.equal((await get('/live/particle.bmp')).body, Confetti);
});

test('a folder is never listed: its address gives its index.html or nothing', async () => {
  assert.equal((await get('/')).body, Index);
  for (const path of ['/examples/', '/examples', '/live/']) {
    const { status, body } = await get(path);
    assert.equal(status, 404, path);
    assert.doesNotMatch(body, /index\.html|extra\.txt/, path);
  }
});

test('a request addressed to another host is refused, this machine\'s names are answered', async () => {
  const port = shared.port;
  const refused = ['evil.example', `evil.example:${port}`, `127.0.0.1.evil.example:${port}`, `127.0.0.1:${port + 1}`];
  for (const host of refused) assert.equal(await statusOf('/live.json', { Host: host }), 403, host);
  assert.equal((await get('/live.json', {}, { setHost: false })).status, 403, 'no Host at all');
  const answered = [`127.0.0.1:${port}`, `localhost:${port}`, `LocalHost:${port}`, `[::1]:${port}`, 'localhost'];
  for (const host of answered) assert.equal(await statusOf('/live.json', { Host: host }), 200, host);
});

test('the live files are those the site\'s list names, asked again over the same connection with their ETag', async () => {
  assert.equal(JSON.parse((await get('/live.json')).body).folder, `${live}/`);
  assert.equal((await get('/live/extra.txt')).body, 'listed by the site');
  assert.equal(await statusOf('/live/unlisted.txt'), 404);
  const first = await get('/live/confetti.vert');
  assert.equal(first.headers['cache-control'], 'no-cache');
  const again = await get('/live/confetti.vert', { 'If-None-Match': first.headers.etag });
  assert.deepEqual([again.status, again.body, again.reused], [304, '', true]);
  writeFileSync(join(live, 'confetti.vert'), `${Confetti}// changed\n`);
  assert.equal((await get('/live/confetti.vert', { 'If-None-Match': first.headers.etag })).status, 200);
});

test('a port in use, a missing site or a missing live folder: one line on stderr and status 1', async (t) => {
  const taken = net.createServer();
  await new Promise((resolve) => taken.listen(0, '127.0.0.1', resolve));
  t.after(() => taken.close());
  const script = join(Root, 'scripts', 'serve_web.py');
  const cases = [
    { args: [site, String(taken.address().port)], said: /port \d+ is in use/ },
    { args: [join(scratch, 'nowhere')], said: /no site folder .*nowhere/ },
    { args: [site, '--live', join(scratch, 'nowhere')], said: /no live folder .*nowhere/ },
  ];
  for (const { args, said } of cases) {
    const run = spawnSync('python3', [script, ...args], { encoding: 'utf8', timeout: 10000 });
    assert.equal(run.status, 1, args.join(' '));
    assert.match(run.stderr, said);
    assert.match(run.stderr, /^serve_web\.py: [^\n]+\n$/, 'one line');
  }
});
