#include <cassert>

#include "board/attacks.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/legality.h"
#include "search/eval_cache.h"
#include "search/hash_table.h"
#include "search/material.h"
#include "search/move_picker.h"
#include "search/ordering.h"
#include "search/search.h"

namespace {

constexpr int NULL_MOVE_REDUCTION = 3;
constexpr int CAPTURE_EXTENSION_PLIES = 4;
template <Colour Us>
inline int OwnKingAttacked(const Position& p) {
  return Us == WHITE ? WhiteKingInCheck(p) : BlackKingInCheck(p);
}

template <Colour Us>
inline int OpponentKingAttacked(const Position& p) {
  return Us == WHITE ? BlackKingInCheck(p) : WhiteKingInCheck(p);
}

template <Colour Us>
int AlphaBeta(int in_check, Position& p, int alpha, int beta, int depth, int ply, NodeCount* node_count,
              PVLine& current_line, PVLine& best_line, int prev_move_type, const RecentMoves* recent_moves,
              int* stop_flag, int null_done, int material, Placement sums);

// Starts loading what a child will read first: its evaluation entry when it is a leaf, its
// table entry when it searches on.
inline void PrefetchChild(std::uint64_t child_key, bool leaf) {
  if (leaf) PrefetchEvaluation(child_key);
  else HashPrefetch(child_key);
}

// Gives the position the child's key and starts loading the child's entries.
inline void PrepareChild(Position& p, std::uint64_t child_key, bool leaf) {
  p.hash_key = child_key;
  PrefetchChild(child_key, leaf);
}

template <Colour Us>
inline int Child(int in_check, Position& p, int alpha, int beta, int depth, int ply, NodeCount* node_count,
                 PVLine& current_line, PVLine& best_line, int prev_move_type, const RecentMoves* recent_moves,
                 int* stop_flag, int null_done, int material, Placement sums) {
  constexpr Colour THEM = Us == WHITE ? BLACK : WHITE;
  return AlphaBeta<THEM>(in_check, p, alpha, beta, depth, ply, node_count, current_line, best_line, prev_move_type,
                         recent_moves, stop_flag, null_done, material, sums);
}

// One interior node. White maximises and Black minimises; the twins differ in their bounds,
// their null windows (White tries (alpha, alpha + 1), Black (beta - 1, beta)), their cutoff
// values and the sign of a mate.
template <Colour Us>
int AlphaBeta(int in_check, Position& p, int alpha, int beta, int depth, int ply, NodeCount* node_count,
              PVLine& current_line, PVLine& best_line, int prev_move_type, const RecentMoves* recent_moves,
              int* stop_flag, int null_done, int material, Placement sums) {
  constexpr bool WHITE_TO_MOVE = Us == WHITE;
  // Every caller leaves room in the window, and the depths keep a path within its line.
  assert(alpha < beta && ply >= 0 && ply <= depth && ply < MAX_PLY);
  if (*stop_flag == 1) return 0;
  if (ply == depth) {
    return WHITE_TO_MOVE ? LeafWhite(p, best_line, alpha, beta, ply, current_line, recent_moves, stop_flag, material, sums)
                         : LeafBlack(p, best_line, alpha, beta, ply, current_line, recent_moves, stop_flag, material, sums);
  }

  if (null_done == 0 && depth - ply > NULL_MOVE_REDUCTION && prev_move_type != CAPTURE && in_check == 0) {
    const RestoredCheck restored(p);
    const int saved_flag = p.ep_flag, saved_file = p.ep_file, saved_rank = p.ep_rank;
    p.ep_flag = 0;
    const int r = Child<Us>(0, p, alpha, beta, depth, ply + NULL_MOVE_REDUCTION + 1, node_count, current_line,
                            best_line, 0, recent_moves, stop_flag, 1, material, sums);
    p.ep_flag = saved_flag;
    p.ep_file = saved_file;
    p.ep_rank = saved_rank;
    if constexpr (WHITE_TO_MOVE) {
      if (r >= beta) return beta;
    } else {
      if (r <= alpha) return alpha;
    }
  }

  // The moves in order: the hash move, the best capture, the killers, the rest by score.
  MoveList list;
  const std::uint64_t key = p.hash_key;
  MovePicker picker(list, p, Us, HashProbe(key) ? HashStoredMove(key) : 0, killer_primary[ply], killer_secondary[ply]);

  int best = WHITE_TO_MOVE ? -INF_SCORE : INF_SCORE;
  bool legal_found = false;
  PVLine local_line;
  UndoRecord undo;
  LegalityTest<Us> legality(in_check != 0);
  // Children are leaves here unless a check or the first capture extends them.
  const bool frontier = depth == ply + 1;
  for (int m = 0, index; (index = picker.Next()) >= 0; ++m) {
    const RestoredCheck restored(p);
    const Move move = list.moves[index];
    const Legality answer = legality.Of(p, move);
    if (answer == Legality::ILLEGAL) continue;
    const std::uint64_t child_key = key ^ KeyChange(Us, move);
    // From the second move on, out of check, the next move's child starts loading while this
    // move's subtree is searched. A node that ends on its first move never orders more than it
    // uses.
    if (m > 0 && in_check == 0) {
      const int ahead = picker.Peek();
      if (ahead >= 0) PrefetchChild(key ^ KeyChange(Us, list.moves[ahead]), frontier);
    }
    // The child's key depends on the move word alone: its entry starts loading before the move
    // is made. A move that must be made to be told is mostly an evasion, which mostly fails;
    // its key waits until it passes.
    const bool prepared = answer == Legality::LEGAL || in_check == 0;
    if (prepared) PrepareChild(p, child_key, frontier);
    MakeMoveOf<Us>(p, list, index, undo);
    if (answer == Legality::MAKE_AND_SEE && OwnKingAttacked<Us>(p)) {
      UnmakeMoveOf<Us>(p, list, index, undo);
      p.hash_key = key;
      continue;
    }
    if (!prepared) PrepareChild(p, child_key, frontier);
    legal_found = true;
    ++*node_count;
    current_line.moves[ply] = move;

    const int gives_check = OpponentKingAttacked<Us>(p) ? 1 : 0;
    const int type = MoveTypeOf(move);
    int new_depth = gives_check == 1 && depth < CHECK_EXTENSION_LIMIT ? depth + 1 : depth;
    if (m == 0 && type == CAPTURE && ply < CAPTURE_EXTENSION_PLIES) new_depth = depth + 1;
    if (frontier && new_depth > depth) HashPrefetch(p.hash_key);
    int child_material;
    if (MoveCaptured(move) == KING) child_material = MaterialBalance(p);
    else child_material = WHITE_TO_MOVE ? material + MaterialGain(move) : material - MaterialGain(move);
    const Placement child_sums = PlacementAfter<Us>(sums, move);

    int r;
    if (m == 0) {
      r = Child<Us>(gives_check, p, alpha, beta, new_depth, ply + 1, node_count, current_line, best_line, type,
                    recent_moves, stop_flag, null_done, child_material, child_sums);
    } else {
      const int null_alpha = WHITE_TO_MOVE ? alpha : beta - 1;
      const int null_beta = WHITE_TO_MOVE ? alpha + 1 : beta;
      r = Child<Us>(gives_check, p, null_alpha, null_beta, new_depth, ply + 1, node_count, current_line, best_line,
                    type, recent_moves, stop_flag, null_done, child_material, child_sums);
      if (alpha < r && r < beta) {
        r = Child<Us>(gives_check, p, alpha, beta, new_depth, ply + 1, node_count, current_line, best_line, type,
                      recent_moves, stop_flag, null_done, child_material, child_sums);
      }
    }

    UnmakeMoveOf<Us>(p, list, index, undo);
    // The key update depends on the move word alone, so a second update gives back the key
    // the node started with.
    p.hash_key = key;

    const bool improves = WHITE_TO_MOVE ? r > best : r < best;
    if (improves) {
      best = r;
      CopyLine(local_line, best_line);
    }
    const bool raises_bound = WHITE_TO_MOVE ? r > alpha : r < beta;
    if (raises_bound) {
      if constexpr (WHITE_TO_MOVE) alpha = r;
      else beta = r;
      if (type != CAPTURE) UpdateKillers(move, ply);
      StoreHashMove(list, index, key, ply);
    }
    if (alpha >= beta) return WHITE_TO_MOVE ? alpha : beta;
  }

  if (!legal_found) {
    const int mated = WHITE_TO_MOVE ? 1000 * ply - MATE_SCORE : MATE_SCORE - 1000 * ply;
    const int score = OwnKingAttacked<Us>(p) ? mated : 0;
    SetPathLine(best_line, current_line, ply, score);
    return score;
  }
  CopyLine(best_line, local_line);
  return best;
}

}  // namespace

int AlphaBetaWhite(int in_check, Position& p, int alpha, int beta, int depth, int ply, NodeCount* node_count,
                   PVLine& current_line, PVLine& best_line, int prev_move_type, const RecentMoves* recent_moves,
                   int* stop_flag, int null_done) {
  return AlphaBeta<WHITE>(in_check, p, alpha, beta, depth, ply, node_count, current_line, best_line, prev_move_type,
                          recent_moves, stop_flag, null_done, MaterialBalance(p), PlacementOf(p));
}
int AlphaBetaBlack(int in_check, Position& p, int alpha, int beta, int depth, int ply, NodeCount* node_count,
                   PVLine& current_line, PVLine& best_line, int prev_move_type, const RecentMoves* recent_moves,
                   int* stop_flag, int null_done) {
  return AlphaBeta<BLACK>(in_check, p, alpha, beta, depth, ply, node_count, current_line, best_line, prev_move_type,
                          recent_moves, stop_flag, null_done, MaterialBalance(p), PlacementOf(p));
}
