#include <cassert>

#include "board/bitscan.h"
#include "board/make_move.h"
#include "movegen/generate.h"
#include "search/input_events.h"
#include "search/material.h"
#include "search/search.h"
#include "search/sorted_order.h"

namespace {

// Whether a pawn stands one step from promoting. Without one, the first entry in order is a
// capture of the most valuable kind on offer or an en-passant capture, and no later entry
// gains more than it.
template <Colour Us>
inline bool CanPromote(const Position& p) {
  constexpr Bitboard SEVENTH = Us == WHITE ? Bitboard{0xFF} << 48 : Bitboard{0xFF} << 8;
  return ((Us == WHITE ? p.white_by_kind : p.black_by_kind)[PAWN] & SEVENTH) != 0;
}

template <Colour Us>
int SearchCaptures(Position& p, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line, int material);

// The capture search: captures, promotions and en-passant captures only, scored by material.
// White maximises and Black minimises; the two differ in their bounds and in who gains from
// taking a king.
// material is MaterialBalance of the position, carried down the captures rather than counted
// again at every node.
// Most nodes end before any capture is looked at: those tests are made where the node is
// entered, and only a node that goes on pays for the call and the room of a move list.
template <Colour Us>
[[gnu::always_inline]] inline int Quiesce(Position& p, int alpha, int beta, int ply, PVLine& current_line,
                                          PVLine& best_line, int material) {
  constexpr bool WHITE_TO_MOVE = Us == WHITE;
  if (alpha >= beta) return WHITE_TO_MOVE ? alpha : beta;
  // Ending on standing pat, the line is the path itself. Every return writes its line, so a
  // child's line is in best_line whenever a child returns.
  // The line has room for MAX_PLY moves; a capture sequence that long ends here.
  if ((WHITE_TO_MOVE ? material >= beta : material <= alpha) || ply >= MAX_PLY) {
    SetPathLine(best_line, current_line, ply, material);
    return material;
  }
  return SearchCaptures<Us>(p, alpha, beta, ply, current_line, best_line, material);
}

template <Colour Us>
int SearchCaptures(Position& p, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line, int material) {
  constexpr bool WHITE_TO_MOVE = Us == WHITE;
  constexpr Colour THEM = WHITE_TO_MOVE ? BLACK : WHITE;
  assert(alpha < beta && ply < MAX_PLY);
  const int stand = material;
  auto stand_pat = [&] {
    SetPathLine(best_line, current_line, ply, stand);
    return stand;
  };
  // Capture sequences can run long in positions full of queens; input is watched here too,
  // and a stop ends the capture search at once.
  PollInput();
  if (SearchStopped()) return stand_pat();

  MoveList list;
  if constexpr (WHITE_TO_MOVE) GenerateCapturesWhite(p, list);
  else GenerateCapturesBlack(p, list);
  if (list.count == 0) return stand_pat();
  SortedOrder order(list);

  if constexpr (WHITE_TO_MOVE) {
    if (stand >= alpha) alpha = stand;
  } else {
    if (stand <= beta) beta = stand;
  }
  // Where even the largest gain leaves every reply standing pat, the result is known from the
  // first capture in order alone. No capture gains less than a pawn.
  constexpr int LEAST_GAIN = MATERIAL_VALUE[PAWN];
  if ((WHITE_TO_MOVE ? material + LEAST_GAIN <= alpha : material - LEAST_GAIN >= beta) &&
      !CanPromote<Us>(p)) {
    const Move first_move = list.moves[order.At(0)];
    if (MoveTypeOf(first_move) == CAPTURE && MoveCaptured(first_move) != KING) {
      const int gain = MaterialGain(first_move);
      const int r = WHITE_TO_MOVE ? material + gain : material - gain;
      if (WHITE_TO_MOVE ? r <= alpha : r >= beta) {
        current_line.moves[ply] = first_move;
        SetPathLine(best_line, current_line, ply + 1, r);
        return r;
      }
    }
  }

  int best = stand;
  // The best line stays the path itself until a capture improves on standing pat; only then is
  // a line copied, and the path is written again at the end if none did.
  PVLine local_line;
  bool path_is_best = true;

  UndoRecord undo;
  for (int i; (i = order.Next()) >= 0;) {
    const Move move = list.moves[i];
    if (MoveCaptured(move) == KING) {
      const int score = WHITE_TO_MOVE ? MATE_SCORE - 1000 * ply : 1000 * ply - MATE_SCORE;
      SetPathLine(best_line, current_line, ply, score);
      return score;
    }

    const RestoredCheck restored(p);
    current_line.moves[ply] = move;
    const int gain = MaterialGain(move);
    const int child_material = WHITE_TO_MOVE ? material + gain : material - gain;
    // A child whose material alone already ends its search (alpha < beta always holds here)
    // stands pat on entry: its score is known without making the move, and it cannot cut off
    // here. Its line, the path with this capture, is written only if it is kept.
    const bool child_stands = WHITE_TO_MOVE ? child_material <= alpha : child_material >= beta;
    int r = child_material;
    if (!child_stands) {
      MakeMoveOf<Us>(p, list, i, undo);
      r = Quiesce<THEM>(p, alpha, beta, ply + 1, current_line, best_line, child_material);
      UnmakeMoveOf<Us>(p, list, i, undo);
    }
    auto keep_line = [&] {
      if (child_stands) SetPathLine(local_line, current_line, ply + 1, r);
      else CopyLine(local_line, best_line);
      path_is_best = false;
    };

    if constexpr (WHITE_TO_MOVE) {
      // alpha never falls below best, so a move that raises alpha improves best too; on a cutoff
      // the child's line is already in best_line.
      if (r > best) {
        best = r;
        if (r > alpha) {
          alpha = r;
          if (r >= beta) return r;
        }
        keep_line();
      }
    } else {
      if (r < best) {
        best = r;
        if (r < beta) {
          beta = r;
          if (alpha >= r) return r;
        }
        keep_line();
      }
    }
  }
  if (path_is_best) return stand_pat();
  CopyLine(best_line, local_line);
  return best;
}

}  // namespace

int QuiesceWhite(Position& p, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line) {
  return Quiesce<WHITE>(p, alpha, beta, ply, current_line, best_line, MaterialBalance(p));
}
int QuiesceWhite(Position& p, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line, int material) {
  return Quiesce<WHITE>(p, alpha, beta, ply, current_line, best_line, material);
}
int QuiesceBlack(Position& p, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line) {
  return Quiesce<BLACK>(p, alpha, beta, ply, current_line, best_line, MaterialBalance(p));
}
int QuiesceBlack(Position& p, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line, int material) {
  return Quiesce<BLACK>(p, alpha, beta, ply, current_line, best_line, material);
}
