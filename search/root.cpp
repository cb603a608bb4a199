#include "board/attacks.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate.h"
#include "search/clock.h"
#include "search/hash_table.h"
#include "search/ordering.h"
#include "search/reports.h"
#include "search/search.h"

namespace {

// Searches every legal root move with the full window from the best score so far, reporting
// each one. The twins differ in the bound they move, the child they call and the mate sign.
template <Colour Us>
int SearchRoot(int* best_from, int* best_to, Position& p, int depth, NodeCount* node_count, PVLine& current_line,
               PVLine& best_line, const RecentMoves* recent_moves, int* stop_flag) {
  constexpr bool WHITE_TO_MOVE = Us == WHITE;
  int best = WHITE_TO_MOVE ? -INF_SCORE : INF_SCORE;
  int alpha = -INF_SCORE, beta = INF_SCORE;
  int move_number = 1;
  bool legal_found = false;
  PVLine PV_best_point{};

  MoveList list;
  GenerateMoves<Us>(p, list);
  SortMoves(list);
  if (HashProbe(p.hash_key)) HashMoveToFront(list, p.hash_key);

  UndoRecord undo;
  for (int i = 0; i < list.count; ++i) {
    const RestoredCheck restored(p);
    const Move move = list.moves[i];
    MakeMoveOf<Us>(p, list, i, undo);
    if (WHITE_TO_MOVE ? WhiteKingAttacked(p) : BlackKingAttacked(p)) {
      UnmakeMoveOf<Us>(p, list, i, undo);
      continue;
    }
    legal_found = true;
    ++*node_count;
    ReportCurrentMove(list, i, move_number, depth);

    current_line.moves[0] = move;
    UpdateKey(Us, list, i, p);
    const std::uint64_t child_key = p.hash_key;
    const std::int64_t t0 = ElapsedMilliseconds();

    int score;
    if constexpr (WHITE_TO_MOVE) {
      const int gives_check = BlackKingAttacked(p) ? 1 : 0;
      score = AlphaBetaBlack(gives_check, p, alpha, INF_SCORE, depth, 1, node_count, current_line, best_line,
                             MoveTypeOf(move), recent_moves, stop_flag, 0);
    } else {
      const int gives_check = WhiteKingAttacked(p) ? 1 : 0;
      score = AlphaBetaWhite(gives_check, p, -INF_SCORE, beta, depth, 1, node_count, current_line, best_line,
                             MoveTypeOf(move), recent_moves, stop_flag, 0);
    }
    const double seconds = static_cast<double>(ElapsedMilliseconds() - t0) / 1000.0;
    if (p.hash_key != child_key) ReportKeyCheck();

    UnmakeMoveOf<Us>(p, list, i, undo);
    UpdateKey(Us, list, i, p);

    // A child that returned because of a stop has a score that means nothing and leaves no
    // line of its own; once some root move has a real score, such a child cannot replace it.
    const bool cut_short = *stop_flag == 1 && best != (WHITE_TO_MOVE ? -INF_SCORE : INF_SCORE);
    if (!cut_short && (WHITE_TO_MOVE ? score > best : score < best)) {
      *best_from = MoveFrom(move);
      *best_to = MoveTo(move);
      best = score;
      CopyLine(PV_best_point, best_line);
      StoreHashMove(list, i, p.hash_key, 0);
    }
    if constexpr (WHITE_TO_MOVE) {
      if (!cut_short && score > alpha) alpha = score;
    } else {
      if (!cut_short && score < beta) beta = score;
    }
    if (*stop_flag != 1) {
      ++move_number;
      ReportRootLine(best, depth, Us, *node_count, PV_best_point, seconds);
    }
  }

  if (!legal_found) {
    const int mated = WHITE_TO_MOVE ? -MATE_SCORE : MATE_SCORE;
    const int score = (WHITE_TO_MOVE ? WhiteKingAttacked(p) : BlackKingAttacked(p)) ? mated : 0;
    best_line.score_move = score;
    best_line.length = 0;
    return score;
  }
  CopyLine(best_line, PV_best_point);
  return best;
}

}  // namespace

int SearchRootWhite(int* best_from, int* best_to, Position& p, int depth, NodeCount* node_count,
                    PVLine& current_line, PVLine& best_line, const RecentMoves* recent_moves, int* stop_flag) {
  return SearchRoot<WHITE>(best_from, best_to, p, depth, node_count, current_line, best_line, recent_moves,
                           stop_flag);
}
int SearchRootBlack(int* best_from, int* best_to, Position& p, int depth, NodeCount* node_count,
                    PVLine& current_line, PVLine& best_line, const RecentMoves* recent_moves, int* stop_flag) {
  return SearchRoot<BLACK>(best_from, best_to, p, depth, node_count, current_line, best_line, recent_moves,
                           stop_flag);
}
