// What the page reads from Morva's UCI lines.

// The report of a finished iteration or a new best line: "info  nps N depth D [seldepth S]
// score cp X|mate M nodes N pv MOVES". Scores are from White's side. Returns null for the
// other lines (current move, empty lines).
export function parseInfo(line) {
  if (!line.startsWith('info ') || line.indexOf(' pv ') < 0) return null;
  const words = line.trim().split(/\s+/);
  const info = { depth: 0, score: null, pv: [] };
  for (let i = 1; i < words.length; ++i) {
    const word = words[i];
    if (word === 'depth') info.depth = Number(words[++i]);
    else if (word === 'score') {
      info.score = { kind: words[i + 1], value: Number(words[i + 2]) };
      i += 2;
    } else if (word === 'pv') {
      info.pv = words.slice(i + 1);
      break;
    }
  }
  return info.score ? info : null;
}

// A UCI move ("e7e8q") as the from square, the to square and the promotion piece.
export function parseMove(text) {
  const move = { from: text.slice(0, 2), to: text.slice(2, 4) };
  if (text.length > 4) move.promotion = text[4];
  return move;
}

// "+0.35", "-1.20", "mate in 2 for White". Mate scores count the plies of the mating line less
// one; a line of one ply (value 0) is a mate by the side to move.
export function formatScore(score, sideToMove) {
  if (score.kind === 'mate') {
    const moves = Math.floor(Math.abs(score.value) / 2) + 1;
    const winner = score.value > 0 ? 'White' : score.value < 0 ? 'Black' : sideToMove;
    return `mate in ${moves} for ${winner}`;
  }
  const pawns = score.value / 100;
  return (pawns > 0 ? '+' : '') + pawns.toFixed(2);
}
