// The page in a real browser: headless Chromium from Debian's package, driven with
// puppeteer-core. Moves are played with real clicks and drags on the board; chess.js (the
// page's own rules library) checks Morva's answers from the outside. The page is served with
// the isolation headers, where it runs the shared-memory engine, and without them (python3's
// http.server, as most web hosts are) or from disk, where it runs the other one.
// Run with `node --test`; MORVA_WEB_ROOT names the built page (build/web), MORVA_SCREENSHOT
// where the picture of the last test's final position goes.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');

const WEB = path.join(__dirname, '../../web');
const puppeteer = require(path.join(WEB, 'node_modules/puppeteer-core'));
const { Chess } = require(path.join(WEB, 'node_modules/chess.js'));
const { serve } = require(path.join(WEB, 'serve.js'));
const { servePlain } = require('./plain_host');

const ROOT = path.resolve(process.env.MORVA_WEB_ROOT || path.join(__dirname, '../../build/web'));
const SCREENSHOT = process.env.MORVA_SCREENSHOT || path.join(__dirname, '../../build/web-test/final-position.png');
// The page tells Morva to stop at the move time; the slack covers the worker's messages and a
// loaded machine.
const REPLY_SLACK_MS = 2500;
const replyLimit = (moveTimeMs) => moveTimeMs + REPLY_SLACK_MS;
// How long a stop may take on a plain host to come back as Morva's move, from the click on "Move now".
const STOP_LIMIT_MS = 200;

let server;
let browser;
let profile;
let origin;
let plain;

test.before(async () => {
  server = await serve(ROOT, 0);
  origin = `http://127.0.0.1:${server.address().port}`;
  plain = await servePlain(ROOT);
  profile = fs.mkdtempSync(path.join(os.tmpdir(), 'morva-chromium-'));
  browser = await puppeteer.launch({
    executablePath: process.env.MORVA_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
  });
});

test.after(async () => {
  if (browser) await browser.close();
  if (server) server.close();
  if (plain) plain.close();
  if (profile) fs.rmSync(profile, { recursive: true, force: true });
});

// Opens the page in a browser context of its own (so no game is saved from another test) and
// records every page error, console error and failed request; waits for Morva unless told not to.
async function openPage(query, { at = origin, ready = true } = {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.once('close', () => context.close().catch(() => {}));
  await page.setViewport({ width: 1200, height: 800 });
  const problems = [];
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn') problems.push(`console ${message.type()}: ${message.text()}`);
  });
  page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
  await page.goto(`${at}/${query}`);
  if (ready) await startRecording(page);
  return { page, problems };
}

async function startRecording(page) {
  await page.waitForSelector('#board[data-engine="ready"]', { timeout: 20000 });
  await recordPositions(page);
  page.positionCursor = 0;
}

const fenOf = (page) => page.$eval('#board', (board) => board.dataset.fen);
const stateOf = (page) => page.$eval('#status', (status) => status.dataset.state);

async function squareCentre(page, square) {
  const box = await (await page.$('#board cg-board')).boundingBox();
  const black = await page.$eval('#board.cg-wrap', (wrap) => wrap.classList.contains('orientation-black'));
  const file = square.charCodeAt(0) - 97;
  const rank = Number(square[1]) - 1;
  const column = black ? 7 - file : file;
  const row = black ? rank : 7 - rank;
  return { x: box.x + (column + 0.5) * box.width / 8, y: box.y + (row + 0.5) * box.height / 8 };
}

async function clickSquare(page, square) {
  const { x, y } = await squareCentre(page, square);
  await page.mouse.click(x, y);
}

// Plays the user's move by clicking its two squares, or by dragging, and picks the promotion
// piece in the page's dialog.
async function playMove(page, move, { drag = false } = {}) {
  if (drag) {
    const from = await squareCentre(page, move.from);
    const to = await squareCentre(page, move.to);
    await page.mouse.move(from.x, from.y);
    await page.mouse.down();
    await page.mouse.move(to.x, to.y, { steps: 8 });
    await page.mouse.up();
  } else {
    await clickSquare(page, move.from);
    await clickSquare(page, move.to);
  }
  if (move.promotion) {
    await page.waitForSelector('#promotion:not([hidden])', { timeout: 2000 });
    await page.click(`#promotion button[data-piece="${move.promotion}"]`);
  }
}

// The positions the board has shown, each with the time it came, in order: Morva's answers
// can come faster than the test looks.
function recordPositions(page) {
  return page.evaluate(() => {
    const board = document.getElementById('board');
    const log = [{ fen: board.dataset.fen, at: performance.now() }];
    const add = (fen) => {
      if (fen !== log[log.length - 1].fen) log.push({ fen, at: performance.now() });
    };
    new MutationObserver((records) => {
      for (const record of records.slice(1)) add(record.oldValue);
      add(board.dataset.fen);
    }).observe(board, { attributes: true, attributeFilter: ['data-fen'], attributeOldValue: true });
    window.positionLog = log;
  });
}

// The next position in the page's log after the last one a test took, which must be `fen`,
// with the milliseconds between the two.
async function nextPosition(page, fen, timeoutMs) {
  const cursor = page.positionCursor;
  const next = await page.waitForFunction((at) => {
    const log = window.positionLog;
    return log.length > at + 1 && { before: log[at].fen, fen: log[at + 1].fen, ms: log[at + 1].at - log[at].at };
  }, { timeout: timeoutMs, polling: 10 }, cursor);
  const position = await next.jsonValue();
  assert.strictEqual(position.before, fen, 'the board showed a position the test did not expect');
  page.positionCursor = cursor + 1;
  return position;
}

// The legal move that leads from one position to the other, or undefined.
function moveBetween(before, after) {
  return new Chess(before).moves({ verbose: true }).find((move) => move.after === after);
}

async function morvaReply(page, before, moveTimeMs) {
  const reply = await nextPosition(page, before, replyLimit(moveTimeMs));
  const move = moveBetween(before, reply.fen);
  assert.ok(move, `Morva's answer is no legal move: ${before} -> ${reply.fen}`);
  assert.ok(reply.ms < replyLimit(moveTimeMs), `Morva took ${reply.ms} ms`);
  return { move, ms: reply.ms, fen: reply.fen };
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

// The shared-memory engine behind its messenger, or the other one as the page starts it on hosts
// without the isolation headers.
async function workerTakesLinesByMessage(shared) {
  const { page, problems } = await openPage('?movetime=100');
  await page.addScriptTag({ url: 'morva-engine.js' });
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
  assert.deepStrictEqual(problems, []);
  await page.close();
}

test('the shared-memory engine worker takes UCI lines by message and honours isready and quit mid-search',
  () => workerTakesLinesByMessage(true));
test('the engine worker without shared memory takes UCI lines by message and honours isready and quit mid-search',
  () => workerTakesLinesByMessage(false));

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

test('an engine that cannot load or crashes is reported within seconds, with the board locked', async () => {
  // The page with both engines crashing, isolated (shared memory) and not (the engine from its
  // source text); then without the script that holds that source.
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'morva-page-'));
  for (const name of fs.readdirSync(ROOT)) fs.symlinkSync(path.resolve(ROOT, name), path.join(folder, name));
  fs.rmSync(path.join(folder, 'morva.js'));
  fs.writeFileSync(path.join(folder, 'morva.js'), CRASHING_ENGINE);
  fs.rmSync(path.join(folder, 'morva-engine.js'));
  fs.writeFileSync(path.join(folder, 'morva-engine.js'), `self.morvaEngineSource = ${JSON.stringify(CRASHING_ENGINE)};`);
  const crashing = await serve(folder, 0);
  const plainHost = await servePlain(folder);
  for (const [at, pattern, missing] of [[`http://127.0.0.1:${crashing.address().port}`, /crashed: unreachable executed/],
    [plainHost.origin, /crashed: unreachable executed/],
    [plainHost.origin, /morva-engine\.js\) could not be loaded/, 'morva-engine.js']]) {
    if (missing) fs.rmSync(path.join(folder, missing));
    const { page } = await openPage('', { at, ready: false });
    await page.waitForSelector('#status[data-state="error"]', { timeout: 5000 });
    assert.match(await page.$eval('#status', (status) => status.textContent), pattern);
    await playMove(page, { from: 'd2', to: 'd4' });
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.strictEqual(await fenOf(page), new Chess().fen(), 'the board took a move with no engine to answer it');
    assert.ok(await page.$eval('#move-now', (button) => button.disabled));
    await page.close();
  }
  crashing.close();
  plainHost.close();
  fs.rmSync(folder, { recursive: true });
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

// Without the isolation headers the page runs the engine that needs no shared memory, which
// hears "stop" only when it hands control back to the browser.
test('on a plain host and opened from disk the page plays ten moves for each side, without errors', async () => {
  for (const at of [plain.origin, pathToFileURL(ROOT).href]) {
    const { page, problems } = await openPage('index.html?movetime=2000', { at });
    assert.strictEqual(await page.evaluate(() => self.crossOriginIsolated), false);
    await page.select('#level', '3');
    const random = randomGenerator(20261208);
    let fen = await fenOf(page);
    for (let move = 1; move <= 10; ++move) {
      const moves = new Chess(fen).moves({ verbose: true });
      const chosen = moves[Math.floor(random() * moves.length)];
      await playMove(page, chosen);
      fen = (await nextPosition(page, fen, 2000)).fen;
      assert.strictEqual(fen, chosen.after, `${at}, move ${move}: the board did not take ${chosen.san}`);
      fen = (await morvaReply(page, fen, 2000)).fen;
    }
    assert.strictEqual(await stateOf(page), 'user');
    assert.deepStrictEqual(problems, [], at);
    await page.close();
  }
});

test(`on a plain host "Move now" stops a long search within ${STOP_LIMIT_MS} ms`, async () => {
  const { page, problems } = await openPage('?color=black&movetime=60000', { at: plain.origin });
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
