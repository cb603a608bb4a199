#include "search/eval_cache.h"
#include "search/input_events.h"
#include "search/search.h"

namespace {

// The last four game moves went out and back by each side, and the root move starts the same
// round again: every leaf below it is a draw.
bool RepeatsToAndFro(const RecentMoves& recent, Move root_move) {
  const std::int32_t* f = recent.from_squares;
  const std::int32_t* t = recent.to_squares;
  return f[0] == t[2] && t[0] == f[2] && f[1] == t[3] && t[1] == f[3] && MoveFrom(root_move) == t[2] &&
         MoveTo(root_move) == f[2];
}

template <Colour Us>
int Leaf(Position& p, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
         const RecentMoves* recent_moves, int material, Placement sums) {
  PollInput();
  if (RepeatsToAndFro(*recent_moves, current_line.moves[0])) {
    SetPathLine(best_line, current_line, ply, 0);
    return 0;
  }
  const int half = CachedEvaluation(p, sums) / 2;
  const int q = Us == WHITE ? QuiesceWhite(p, alpha - half, beta - half, ply, current_line, best_line, material)
                            : QuiesceBlack(p, alpha - half, beta - half, ply, current_line, best_line, material);
  const int score = half + q;
  best_line.score_move = score;
  return score;
}

}  // namespace

int LeafWhite(Position& p, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
              const RecentMoves* recent_moves, int*) {
  return Leaf<WHITE>(p, best_line, alpha, beta, ply, current_line, recent_moves, MaterialBalance(p), PlacementOf(p));
}
int LeafBlack(Position& p, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
              const RecentMoves* recent_moves, int*) {
  return Leaf<BLACK>(p, best_line, alpha, beta, ply, current_line, recent_moves, MaterialBalance(p), PlacementOf(p));
}
int LeafWhite(Position& p, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
              const RecentMoves* recent_moves, int*, int material, Placement sums) {
  return Leaf<WHITE>(p, best_line, alpha, beta, ply, current_line, recent_moves, material, sums);
}
int LeafBlack(Position& p, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
              const RecentMoves* recent_moves, int*, int material, Placement sums) {
  return Leaf<BLACK>(p, best_line, alpha, beta, ply, current_line, recent_moves, material, sums);
}
