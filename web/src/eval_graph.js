// Morva's evaluations over a game as a line on a graph: White's advantage upwards, in pawns,
// held within ten pawns either way; a mate counts as ten.
export const GRAPH_LIMIT_PAWNS = 10;

export function graphValue(white) {
  if (white.mateIn !== undefined) return white.winner === 'White' ? GRAPH_LIMIT_PAWNS : -GRAPH_LIMIT_PAWNS;
  return Math.max(-GRAPH_LIMIT_PAWNS, Math.min(GRAPH_LIMIT_PAWNS, white.pawns));
}

// The points of the line for evaluations [{ ply, white }] of a game of `plies` half-moves,
// in a box of width x height with the even score across its middle. The line starts at the
// left edge with the first evaluation, so that a single one still shows.
export function graphPoints(evals, plies, width, height) {
  const point = (ply, white) => {
    const x = plies > 0 ? (ply / plies) * width : 0;
    const y = height / 2 - (graphValue(white) / GRAPH_LIMIT_PAWNS) * (height / 2);
    return `${x.toFixed(1)},${y.toFixed(1)}`;
  };
  if (evals.length === 0) return '';
  return [point(0, evals[0].white), ...evals.map(({ ply, white }) => point(ply, white))].join(' ');
}
