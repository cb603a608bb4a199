#!/usr/bin/env node
'use strict';
// Plays a set of games between the engine under test and its opponents,
// writes every game as PGN with a log of the engine dialogue, prints the
// summary, and exits non-zero when the engine under test played an illegal
// move, crashed, lost on time, overran its own time limits, gave no bestmove
// or did not quit properly.
//
//   node run_games.js --morva PATH [--set ci|movetime|long|soak] [--opponent NAME] [--games N]
//                     [--engine NAME] [--out DIR] [--parallel N]
const fs = require('node:fs');
const path = require('node:path');
const { engineSetup } = require('./engines');
const { OPENINGS } = require('./openings');
const { playGame, timeControlText } = require('./game');
const { emptyTally, addGame, tallyText, failureCount } = require('./summary');

const BLITZ = { kind: 'clock', baseMs: 10000, incMs: 100 };
const MOVETIME = { kind: 'movetime', ms: 200 };
const MOVE_LIMIT = 150;
// The soak: many short games at fast controls, to catch rare faults.
const SOAK_CLOCK = { kind: 'clock', baseMs: 1000, incMs: 10 };
const SOAK_MOVETIME = { kind: 'movetime', ms: 20 };

// Each entry is one match: the engine under test against `opponent`
// ("self" for itself) for `games` games, alternating colours.
const SETS = {
  ci: [
    { opponent: 'sf1500', control: BLITZ, games: 2 },
    { opponent: 'sfskill0', control: BLITZ, games: 2 },
    { opponent: 'glaurung', control: BLITZ, games: 1 },
    { opponent: 'self', control: BLITZ, games: 1 },
  ],
  // Kept apart so that it can have the machine to itself: an answer 30 ms
  // past its move time loses.
  movetime: [
    { opponent: 'sf1500', control: MOVETIME, games: 1 },
    { opponent: 'glaurung', control: MOVETIME, games: 1, subjectBlack: true },
  ],
  long: ['sf1500', 'sfskill0', 'glaurung', 'self'].map((opponent) => ({ opponent, control: BLITZ, games: 40 })),
  soak: ['self', 'sf1500'].flatMap((opponent) => [SOAK_CLOCK, SOAK_MOVETIME].map((control) => ({ opponent, control, games: 250 }))),
};
// Games played at the same time when --parallel is not given. Each game runs
// one engine's search at a time, so two games keep two cores busy.
const PARALLEL = { ci: 1, movetime: 1, long: 1, soak: 2 };

function parseArgs(argv) {
  const args = { set: 'ci', engine: 'morva', out: path.join(__dirname, 'out') };
  for (let i = 0; i < argv.length; i += 2) {
    const key = argv[i].replace(/^--/, '');
    if (!['morva', 'set', 'opponent', 'games', 'engine', 'out', 'parallel'].includes(key) || argv[i + 1] === undefined) {
      throw new Error(`bad argument ${argv[i]}`);
    }
    args[key] = argv[i + 1];
  }
  if (!SETS[args.set]) throw new Error(`unknown set ${args.set}`);
  if (args.engine === 'morva' && !args.morva) throw new Error('--morva PATH is required');
  args.parallel = Number(args.parallel || PARALLEL[args.set]);
  if (!Number.isInteger(args.parallel) || args.parallel < 1) throw new Error(`--parallel needs a whole number of at least 1`);
  return args;
}

function matchesOf(args) {
  let matches = SETS[args.set];
  if (args.opponent) matches = matches.filter((m) => m.opponent === args.opponent);
  if (args.games) matches = matches.map((m) => ({ ...m, games: Number(args.games) }));
  if (matches.length === 0) throw new Error(`set ${args.set} has no match against ${args.opponent}`);
  return matches;
}

// Every game of the set in order, each with its round number, colours and
// opening, and the tally of its match.
function scheduleOf(args, subject) {
  const schedule = [];
  const tallies = [];
  for (const match of matchesOf(args)) {
    const opponent = match.opponent === 'self' ? subject : engineSetup(match.opponent, args.morva);
    const tally = emptyTally(`${subject.name} vs ${opponent.name}, ${timeControlText(match.control)}`);
    tallies.push(tally);
    for (let i = 0; i < match.games; i += 1) {
      const subjectWhite = (i % 2 === 0) !== Boolean(match.subjectBlack);
      schedule.push({
        tally,
        opponent,
        options: {
          white: subjectWhite ? subject : opponent,
          black: subjectWhite ? opponent : subject,
          control: match.control,
          opening: OPENINGS[Math.floor(i / 2) % OPENINGS.length],
          moveLimit: MOVE_LIMIT,
          round: schedule.length + 1,
        },
      });
    }
  }
  return { schedule, tallies };
}

async function main() {
  const args = parseArgs(process.argv.slice(2));
  const subject = engineSetup(args.engine, args.morva);
  fs.mkdirSync(args.out, { recursive: true });
  const { schedule, tallies } = scheduleOf(args, subject);
  const pgnByRound = [];
  const opponentProblems = [];
  let finished = 0;

  async function playOne({ tally, opponent, options }) {
    const game = await playGame(options);
    addGame(tally, game, subject.name);
    if (opponent !== subject) {
      opponentProblems.push(...game.problems.filter((p) => p.engine !== subject.name));
    }
    const stem = path.join(args.out, `game-${String(game.round).padStart(4, '0')}`);
    fs.writeFileSync(`${stem}.pgn`, game.pgn);
    fs.writeFileSync(`${stem}.log`, game.log);
    pgnByRound[game.round - 1] = game.pgn;
    finished += 1;
    const problems = game.problems.map((p) => `\n    ${p.kind} by ${p.engine} (${p.colour}): ${p.detail}`).join('');
    console.log(`game ${game.round} (${finished}/${schedule.length} done): ${game.white} - ${game.black} `
      + `${game.result} (${game.reason}, ${game.plies} plies)${problems}`);
  }

  // Each worker takes the next unplayed game until none is left.
  let next = 0;
  const worker = async () => {
    while (next < schedule.length) await playOne(schedule[next++]);
  };
  await Promise.all(Array.from({ length: Math.min(args.parallel, schedule.length) }, worker));

  fs.writeFileSync(path.join(args.out, 'games.pgn'), pgnByRound.join('\n'));
  const summary = tallies.map(tallyText).join('\n')
    + (opponentProblems.length ? `\nopponent problems: ${opponentProblems.length}` : '');
  fs.writeFileSync(path.join(args.out, 'summary.txt'), summary + '\n');
  console.log(`\nsummary (PGN and logs in ${args.out})\n${summary}`);
  const failures = tallies.reduce((sum, t) => sum + failureCount(t), 0);
  const games = tallies.reduce((sum, t) => sum + t.games, 0);
  console.log(`${games} games, ${failures} failures of ${subject.name}`);
  process.exitCode = failures === 0 ? 0 : 1;
}

main().catch((err) => {
  console.error(err.stack || String(err));
  process.exitCode = 2;
});
