// The npm package as its users get it: packed by npm/build.js, installed from the tarball into
// an empty folder without the registry, then used from Node (require and import, a game
// against itself with chess.js as referee, `npx morva bench`), from TypeScript (`tsc`), and in
// Chromium from a page bundled with esbuild and from a plain <script>, on a server without the
// isolation headers.
// Run with `node --test`; needs the WebAssembly engines (`make wasm`) and web/node_modules.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { execFileSync, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const { createRequire } = require('node:module');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');

const ROOT = path.join(__dirname, '../..');
const WEB_MODULES = path.join(ROOT, 'web/node_modules');
const { Chess } = require(path.join(WEB_MODULES, 'chess.js'));
const esbuild = require(path.join(WEB_MODULES, 'esbuild'));
const puppeteer = require(path.join(WEB_MODULES, 'puppeteer-core'));
const { servePlain } = require('../web/plain_host');

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'morva-npm-'));
const app = path.join(work, 'app');
const installed = path.join(app, 'node_modules/morva');
// npm without the registry: an address where nothing answers, and offline.
const OFFLINE = ['--offline', '--registry=http://127.0.0.1:9/', '--no-audit', '--no-fund'];

test.before(() => {
  execFileSync(process.execPath, [path.join(ROOT, 'npm/build.js'), path.join(work, 'packed')], { stdio: 'inherit' });
  const [tarball] = fs.readdirSync(path.join(work, 'packed')).filter((name) => name.endsWith('.tgz'));
  fs.mkdirSync(app);
  fs.writeFileSync(path.join(app, 'package.json'), '{ "private": true, "type": "module" }\n');
  execFileSync('npm', ['install', ...OFFLINE, path.join(work, 'packed', tarball)], { cwd: app, stdio: 'inherit' });
});

test.after(() => fs.rmSync(work, { recursive: true, force: true }));

// The engines, the types and the command are checked by using them below; the texts here.
test('the tarball is named after VERSION and holds the licence, the notices and a README', () => {
  const version = fs.readFileSync(path.join(ROOT, 'VERSION'), 'utf8').trim();
  assert.ok(fs.existsSync(path.join(work, 'packed', `morva-${version}.tgz`)));
  const manifest = JSON.parse(fs.readFileSync(path.join(installed, 'package.json'), 'utf8'));
  assert.deepStrictEqual([manifest.version, manifest.license], [version, 'GPL-3.0-or-later']);
  for (const file of ['README.md', 'LICENSE', 'THIRD-PARTY-NOTICES']) assert.ok(fs.existsSync(path.join(installed, file)), file);
});

test('required and imported, Morva plays 20 legal plies against itself and quits', async () => {
  const { Morva } = createRequire(path.join(app, 'index.js'))('morva');
  fs.writeFileSync(path.join(app, 'entry.mjs'), "export { Morva } from 'morva';\n");
  const imported = await import(pathToFileURL(path.join(app, 'entry.mjs')).href);
  assert.strictEqual(imported.Morva, Morva, 'import and require give different classes');
  const morva = new Morva();
  const game = new Chess();
  while (game.history().length < 20) {
    assert.ok(!game.isGameOver(), `the game ended early: ${game.pgn()}`);
    const { bestMove, score } = await morva.search(game.fen(), { depth: 3 });
    const move = game.moves({ verbose: true }).find((legal) => legal.lan === bestMove);
    assert.ok(move, `${bestMove} is no legal move in ${game.fen()}`);
    assert.ok(score && (Number.isInteger(score.cp) || Number.isInteger(score.mate)), JSON.stringify(score));
    game.move(move);
  }
  morva.send('isready');
  assert.deepStrictEqual([await morva.receive(), await morva.receive()], ['readyok ', '']);
  assert.strictEqual(await morva.quit(), 1);
  await assert.rejects(morva.receive(), /ended \(exit status 1\)/);
});

test('npx morva speaks UCI and gives the pinned bench count', () => {
  const npx = (args, input = '') => execFileSync('npx', [...OFFLINE, 'morva', ...args], { cwd: app, encoding: 'latin1', input });
  assert.match(npx(['bench', '4']), /\nNodes searched: 2162325\n/);
  assert.match(npx([], 'uci\nisready\n'), /uciok \nreadyok \n\n$/);
});

test('the types accept the documented use and refuse misuse', () => {
  const tsc = path.join(WEB_MODULES, 'typescript/bin/tsc');
  const options = ['--noEmit', '--strict', '--module', 'node16', '--moduleResolution', 'node16', '--target', 'es2022',
    '--lib', 'es2022,dom'];
  for (const name of ['example.ts', 'wrong_example.ts']) fs.copyFileSync(path.join(__dirname, name), path.join(app, name));
  execFileSync(process.execPath, [tsc, ...options, 'example.ts'], { cwd: app, encoding: 'utf8' });
  const refused = spawnSync(process.execPath, [tsc, ...options, 'wrong_example.ts'], { cwd: app, encoding: 'utf8' }).stdout;
  const marked = fs.readFileSync(path.join(app, 'wrong_example.ts'), 'utf8').split('\n')
    .flatMap((line, index) => (line.includes('// refused') ? [index + 1] : []));
  const lines = [...refused.matchAll(/^wrong_example\.ts\((\d+),\d+\): error/gm)].map((error) => Number(error[1]));
  assert.deepStrictEqual([...new Set(lines)], marked, refused);
});

test('in Chromium without isolation, a page bundled with esbuild and a plain script page each play a move', async () => {
  const site = path.join(work, 'site');
  fs.mkdirSync(site);
  esbuild.buildSync({ entryPoints: [path.join(__dirname, 'example_page.js')], bundle: true, format: 'esm',
    platform: 'browser', nodePaths: [path.join(app, 'node_modules')], outfile: path.join(site, 'bundle.js'), logLevel: 'warning' });
  for (const file of ['morva-web.js', 'morva.browser.js']) fs.copyFileSync(path.join(installed, 'dist', file), path.join(site, file));
  fs.writeFileSync(path.join(site, 'bundled.html'), '<!doctype html><title>…</title><link rel="icon" href="data:,"><script type="module" src="bundle.js"></script>');
  fs.writeFileSync(path.join(site, 'plain.html'), `<!doctype html><title>…</title><link rel="icon" href="data:,"><script src="morva.browser.js"></script>
<script>new Morva().search('startpos', { depth: 4 }).then(({ bestMove }) => { document.title = 'bestmove ' + bestMove; },
  (error) => { document.title = 'failed: ' + error.message; });</script>`);
  const server = await servePlain(site);
  const browser = await puppeteer.launch({ executablePath: process.env.MORVA_CHROMIUM || '/usr/bin/chromium', args: ['--no-sandbox'] });
  try {
    // The bundled example searches the position after 1. e4, the plain page the start.
    for (const [name, before] of [['bundled.html', 'rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1'],
      ['plain.html', new Chess().fen()]]) {
      const page = await browser.newPage();
      const problems = [];
      page.on('pageerror', (error) => problems.push(error.message));
      page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
      await page.goto(`${server.origin}/${name}`);
      await page.waitForFunction(() => /^(bestmove|failed)/.test(document.title), { timeout: 30000 });
      assert.strictEqual(await page.evaluate(() => self.crossOriginIsolated), false);
      const [kind, move] = (await page.title()).split(' ');
      assert.strictEqual(kind, 'bestmove', `${name}: ${await page.title()}`);
      assert.ok(new Chess(before).moves({ verbose: true }).some((legal) => legal.lan === move), `${name}: ${move}`);
      assert.deepStrictEqual(problems, [], name);
      await page.close();
    }
  } finally {
    await browser.close();
    server.close();
  }
});
