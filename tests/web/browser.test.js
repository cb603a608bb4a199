// The page in a real browser, served with the cross-origin isolation headers, where it runs
// the shared-memory engine: moves played with real clicks and drags on the board, Morva's
// answers checked with chess.js (the page's own rules library).
// Run with `node --test`; MORVA_WEB_ROOT names the built page (build/web), MORVA_SCREENSHOT
// where the picture of the last test's final position goes.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');

const driver = require('./page_driver.js');
const { Chess, REPLY_SLACK_MS, replyLimit, startRecording, fenOf, stateOf, clickSquare, playMove, nextPosition,
  moveBetween, morvaReply } = driver;
const { serve } = require('../../web/serve.js');

const ROOT = process.env.MORVA_WEB_ROOT || path.join(__dirname, '../../build/web');
const SCREENSHOT = process.env.MORVA_SCREENSHOT || path.join(__dirname, '../../build/web-test/final-position.png');

let server;
let browser;
let origin;

test.before(async () => {
  server = await serve(ROOT, 0);
  origin = `http://127.0.0.1:${server.address().port}`;
  browser = await driver.launchBrowser();
});

test.after(async () => {
  if (browser) await browser.close();
  if (server) server.close();
});

// The page at the test server, or another address; see openPage in page_driver.js.
function openPage(query, { at = origin, ready = true } = {}) {
  return driver.openPage(browser, `${at}/${query}`, { ready });
}

test('moves by click and drag, legal answers in time, illegal moves refused, take back', async () => {
  const { page, problems } = await openPage('?movetime=300');
  const start = await fenOf(page);
  assert.strictEqual(await stateOf(page), 'user');

  await playMove(page, { from: 'e2', to: 'e5' });
  await new Promise((resolve) => setTimeout(resolve, 200));
  assert.strictEqual(await fenOf(page), start, 'an illegal move was played');

  await clickSquare(page, 'h8');
  await playMove(page, { from: 'e2', to: 'e4' });
  const afterE4 = (await nextPosition(page, start, 2000)).fen;
  assert.strictEqual(moveBetween(start, afterE4).san, 'e4');
  const first = await morvaReply(page, afterE4, 300);

  await playMove(page, { from: 'g1', to: 'f3' }, { drag: true });
  const afterNf3 = (await nextPosition(page, first.fen, 2000)).fen;
  assert.strictEqual(moveBetween(first.fen, afterNf3).san, 'Nf3');
  await morvaReply(page, afterNf3, 300);

  const thinking = await page.$eval('#thinking', (element) => element.textContent);
  assert.match(thinking, /^Depth \d+ · ([+-]?\d+\.\d\d|mate in \d+ for (White|Black)) · 2\.\.\. [NBRQKa-h]/);
  const pgn = await page.$eval('#pgn', (element) => element.value);
  assert.match(pgn, new RegExp(`1\\. e4 ${first.move.san.replace(/[+]/g, '\\+')} 2\\. Nf3 `));

  await page.click('#take-back');
  await page.waitForFunction((fen) => document.getElementById('board').dataset.fen === fen, { timeout: 2000 }, first.fen);
  assert.strictEqual(await stateOf(page), 'user');
  assert.deepStrictEqual(problems, []);
  await page.close();
});

test('as Black Morva opens, and "Move now" stops a long search', async () => {
  const { page, problems } = await openPage('?color=black&movetime=60000');
  assert.ok(await page.$('#board.cg-wrap.orientation-black'));
  await page.waitForFunction(() => {
    const depth = /^Depth (\d+)/.exec(document.getElementById('thinking').textContent);
    return depth && Number(depth[1]) >= 4;
  }, { timeout: 20000, polling: 20 });
  const before = await fenOf(page);
  await page.click('#move-now');
  const reply = await nextPosition(page, before, REPLY_SLACK_MS);
  assert.ok(moveBetween(before, reply.fen), `Morva's answer is no legal move: ${before} -> ${reply.fen}`);
  assert.strictEqual(new Chess(reply.fen).turn(), 'b');
  assert.strictEqual(await stateOf(page), 'user');
  assert.deepStrictEqual(problems, []);
  await page.close();
});

test('a promotion asks for the piece', async () => {
  const fen = '4k3/P7/8/8/8/8/7p/K7 w - - 0 1';
  const { page, problems } = await openPage(`?movetime=100&fen=${encodeURIComponent(fen)}`);
  const start = await fenOf(page);
  await playMove(page, { from: 'a7', to: 'a8', promotion: 'n' });
  const promoted = (await nextPosition(page, start, 2000)).fen;
  assert.strictEqual(moveBetween(start, promoted).san, 'a8=N');
  await morvaReply(page, promoted, 100);
  assert.deepStrictEqual(problems, []);
  await page.close();
});

test('both engine workers take UCI lines by message and honour isready and quit mid-search', async () => {
  const { page, problems } = await openPage('?movetime=100');
  await page.addScriptTag({ url: 'morva-engine.js' });
  // The shared-memory engine behind its messenger, and the other one as the page starts it on
  // hosts without the isolation headers.
  for (const shared of [true, false]) {
    const messages = await page.evaluate((shared) => new Promise((resolve, reject) => {
      const worker = shared ? new Worker('engine-worker.js')
        : new Worker(URL.createObjectURL(new Blob([self.morvaEngineSource], { type: 'text/javascript' })));
      const seen = [];
      const timer = setTimeout(() => reject(new Error(`no end: ${JSON.stringify(seen)}`)), 20000);
      worker.onmessage = ({ data }) => {
        seen.push(data);
        if (data.line !== undefined && data.line.includes(' depth 3 score')) worker.postMessage('isready');
        if (data.line === 'readyok ') worker.postMessage('quit');
        if (data.exit !== undefined) {
          clearTimeout(timer);
          worker.terminate();
          resolve(seen);
        }
      };
      for (const line of ['uci', 'position startpos', 'go infinite']) worker.postMessage(line);
    }), shared);
    const lines = messages.filter((message) => message.line !== undefined).map((message) => message.line);
    assert.ok(lines.includes('uciok '));
    const ready = lines.indexOf('readyok ');
    assert.ok(ready > lines.indexOf('uciok '));
    assert.strictEqual(lines[ready + 1], '', 'readyok is followed by its empty line');
    assert.ok(!lines.some((line) => line.startsWith('bestmove')), 'quit ended the search without an answer');
    assert.deepStrictEqual(messages[messages.length - 1], { exit: 1 });
  }
  assert.deepStrictEqual(problems, []);
  await page.close();
});

// A small seeded generator, so that a failing game can be played again.
function randomGenerator(seed) {
  let state = seed >>> 0;
  return () => {
    state = (state * 1664525 + 1013904223) >>> 0;
    return state / 2 ** 32;
  };
}

test('a whole game against a random mover ends by the rules, with the result and the PGN', async () => {
  const seed = Number(process.env.MORVA_GAME_SEED || 20261207);
  const random = randomGenerator(seed);
  const { page, problems } = await openPage('?movetime=50');
  let fen = await fenOf(page);
  let plies = 0;
  let slowest = 0;
  while ((await stateOf(page)) !== 'over') {
    assert.ok(plies < 1000, 'the game did not end');
    const moves = new Chess(fen).moves({ verbose: true });
    const move = moves[Math.floor(random() * moves.length)];
    await playMove(page, move);
    fen = (await nextPosition(page, fen, 2000)).fen;
    assert.strictEqual(fen, move.after, `seed ${seed}: the board did not take ${move.san}`);
    plies += 1;
    // Morva's answer may come before the test looks: the game is over only when no answer came.
    const next = await page.waitForFunction((at) => {
      if (window.positionLog.length > at + 1) return 'answered';
      return document.getElementById('status').dataset.state === 'over' && 'over';
    }, { timeout: replyLimit(50), polling: 10 }, page.positionCursor);
    if ((await next.jsonValue()) === 'over') break;
    const reply = await morvaReply(page, fen, 50);
    slowest = Math.max(slowest, reply.ms);
    fen = reply.fen;
    plies += 1;
  }
  const result = await page.$eval('#status', (status) => status.dataset.result);
  const pgn = await page.$eval('#pgn', (element) => element.value);
  const replay = new Chess();
  replay.loadPgn(pgn);
  assert.strictEqual(replay.fen(), fen);
  assert.ok(replay.isGameOver(), `seed ${seed}: the page ended a game that goes on`);
  assert.strictEqual(result, replay.isCheckmate() ? (replay.turn() === 'w' ? '0-1' : '1-0') : '1/2-1/2');
  assert.ok(pgn.includes(`[Result "${result}"]`) && pgn.trim().endsWith(result));
  fs.mkdirSync(path.dirname(SCREENSHOT), { recursive: true });
  await page.screenshot({ path: SCREENSHOT });
  console.log(`game of ${plies} plies, ${result}; slowest answer ${Math.round(slowest)} ms; screenshot ${SCREENSHOT}`);
  assert.deepStrictEqual(problems, []);
  await page.close();
});

test("scores are shown from White's side, and Morva keeps to the time per move", async () => {
  // Black to move and a queen up: Morva, playing Black, must show a score below zero.
  const fen = 'rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNB1KBNR b KQkq - 0 2';
  const { page, problems } = await openPage(`?movetime=1000&color=white&fen=${encodeURIComponent(fen)}`);
  const opening = await morvaReply(page, fen, 1000);
  const score = await page.$eval('#thinking', (element) => element.textContent.split(' · ')[1]);
  assert.ok(Number(score) <= -5, `a queen up for Black is shown as ${score}`);
  assert.match(await page.$eval('#status', (status) => status.textContent), new RegExp(`^Morva played ${opening.move.san.replace('+', '\\+')}\\. Your move`));
  const own = new Chess(opening.fen).moves({ verbose: true })[0];
  await playMove(page, own);
  const reply = await morvaReply(page, (await nextPosition(page, opening.fen, 2000)).fen, 1000);
  assert.ok(reply.ms < 1500, `at 1 s a move Morva took ${Math.round(reply.ms)} ms`);
  console.log(`at 1 s a move Morva answered in ${Math.round(reply.ms)} ms`);
  assert.deepStrictEqual(problems, []);
  await page.close();
});

// An engine that answers "uci", then fails as a trapped WebAssembly module does inside
// emscripten's start-up: with a rejected promise that nothing handles.
const CRASHING_ENGINE = `self.onmessage = () => {
  postMessage({ line: 'uciok ' });
  setTimeout(() => Promise.reject(new Error('unreachable executed')), 300);
};`;

// A plain static server without the isolation headers, as most web hosts are.
async function servePlain(root) {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://localhost').pathname.replace(/\/$/, '/index.html');
    fs.readFile(path.join(root, path.normalize(name)), (error, body) => response.writeHead(error ? 404 : 200).end(body));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return server;
}

test('an engine that cannot load or crashes is reported within seconds, with the board locked', async () => {
  // The page with both engines crashing, isolated (shared memory) and not (the engine from its
  // source text), and a copy that lacks the engine script.
  const page = (name) => {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), `morva-${name}-`));
    for (const file of fs.readdirSync(ROOT)) fs.symlinkSync(path.resolve(ROOT, file), path.join(folder, file));
    return folder;
  };
  const crashing = page('crashing');
  fs.rmSync(path.join(crashing, 'morva.js'));
  fs.writeFileSync(path.join(crashing, 'morva.js'), CRASHING_ENGINE);
  fs.rmSync(path.join(crashing, 'morva-engine.js'));
  fs.writeFileSync(path.join(crashing, 'morva-engine.js'), `self.morvaEngineSource = ${JSON.stringify(CRASHING_ENGINE)};`);
  const incomplete = page('incomplete');
  fs.rmSync(path.join(incomplete, 'morva-engine.js'));
  for (const [server, pattern] of [[await serve(crashing, 0), /crashed: unreachable executed/],
    [await servePlain(crashing), /crashed: unreachable executed/],
    [await servePlain(incomplete), /morva-engine\.js\) could not be loaded/]]) {
    const { page: opened } = await openPage('', { at: `http://127.0.0.1:${server.address().port}`, ready: false });
    await opened.waitForSelector('#status[data-state="error"]', { timeout: 5000 });
    assert.match(await opened.$eval('#status', (status) => status.textContent), pattern);
    await playMove(opened, { from: 'd2', to: 'd4' });
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.strictEqual(await fenOf(opened), new Chess().fen(), 'the board took a move with no engine to answer it');
    assert.ok(await opened.$eval('#move-now', (button) => button.disabled));
    await opened.close();
    server.close();
  }
  for (const folder of [crashing, incomplete]) fs.rmSync(folder, { recursive: true });
});

test('the server answers a bad address with 400 and goes on serving, the licence as text', async () => {
  assert.strictEqual((await fetch(`${origin}/%00`)).status, 400);
  assert.strictEqual((await fetch(`${origin}/`)).status, 200);
  assert.match((await fetch(`${origin}/LICENSE`)).headers.get('content-type'), /^text\/plain/);
});

test('levels, typed moves, the move list, a reload, changing sides, flipping and resigning, at desktop and phone sizes', async () => {
  const { page, problems } = await openPage('?movetime=100');
  const start = await fenOf(page);
  await page.select('#level', '1');
  await page.type('#move-input', 'Nf3\n');
  const afterNf3 = (await nextPosition(page, start, 2000)).fen;
  const reply = await morvaReply(page, afterNf3, 100);
  assert.match(await page.$eval('#thinking', (element) => element.textContent), /^Depth 1 /);

  // The game and the level come back after a reload, and the move list shows the board as it was.
  await page.reload();
  await startRecording(page);
  assert.strictEqual(await fenOf(page), reply.fen);
  assert.strictEqual(await page.$eval('#level', (select) => select.value), '1');
  await page.click('#moves button[data-ply="1"]');
  assert.strictEqual(await fenOf(page), afterNf3);
  await page.keyboard.press('End');
  assert.strictEqual(await fenOf(page), reply.fen);
  page.positionCursor = (await page.evaluate(() => window.positionLog.length)) - 1;

  // Taking Black in the middle of the game hands White's move to Morva.
  await page.select('#colour', 'black');
  const second = await morvaReply(page, reply.fen, 100);
  await page.click('#flip');
  assert.ok(await page.$('#board.cg-wrap.orientation-white'), 'playing Black, the flipped board shows White below');
  await page.click('#resign');
  assert.strictEqual(await page.$eval('#status', (status) => status.dataset.result), '1-0');
  const points = await page.$eval('#graph', (graph) => !graph.hidden && graph.querySelector('polyline').getAttribute('points'));
  assert.strictEqual(points.split(' ').length, 3, `the graph of two evaluations: ${points}`);
  assert.match(await page.$eval('#pgn', (element) => element.value), new RegExp(`1\\. Nf3 \\S+ 2\\. ${second.move.san} 1-0\\s*$`));

  for (const [width, height] of [[1366, 768], [390, 844]]) {
    await page.setViewport({ width, height });
    // Each file's letter sits on its own square's column.
    const misplaced = await page.$eval('#board cg-board', (board) => {
      const box = board.getBoundingClientRect();
      return [...document.querySelectorAll('#board coords.files coord')].filter((coord) => {
        const { left, right } = coord.getBoundingClientRect();
        return Math.floor(((left + right) / 2 - box.left) / (box.width / 8)) !== coord.textContent.charCodeAt(0) - 97;
      }).map((coord) => coord.textContent);
    });
    assert.deepStrictEqual(misplaced, [], `letters off their files at ${width}x${height}`);
    await page.screenshot({ path: path.join(path.dirname(SCREENSHOT), `page-${width}x${height}.png`) });
  }
  assert.deepStrictEqual(problems, []);
  await page.close();
});
