'use strict';
// The game runner against engines that misbehave on purpose: each fault
// must end the game against the faulty side and be counted in the summary.
const test = require('node:test');
const assert = require('node:assert');
const path = require('node:path');
const { playGame } = require('../game');
const { emptyTally, addGame, failureCount } = require('../summary');

const FAKE = path.join(__dirname, 'fake_engine.js');
// Long enough that a fake engine slowed by a loaded machine stays within a tenth of it.
const CLOCK = { kind: 'clock', baseMs: 3000, incMs: 0 };

function fake(behaviour) {
  return { name: `fake-${behaviour}`, command: process.execPath, args: [FAKE, behaviour], options: [], quitStatus: 0 };
}

async function play(white, black, control = CLOCK, moveLimit = 20) {
  return playGame({ white: fake(white), black: fake(black), control, opening: 'e2e4 e7e5', moveLimit, round: 1 });
}

function kinds(game) {
  return game.problems.map((p) => `${p.colour}:${p.kind}`);
}

test('legal engines play to the move limit with no problem and a full PGN', async () => {
  const game = await play('legal', 'legal', CLOCK, 8);
  assert.deepStrictEqual(kinds(game), []);
  assert.strictEqual(game.result, '1/2-1/2');
  assert.match(game.reason, /move limit 8/);
  assert.match(game.pgn, /\[Termination "adjudicated at move limit 8"\]/);
  assert.match(game.pgn, /1\. e4 \{book\} e5 \{book\} 2\. /);
});

test('an illegal move loses the game and is counted', async () => {
  const game = await play('legal', 'illegal');
  assert.deepStrictEqual(kinds(game), ['black:illegal']);
  assert.strictEqual(game.result, '1-0');
  const tally = emptyTally('t');
  addGame(tally, game, 'fake-illegal');
  assert.strictEqual(tally.illegal, 1);
  assert.strictEqual(tally.losses, 1);
  assert.strictEqual(failureCount(tally), 1);
});

test('an engine that exits or aborts while thinking is a crash', async () => {
  const exited = await play('crash', 'legal');
  assert.deepStrictEqual(kinds(exited), ['white:crash']);
  assert.strictEqual(exited.result, '0-1');
  const aborted = await play('legal', 'abort');
  assert.deepStrictEqual(kinds(aborted), ['black:crash']);
  assert.match(aborted.problems[0].detail, /SIGABRT/);
});

test('an engine that answers only after stop loses on time', async () => {
  const game = await play('slow', 'legal');
  assert.deepStrictEqual(kinds(game), ['white:time']);
  assert.strictEqual(game.result, '0-1');
  const movetime = await play('legal', 'slow', { kind: 'movetime', ms: 100 });
  assert.deepStrictEqual(kinds(movetime), ['black:time']);
  // A move time is a limit: an answer well past it loses, stop or no stop.
  const late = await play('lagging', 'legal', { kind: 'movetime', ms: 100 });
  assert.deepStrictEqual(kinds(late), ['white:time']);
  assert.strictEqual(late.result, '0-1');
});

test('an engine that never answers is killed and counted as giving no bestmove', async () => {
  const game = await play('silent', 'legal');
  assert.deepStrictEqual(kinds(game), ['white:nobestmove']);
  assert.strictEqual(game.result, '0-1');
});

test('an engine that ignores quit is killed and counted', async () => {
  const game = await play('legal', 'noquit', CLOCK, 3);
  assert.deepStrictEqual(kinds(game), ['black:quit']);
});

test('a move past a tenth of the clock is a clock overrun, and the game goes on', async () => {
  const game = await play('lagging', 'legal', { kind: 'clock', baseMs: 10000, incMs: 0 }, 3);
  assert.deepStrictEqual(kinds(game), ['white:overrun', 'white:overrun']);
  assert.match(game.reason, /move limit 3/);
  const tally = emptyTally('t');
  addGame(tally, game, 'fake-lagging');
  assert.strictEqual(tally.overrun, 2);
  assert.strictEqual(failureCount(tally), 2);
});

test('the overrun compares a move with a hundredth of the clock', async () => {
  const game = await play('slow', 'legal');
  const over = game.overrun.white;
  assert.strictEqual(over.budgetMs, 30);
  assert.ok(over.elapsedMs > 3000 && over.overMs === over.elapsedMs - 30);
});
