'use strict';
// Tallies finished games from the point of view of the engine under test
// and writes the summary table.

const FAILURE_KINDS = ['illegal', 'time', 'crash', 'nobestmove', 'quit', 'overrun'];

function emptyTally(label) {
  const tally = { label, games: 0, wins: 0, draws: 0, losses: 0, worstOverrun: null, moves: 0, moveMs: 0, ratios: [] };
  for (const kind of FAILURE_KINDS) tally[kind] = 0;
  return tally;
}

// `subject` is the name of the engine under test; in a game against itself
// both sides are counted for the failure figures and the overrun, and the
// result counts from White's side.
function addGame(tally, game, subject) {
  tally.games += 1;
  const subjectColour = game.white === subject ? 'white' : 'black';
  const score = game.result === '1/2-1/2' ? 0.5 : (game.result === '1-0') === (subjectColour === 'white') ? 1 : 0;
  if (score === 1) tally.wins += 1;
  else if (score === 0) tally.losses += 1;
  else tally.draws += 1;
  for (const problem of game.problems) {
    if (problem.engine === subject) tally[problem.kind] += 1;
  }
  for (const colour of ['white', 'black']) {
    if (game[colour] !== subject) continue;
    const over = game.overrun[colour];
    if (over && (!tally.worstOverrun || over.overMs > tally.worstOverrun.overMs)) {
      tally.worstOverrun = { ...over, round: game.round };
    }
    tally.moves += game.moveTimes[colour].length;
    tally.moveMs += game.moveTimes[colour].reduce((a, b) => a + b, 0);
    tally.ratios.push(...game.budgetRatios[colour]);
  }
}

function overrunText(over) {
  if (!over) return 'none';
  return `${(over.overMs / 1000).toFixed(3)}s (used ${(over.elapsedMs / 1000).toFixed(3)}s of a `
    + `${(over.budgetMs / 1000).toFixed(3)}s budget, x${(over.elapsedMs / over.budgetMs).toFixed(1)}, `
    + `game ${over.round} ply ${over.ply})`;
}

// The time used on a move as a multiple of its budget, at the given quantile.
function ratioAt(ratios, quantile) {
  if (ratios.length === 0) return 0;
  const sorted = [...ratios].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(quantile * sorted.length))];
}

function tallyText(tally) {
  const points = tally.wins + tally.draws / 2;
  const percent = tally.games ? ((100 * points) / tally.games).toFixed(1) : '0.0';
  const average = tally.moves ? (tally.moveMs / tally.moves / 1000).toFixed(3) : '0.000';
  return [
    `${tally.label}`,
    `  games ${tally.games}: +${tally.wins} =${tally.draws} -${tally.losses}  score ${points}/${tally.games} (${percent}%)`,
    `  illegal moves ${tally.illegal}, losses on time ${tally.time}, crashes ${tally.crash}, `
      + `missing bestmove ${tally.nobestmove}, quit failures ${tally.quit}, clock overruns ${tally.overrun}`,
    `  average move ${average}s; time used / budget: median x${ratioAt(tally.ratios, 0.5).toFixed(1)}, `
      + `90% x${ratioAt(tally.ratios, 0.9).toFixed(1)}, 99% x${ratioAt(tally.ratios, 0.99).toFixed(1)}`,
    `  largest overrun ${overrunText(tally.worstOverrun)}`,
  ].join('\n');
}

function failureCount(tally) {
  return FAILURE_KINDS.reduce((sum, kind) => sum + tally[kind], 0);
}

module.exports = { emptyTally, addGame, tallyText, failureCount };
