// The page's own routines, called directly: the end of a game by the rules, the reading of
// Morva's reports, standard notation, typed moves and the saved game.
import assert from 'node:assert';
import test from 'node:test';

import { Chess } from '../../web/node_modules/chess.js/dist/esm/chess.js';
import { describeEnd } from '../../web/src/game_end.js';
import { pvInSan, typedMove } from '../../web/src/notation.js';
import { loadGame, saveGame } from '../../web/src/saved_game.js';
import { formatScore, parseInfo, parseMove, scoreForWhite } from '../../web/src/uci.js';

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

test("Morva's reports are read as depth, score and line, and shown from White's side", () => {
  assert.deepStrictEqual(parseInfo('info  nps 30916 depth 4 score cp -7 nodes 4421 pv e2e4 g8f6 e4e5 f6e4 '),
    { depth: 4, score: { kind: 'cp', value: -7 }, pv: ['e2e4', 'g8f6', 'e4e5', 'f6e4'] });
  assert.deepStrictEqual(parseInfo('info  nps 0 depth 3 seldepth 1 score mate 0 nodes 1 pv a1a8  ').pv, ['a1a8']);
  assert.strictEqual(parseInfo('info currmove b8c6 currmovenumber 1 depth 1'), null);
  assert.strictEqual(parseInfo(''), null);
  assert.deepStrictEqual(parseMove('a7a8q'), { from: 'a7', to: 'a8', promotion: 'q' });
  // Morva reports from the side to move's view: a Black advantage reported to Black is +.
  const shown = (kind, value, sideToMove) => formatScore(scoreForWhite({ kind, value }, sideToMove));
  assert.strictEqual(shown('cp', 1158, 'Black'), '-11.58');
  assert.strictEqual(shown('cp', -120, 'Black'), '+1.20');
  // A mating line of one ply is a mate by the side to move; of three plies, a mate in two;
  // a negative count is a mate against the side to move.
  assert.strictEqual(shown('mate', 0, 'Black'), 'mate in 1 for Black');
  assert.strictEqual(shown('mate', 2, 'Black'), 'mate in 2 for Black');
  assert.strictEqual(shown('mate', -3, 'Black'), 'mate in 2 for White');
});

test('a line is written in standard notation with move numbers, up to its first illegal move', () => {
  const start = new Chess().fen();
  assert.strictEqual(pvInSan(start, ['e2e4', 'e7e5', 'g1f3']), '1. e4 e5 2. Nf3');
  const afterE4 = 'rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1';
  assert.strictEqual(pvInSan(afterE4, ['e7e5', 'g1f3', 'e5e3']), '1... e5 2. Nf3');
  assert.strictEqual(pvInSan('8/P7/8/8/8/8/6k1/K7 w - - 0 1', ['a7a8q']), '1. a8=Q+');
});

test('a typed move is read in standard notation or as squares, and refused when illegal', () => {
  const promoting = '4k3/P7/8/8/8/8/8/K7 w - - 0 1';
  assert.deepStrictEqual(typedMove(promoting, 'a7a8n'), { from: 'a7', to: 'a8', promotion: 'n' });
  assert.deepStrictEqual(typedMove(promoting, 'a8=R+'), { from: 'a7', to: 'a8', promotion: 'r' });
  assert.strictEqual(typedMove(promoting, 'a7a6'), null);
});

test('a saved game comes back only from its own start, and only while its moves replay', () => {
  const storage = new Map();
  const store = { getItem: (key) => storage.get(key) ?? null, setItem: (key, value) => storage.set(key, value) };
  const start = new Chess().fen();
  const chess = new Chess();
  for (const move of ['e4', 'e5', 'Nf3']) chess.move(move);
  const game = { startFen: start, userColour: 'black', resigned: false, evals: [{ ply: 2, white: { pawns: 0.2 } }] };
  saveGame(store, game, chess);
  const back = loadGame(store, start);
  assert.deepStrictEqual([back.chess.fen(), back.game], [chess.fen(), game]);
  assert.strictEqual(loadGame(store, '4k3/P7/8/8/8/8/8/K7 w - - 0 1'), null);
  storage.set('morva-game', storage.get('morva-game').replace('g1f3', 'g1g3'));
  assert.strictEqual(loadGame(store, start), null);
});
