// The page where most people will put it: on a plain static host that sends no isolation
// headers (python3 -m http.server), and opened from disk. There it runs the engine that needs
// no shared memory, which hears "stop" only when it hands control back to the browser.
// Run with `node --test`; MORVA_WEB_ROOT names the built page (build/web).
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { spawn } = require('node:child_process');
const path = require('node:path');
const { pathToFileURL } = require('node:url');

const driver = require('./page_driver.js');
const { Chess, fenOf, stateOf, playMove, nextPosition, morvaReply } = driver;

const ROOT = path.resolve(process.env.MORVA_WEB_ROOT || path.join(__dirname, '../../build/web'));
// How long a stop may take to come back as Morva's move, from the click on "Move now".
const STOP_LIMIT_MS = 200;

let server;
let origin;
let browser;

test.before(async () => {
  server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', ROOT],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  origin = await new Promise((resolve, reject) => {
    let said = '';
    server.stdout.on('data', (text) => {
      said += text;
      const port = /port (\d+)/.exec(said);
      if (port) resolve(`http://127.0.0.1:${port[1]}`);
    });
    server.once('exit', () => reject(new Error(`python3 -m http.server ended: ${said}`)));
  });
  browser = await driver.launchBrowser();
});

test.after(async () => {
  if (browser) await browser.close();
  if (server) server.kill();
});

// A small seeded generator: with Morva at a fixed depth the whole game is the same every run.
function randomGenerator(seed) {
  let state = seed >>> 0;
  return () => {
    state = (state * 1664525 + 1013904223) >>> 0;
    return state / 2 ** 32;
  };
}

test('on a plain host the page plays ten moves for each side, without errors', async () => {
  const { page, problems } = await driver.openPage(browser, `${origin}/?movetime=2000`);
  assert.strictEqual(await page.evaluate(() => self.crossOriginIsolated), false);
  await page.select('#level', '3');
  const random = randomGenerator(20261208);
  let fen = await fenOf(page);
  for (let move = 1; move <= 10; ++move) {
    const moves = new Chess(fen).moves({ verbose: true });
    const chosen = moves[Math.floor(random() * moves.length)];
    await playMove(page, chosen);
    fen = (await nextPosition(page, fen, 2000)).fen;
    assert.strictEqual(fen, chosen.after, `move ${move}: the board did not take ${chosen.san}`);
    fen = (await morvaReply(page, fen, 2000)).fen;
  }
  assert.strictEqual(await stateOf(page), 'user');
  assert.deepStrictEqual(problems, []);
  await page.close();
});

test(`on a plain host "Move now" stops a long search within ${STOP_LIMIT_MS} ms`, async () => {
  const { page, problems } = await driver.openPage(browser, `${origin}/?color=black&movetime=60000`);
  for (const round of [1, 2, 3]) {
    await page.waitForFunction(() => {
      const depth = /^Depth (\d+)/.exec(document.getElementById('thinking').textContent);
      return document.getElementById('status').dataset.state === 'thinking' && depth && Number(depth[1]) >= 5;
    }, { timeout: 20000, polling: 20 });
    const before = await fenOf(page);
    const clicked = await page.evaluate(() => {
      const at = performance.now();
      document.getElementById('move-now').click();
      return at;
    });
    const reply = await nextPosition(page, before, 5000);
    const took = await page.evaluate((at, index) => window.positionLog[index].at - at, clicked, page.positionCursor);
    assert.ok(took < STOP_LIMIT_MS, `round ${round}: the stop took ${Math.round(took)} ms`);
    console.log(`stop answered in ${Math.round(took)} ms`);
    // Morva's next search begins with the player's move.
    const own = new Chess(reply.fen).moves({ verbose: true })[0];
    await playMove(page, own);
    await nextPosition(page, reply.fen, 2000);
  }
  assert.deepStrictEqual(problems, []);
  await page.close();
});

test('opened from disk, the page plays', async () => {
  const { page, problems } = await driver.openPage(browser, pathToFileURL(path.join(ROOT, 'index.html')).href);
  const start = await fenOf(page);
  await playMove(page, { from: 'e2', to: 'e4' });
  const afterE4 = (await nextPosition(page, start, 2000)).fen;
  await morvaReply(page, afterE4, 1000);
  assert.deepStrictEqual(problems, []);
  await page.close();
});
