import { Chess } from 'chess.js';

import { parseMove } from './uci.js';

// A line of UCI moves from the position as standard notation with move numbers
// ("12... Nf6 13. Bg5"); it stops at the first move that is not legal there.
export function pvInSan(fen, uciMoves) {
  const board = new Chess(fen);
  const words = [];
  for (const text of uciMoves) {
    const number = board.moveNumber();
    const white = board.turn() === 'w';
    let move;
    try {
      move = board.move(parseMove(text));
    } catch {
      break;
    }
    if (white) words.push(`${number}.`);
    else if (words.length === 0) words.push(`${number}...`);
    words.push(move.san);
  }
  return words.join(' ');
}
