// What the page reads from Morva's UCI lines.

// The report of a finished iteration or a new best line: "info  nps N depth D [seldepth S]
// score cp X|mate M nodes N pv MOVES". Scores are from the side to move's view, as UCI has
// them. Returns null for the other lines (current move, empty lines).
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

// A reported score turned to White's side: { pawns } or { mateIn, winner }. Mate scores count
// the plies of the mating line less one, positive (or zero, for a line of one ply) when the
// side to move mates and negative when it is mated.
export function scoreForWhite(score, sideToMove) {
  const other = sideToMove === 'White' ? 'Black' : 'White';
  if (score.kind === 'mate') {
    return { mateIn: Math.floor(Math.abs(score.value) / 2) + 1, winner: score.value >= 0 ? sideToMove : other };
  }
  return { pawns: (sideToMove === 'White' ? score.value : -score.value) / 100 };
}

// "+0.35", "-1.20", "mate in 2 for White": a score from White's side, as players read it.
export function formatScore(white) {
  if (white.mateIn !== undefined) return `mate in ${white.mateIn} for ${white.winner}`;
  return (white.pawns > 0 ? '+' : '') + white.pawns.toFixed(2);
}
