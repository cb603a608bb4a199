#include "search/ordering.h"

Move killer_primary[PV_CAPACITY];
Move killer_secondary[PV_CAPACITY];

namespace {

// One pass of the exchange sort on [j, last): position j exchanges with every later entry that
// scores higher than what it holds at that moment. The sort is not stable, and its exact
// permutation decides the search tree. The entry held at j is kept in registers during the pass:
// each exchange leaves the old holder behind at k and takes the entry from k, as a swap would.
void ExchangePass(MoveList& list, int j, int last) {
  Move* moves = list.moves;
  std::int32_t* scores = list.scores;
  Move held_move = moves[j];
  std::int32_t held_score = scores[j];
  for (int k = j + 1; k < last; ++k) {
    const std::int32_t score = scores[k];
    if (held_score < score) {
      const Move move = moves[k];
      moves[k] = held_move;
      scores[k] = held_score;
      held_move = move;
      held_score = score;
    }
  }
  moves[j] = held_move;
  scores[j] = held_score;
}

void SortSegment(MoveList& list, int first, int last) {
  for (int j = first; j < last - 1; ++j) ExchangePass(list, j, last);
}

void MoveToIndex(MoveList& list, Move move, int start) {
  for (int k = start; k < list.count; ++k) {
    if (list.moves[k] != move) continue;
    for (int j = k; j > start; --j) list.moves[j] = list.moves[j - 1];
    list.moves[start] = move;
    return;
  }
}

}  // namespace

void SortMoves(MoveList& list) {
  SortSegment(list, 0, list.capture_count);
  SortSegment(list, list.capture_count, list.count);
}

void SortCaptures(MoveList& list) { SortSegment(list, 0, list.capture_count); }

void KillersToFront(MoveList& list, int start, int ply) {
  MoveToIndex(list, killer_primary[ply], start);
  MoveToIndex(list, killer_secondary[ply], start + 1);
}

void UpdateKillers(Move move, int ply) {
  killer_secondary[ply] = killer_primary[ply];
  killer_primary[ply] = move;
}
