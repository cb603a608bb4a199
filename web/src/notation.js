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

// A move typed by the player, in standard notation ("Nf3", "exd5", "O-O", "e8=Q") or as
// squares ("g1f3", "e7e8q"), as chess.js takes it; null when it is no legal move here.
export function typedMove(fen, text) {
  const word = text.trim();
  const squares = /^([a-h][1-8])-?([a-h][1-8])=?([qrbnQRBN]?)$/.exec(word);
  const board = new Chess(fen);
  try {
    const move = squares
      ? board.move({ from: squares[1], to: squares[2], promotion: squares[3].toLowerCase() || undefined })
      : board.move(word, { strict: false });
    return { from: move.from, to: move.to, promotion: move.promotion };
  } catch {
    return null;
  }
}
