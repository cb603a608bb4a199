// The page's own routines, called directly: the end of a game by the rules, the reading of
// Morva's reports and the line in standard notation.
import assert from 'node:assert';
import test from 'node:test';

import { Chess } from '../../web/node_modules/chess.js/dist/esm/chess.js';
import { describeEnd } from '../../web/src/game_end.js';
import { pvInSan } from '../../web/src/notation.js';
import { formatScore, parseInfo, parseMove } from '../../web/src/uci.js';

test('every way a game ends is named, with its result', () => {
  const ends = [
    ['rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3', 'white', '0-1', 'Checkmate: Morva wins'],
    ['rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3', 'black', '0-1', 'Checkmate: you win'],
    ['7k/5Q2/6K1/8/8/8/8/8 b - - 0 1', 'white', '1/2-1/2', 'Draw by stalemate'],
    ['8/8/4k3/8/8/3NK3/8/8 w - - 0 1', 'white', '1/2-1/2', 'Draw by insufficient material'],
    ['8/8/4k3/8/8/3RK3/8/8 w - - 100 80', 'white', '1/2-1/2', 'Draw by the fifty-move rule'],
  ];
  for (const [fen, user, score, text] of ends) {
    assert.deepStrictEqual(describeEnd(new Chess(fen), user), { score, text }, fen);
  }
  const shuffling = new Chess();
  for (const move of ['Nf3', 'Nf6', 'Ng1', 'Ng8', 'Nf3', 'Nf6', 'Ng1']) {
    shuffling.move(move);
    assert.strictEqual(describeEnd(shuffling, 'white'), null);
  }
  shuffling.move('Ng8');
  assert.deepStrictEqual(describeEnd(shuffling, 'white'), { score: '1/2-1/2', text: 'Draw by threefold repetition' });
  assert.strictEqual(describeEnd(new Chess('8/8/4k3/8/8/3RK3/8/8 w - - 99 80'), 'white'), null);
});

test("Morva's reports are read as depth, White's score and line", () => {
  assert.deepStrictEqual(parseInfo('info  nps 30916 depth 4 score cp -7 nodes 4421 pv e2e4 g8f6 e4e5 f6e4 '),
    { depth: 4, score: { kind: 'cp', value: -7 }, pv: ['e2e4', 'g8f6', 'e4e5', 'f6e4'] });
  assert.deepStrictEqual(parseInfo('info  nps 0 depth 3 seldepth 1 score mate 0 nodes 1 pv a1a8  ').pv, ['a1a8']);
  assert.strictEqual(parseInfo('info currmove b8c6 currmovenumber 1 depth 1'), null);
  assert.strictEqual(parseInfo(''), null);
  assert.deepStrictEqual(parseMove('a7a8q'), { from: 'a7', to: 'a8', promotion: 'q' });
  assert.strictEqual(formatScore({ kind: 'cp', value: 35 }, 'White'), '+0.35');
  assert.strictEqual(formatScore({ kind: 'cp', value: -120 }, 'White'), '-1.20');
  assert.strictEqual(formatScore({ kind: 'cp', value: 0 }, 'Black'), '0.00');
  // A mating line of one ply is a mate by the side to move; of three plies, a mate in two.
  assert.strictEqual(formatScore({ kind: 'mate', value: 0 }, 'Black'), 'mate in 1 for Black');
  assert.strictEqual(formatScore({ kind: 'mate', value: 2 }, 'Black'), 'mate in 2 for White');
  assert.strictEqual(formatScore({ kind: 'mate', value: -2 }, 'White'), 'mate in 2 for Black');
});

test('a line is written in standard notation with move numbers, up to its first illegal move', () => {
  const start = new Chess().fen();
  assert.strictEqual(pvInSan(start, ['e2e4', 'e7e5', 'g1f3']), '1. e4 e5 2. Nf3');
  const afterE4 = 'rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1';
  assert.strictEqual(pvInSan(afterE4, ['e7e5', 'g1f3', 'e5e3']), '1... e5 2. Nf3');
  assert.strictEqual(pvInSan('8/P7/8/8/8/8/6k1/K7 w - - 0 1', ['a7a8q']), '1. a8=Q+');
});
