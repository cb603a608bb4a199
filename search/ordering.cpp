#include "search/ordering.h"

#include <utility>

Move killer_primary[PV_CAPACITY];
Move killer_secondary[PV_CAPACITY];

namespace {

// Position j exchanges with every later entry that scores higher than what it holds at that
// moment. The sort is not stable, and its exact permutation decides the search tree.
void SortSegment(MoveList& list, int first, int last) {
  for (int j = first; j < last - 1; ++j) {
    for (int k = j + 1; k < last; ++k) {
      if (list.scores[j] < list.scores[k]) {
        std::swap(list.moves[j], list.moves[k]);
        std::swap(list.scores[j], list.scores[k]);
      }
    }
  }
}

}  // namespace

bool MoveToIndex(MoveList& list, Move move, int start) {
  for (int k = start; k < list.count; ++k) {
    if (list.moves[k] != move) continue;
    for (int j = k; j > start; --j) list.moves[j] = list.moves[j - 1];
    list.moves[start] = move;
    return true;
  }
  return false;
}

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
