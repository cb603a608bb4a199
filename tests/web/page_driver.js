// Drives the page in headless Chromium (Debian's package, with puppeteer-core from
// web/node_modules) for the browser tests: opens it, plays moves with real clicks and drags,
// and follows the positions the board shows; chess.js (the page's own rules library) checks
// Morva's answers from the outside.
'use strict';
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const WEB = path.join(__dirname, '../../web');
const puppeteer = require(path.join(WEB, 'node_modules/puppeteer-core'));
const { Chess } = require(path.join(WEB, 'node_modules/chess.js'));

// The page tells Morva to stop at the move time; the slack covers the worker's messages and a
// loaded machine.
const REPLY_SLACK_MS = 2500;
const replyLimit = (moveTimeMs) => moveTimeMs + REPLY_SLACK_MS;

// Headless Chromium with a profile of its own, removed again by close().
async function launchBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'morva-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.MORVA_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// Opens the page in a browser context of its own (so no game is saved from another test) and
// records every page error, console error and failed request; waits for Morva unless told not to.
async function openPage(browser, address, { ready = true } = {}) {
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
  await page.goto(address);
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

module.exports = {
  Chess, REPLY_SLACK_MS, replyLimit, launchBrowser, openPage, startRecording, fenOf, stateOf, clickSquare, playMove,
  nextPosition, moveBetween, morvaReply,
};
