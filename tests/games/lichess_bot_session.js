#!/usr/bin/env node
'use strict';
// A game as lichess-bot plays it with the README's engine section, replayed line by line as
// python-chess, through which lichess-bot talks to engines, writes it: "uci"; "setoption" for
// each of the section's uci_options that differs from the engine's default (python-chess refuses
// an option the engine does not offer, and the bot stops before its first game); "ucinewgame"
// and "isready"; for each of the bot's moves "position startpos moves ..." and "go", the first
// with "go movetime 10000" (lichess aborts a game without first moves within 30 s), the others
// with the clocks less lichess-bot's move overhead; at the end "isready" and "quit". The bot
// plays Black against varied legal moves; every answer must be legal and in time.
//
//   node lichess_bot_session.js --morva PATH --readme README.md
const fs = require('node:fs');
const { performance } = require('node:perf_hooks');
const { Chess } = require('chess.js');
const { check, legalMove, runSession } = require('./session_checks');
// How late an answer may come: a move time's slack, and a tenth of the clock plus the pipes' delay.
const { MOVETIME_TOLERANCE_MS, capMs } = require('./game');

const REPLY_MS = 10000;
const FIRST_MOVE_MS = 10000;
const LICHESS_ABORT_MS = 30000;
// lichess-bot's default move_overhead, kept back from the bot's own clock at each move.
const MOVE_OVERHEAD_MS = 2000;
// lichess's UltraBullet, a quarter of a minute without increment; the opponent takes a fifth of
// a second a move.
const CLOCK_MS = 15000;
const OPPONENT_MS = 200;
const BOT_MOVES = 10;

// The entries indented under "KEY:" in the README's yaml block for lichess-bot, comments left out.
function readmeEntries(readme, key) {
  const block = readme.split(/^### lichess-bot$/m)[1].split(/^```yaml$/m)[1].split(/^```$/m)[0];
  const lines = block.split('\n').map((l) => l.replace(/\s+#.*$/, ''));
  const start = lines.findIndex((l) => l.trim() === `${key}:`);
  if (start < 0) return [];
  const indent = lines[start].search(/\S/);
  const end = lines.findIndex((l, i) => i > start && l.search(/\S/) <= indent);
  return lines.slice(start + 1, end < 0 ? undefined : end).map((l) => l.trim()).filter(Boolean);
}

async function session(engine, argument) {
  const readme = fs.readFileSync(argument('--readme'), 'utf8');
  const options = readmeEntries(readme, 'uci_options').map((l) => l.split(/:\s*/).map((t) => t.replace(/^"|"$/g, '')));
  check(options.length > 0, `the README's lichess-bot section sets uci_options (${options.map(([name]) => name).join(', ')})`);

  engine.send('uci');
  const uciok = await engine.waitFor('uciok', REPLY_MS);
  if (!check(!uciok.failure, 'uci is answered by uciok')) return;
  for (const [name, value] of options) {
    const offered = uciok.seen.map((l) => new RegExp(`^option name ${name} type (\\S+)(.*)$`).exec(l.trim())).find(Boolean);
    if (!check(offered, `the README's option ${name} is one that "uci" offers`)) return;
    const field = (word) => (new RegExp(`\\b${word} (\\S+)`).exec(offered[2]) || [])[1];
    if (offered[1] === 'spin') {
      check(Number(value) >= Number(field('min')) && Number(value) <= Number(field('max')),
        `the README's ${name} ${value} is within ${field('min')}..${field('max')}`);
    }
    if (value !== field('default')) engine.send(`setoption name ${name} value ${value}`);
  }
  engine.send('ucinewgame');
  if (!check((await engine.ready(REPLY_MS)) === null, 'ucinewgame then isready is answered by readyok')) return;

  const chess = new Chess();
  let clock = CLOCK_MS;  // the bot's, which starts after its first move
  for (let botMove = 1; botMove <= BOT_MOVES; botMove += 1) {
    const replies = chess.moves({ verbose: true });
    chess.move(replies[(botMove * 7) % replies.length]);
    if (chess.isGameOver()) break;
    const first = botMove === 1;
    const given = clock - MOVE_OVERHEAD_MS;
    const go = first ? `go movetime ${FIRST_MOVE_MS}`
      : `go wtime ${CLOCK_MS - OPPONENT_MS * (botMove - 1)} btime ${given} winc 0 binc 0`;
    engine.send(`position startpos moves ${chess.history({ verbose: true }).map((m) => m.lan).join(' ')}`);
    const started = performance.now();
    engine.send(go);
    const answer = await engine.waitFor('bestmove', LICHESS_ABORT_MS);
    const tookMs = Math.round(performance.now() - started);
    const move = !answer.failure && legalMove(chess, answer.line);
    if (!check(move, `move ${botMove} (${go}): a legal bestmove (${answer.line || answer.failure})`)) return;
    const limitMs = first ? FIRST_MOVE_MS + MOVETIME_TOLERANCE_MS : capMs(given);
    check(tookMs <= limitMs, `move ${botMove} came in ${tookMs} ms, within ${Math.round(limitMs)} ms`);
    chess.move(move);
    if (!first) clock -= tookMs;
  }

  if (!check((await engine.ready(REPLY_MS)) === null, 'the closing isready is answered by readyok')) return;
  await engine.quit(REPLY_MS);
  check(engine.exitedCleanly(engine.setup.quitStatus), `quit ends the engine with status ${engine.setup.quitStatus}`);
}

runSession('lichess-bot session', session);
