// The end of a game by the rules, as the page shows it, or null while it goes on. Draws by
// repetition and by the fifty-move rule end the game as soon as they may be claimed.
export function describeEnd(chess, userColour) {
  if (chess.isCheckmate()) {
    const winner = chess.turn() === 'w' ? 'black' : 'white';
    const who = winner === userColour ? 'you win' : 'Morva wins';
    return { score: winner === 'white' ? '1-0' : '0-1', text: `Checkmate: ${who}` };
  }
  const draw = (reason) => ({ score: '1/2-1/2', text: `Draw by ${reason}` });
  if (chess.isStalemate()) return draw('stalemate');
  if (chess.isInsufficientMaterial()) return draw('insufficient material');
  if (chess.isThreefoldRepetition()) return draw('threefold repetition');
  if (chess.isDrawByFiftyMoves()) return draw('the fifty-move rule');
  return null;
}
