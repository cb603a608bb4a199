#!/usr/bin/env node
'use strict';
// A game as lichess-bot plays it with the README's engine section, replayed line by line as
// python-chess, through which lichess-bot talks to engines, writes it:
//   - "uci"; then "setoption" for each of the README's uci_options whose value differs from the
//     engine's default (python-chess refuses an option the engine does not offer, and the bot
//     stops before its first game: each must be in the "uci" answer, within its range);
//   - for the game "ucinewgame" and "isready";
//   - for each of the bot's moves "position startpos moves ..." and "go": the side's first move
//     with "go movetime 10000" (lichess aborts a game without first moves within 30 s), the
//     others with the clocks less lichess-bot's move overhead, "go wtime W btime B winc I binc I";
//   - at the end "isready" (lichess-bot's ping) and "quit".
// The bot plays Black against random legal moves. Every answer must be a legal move, the first
// by its move time, the others within a tenth of the clock given. Every check is printed; the
// exit status is non-zero when one fails.
//
//   node lichess_bot_session.js --morva PATH --readme README.md
const fs = require('node:fs');
const { performance } = require('node:perf_hooks');
const { Chess } = require('chess.js');
const { UciEngine } = require('./uci_engine');
const { engineSetup } = require('./engines');
const { check, failureCount, legalMove, finishSession } = require('./session_checks');

const REPLY_MS = 10000;
const QUIT_MS = 3000;
const FIRST_MOVE_MS = 10000;
const LICHESS_ABORT_MS = 30000;
// The answer to "go movetime N" may come this late: the time to write and read the reply.
const MOVETIME_SLACK_MS = 30;
// lichess-bot's default move_overhead, kept back from the bot's own clock at each move.
const MOVE_OVERHEAD_MS = 2000;
// lichess's UltraBullet, a quarter of a minute without increment (a longer clock would only make
// the test longer); the opponent takes a fifth of a second a move.
const CLOCK_MS = 15000;
const INCREMENT_MS = 0;
const OPPONENT_MS = 200;
// The tenth of its clock that a clock search never passes, plus the pipes' delay.
const CLOCK_SLACK_MS = 100;
const BOT_MOVES = 10;

// The README's lichess-bot configuration: the first yaml block after the "### lichess-bot"
// heading, as lines without their comments.
function readmeConfig(readmePath) {
  const text = fs.readFileSync(readmePath, 'utf8');
  const section = text.split(/^### lichess-bot$/m)[1];
  if (!section) throw new Error(`${readmePath} has no "### lichess-bot" section`);
  return section.split(/^```yaml$/m)[1].split(/^```$/m)[0].split('\n').map((l) => l.replace(/\s+#.*$/, ''));
}

// The entries indented under "KEY:": [name, value] pairs, or the items of a list.
function entriesUnder(config, key) {
  const start = config.findIndex((l) => new RegExp(`^\\s*${key}:\\s*$`).test(l));
  if (start < 0) return [];
  const indent = config[start].search(/\S/);
  const entries = [];
  for (const line of config.slice(start + 1)) {
    if (line.search(/\S/) <= indent) break;
    const pair = /^\s*([^:-][^:]*):\s*(.+)$/.exec(line);
    const item = /^\s*-\s*(.+)$/.exec(line);
    if (pair) entries.push([pair[1].trim(), pair[2].trim().replace(/^"(.*)"$/, '$1')]);
    else if (item) entries.push(item[1].trim());
  }
  return entries;
}

// The options of a "uci" answer by name: "option name N type spin default D min A max B".
function offeredOptions(lines) {
  const offered = new Map();
  for (const line of lines) {
    const match = /^option\s+name\s+(.+?)\s+type\s+(\S+)(.*)$/.exec(line.trim());
    if (!match) continue;
    const field = (name) => (new RegExp(`\\b${name}\\s+(\\S+)`).exec(match[3]) || [])[1];
    offered.set(match[1], { type: match[2], default: field('default'), min: field('min'), max: field('max') });
  }
  return offered;
}

// The same random game every run.
function seededRandom(seed) {
  let state = seed;
  return () => {
    state = (state * 1103515245 + 12345) % 2147483648;
    return state / 2147483648;
  };
}

async function session(engine, config) {
  check(config.some((l) => /^\s*ponder:\s*false\s*$/.test(l)), 'the README\'s lichess-bot section sets ponder: false');
  const variants = entriesUnder(config, 'variants');
  check(variants.join() === 'standard', `the README's lichess-bot section accepts standard chess only (${variants.join(', ')})`);
  const readmeOptions = entriesUnder(config, 'uci_options');
  engine.send('uci');
  const uciok = await engine.waitFor('uciok', REPLY_MS);
  if (!check(!uciok.failure, 'uci is answered by uciok')) return;
  const offered = offeredOptions(uciok.seen);
  check(readmeOptions.length > 0, `the README's lichess-bot section sets uci_options (${readmeOptions.map(([n]) => n).join(', ')})`);
  for (const [name, value] of readmeOptions) {
    const option = offered.get(name);
    if (!check(option, `the README's option ${name} is one that "uci" offers (offered: ${[...offered.keys()].join(', ')})`)) continue;
    if (option.type === 'spin') {
      check(Number(value) >= Number(option.min) && Number(value) <= Number(option.max),
        `the README's ${name} ${value} is within ${option.min}..${option.max}`);
    }
    if (String(value) !== String(option.default)) engine.send(`setoption name ${name} value ${value}`);
  }
  if (failureCount() > 0) return;

  engine.send('ucinewgame');
  if (!check((await engine.ready(REPLY_MS)) === null, 'ucinewgame then isready is answered by readyok')) return;

  const chess = new Chess();
  const random = seededRandom(27);
  const moves = [];
  const clocks = { white: CLOCK_MS, black: CLOCK_MS };
  for (let botMove = 1; botMove <= BOT_MOVES && !chess.isGameOver(); botMove += 1) {
    const replies = chess.moves({ verbose: true });
    const reply = replies[Math.floor(random() * replies.length)];
    chess.move(reply);
    moves.push(reply.lan);
    if (botMove > 1) clocks.white += INCREMENT_MS - OPPONENT_MS;
    if (chess.isGameOver()) break;

    const first = botMove === 1;
    const given = Math.max(1, clocks.black - MOVE_OVERHEAD_MS);
    const go = first
      ? `go movetime ${FIRST_MOVE_MS}`
      : `go wtime ${clocks.white} btime ${given} winc ${INCREMENT_MS} binc ${INCREMENT_MS}`;
    engine.send(`position startpos moves ${moves.join(' ')}`);
    const started = performance.now();
    engine.send(go);
    // lichess aborts a game whose first moves have not come within 30 s.
    const answer = await engine.waitFor('bestmove', first ? LICHESS_ABORT_MS : REPLY_MS + given);
    const tookMs = Math.round(performance.now() - started);
    const move = !answer.failure && legalMove(chess, answer.line);
    if (!check(move, `move ${botMove} (${go}): a legal bestmove (${answer.line || answer.failure})`)) return;
    const limitMs = first ? FIRST_MOVE_MS + MOVETIME_SLACK_MS : given / 10 + CLOCK_SLACK_MS;
    check(tookMs <= limitMs, `move ${botMove} came in ${tookMs} ms, within ${Math.round(limitMs)} ms`);
    chess.move(move);
    moves.push(move.lan);
    // The clocks start after each side's first move.
    if (!first) clocks.black += INCREMENT_MS - tookMs;
  }

  if (!check((await engine.ready(REPLY_MS)) === null, 'the closing isready is answered by readyok')) return;
  const exit = await engine.quit(QUIT_MS);
  check(!exit.killed && exit.signal === null && exit.code === engine.setup.quitStatus,
    `quit ends the engine with status ${engine.setup.quitStatus} (got ${exit.code}${exit.signal ? ', signal ' + exit.signal : ''})`);
}

async function main() {
  const argv = process.argv.slice(2);
  const argument = (name) => argv[argv.indexOf(name) + 1];
  if (!argv.includes('--morva') || !argv.includes('--readme')) {
    throw new Error('usage: lichess_bot_session.js --morva PATH --readme README.md');
  }
  const config = readmeConfig(argument('--readme'));
  const engine = new UciEngine(engineSetup('morva', argument('--morva')));
  engine.start();
  try {
    await session(engine, config);
  } finally {
    await engine.kill();
  }
  finishSession(engine, 'lichess-bot session');
}

main().catch((err) => {
  console.error(err.stack || String(err));
  process.exitCode = 2;
});
