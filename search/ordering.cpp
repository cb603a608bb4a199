#include "search/ordering.h"

Move killer_primary[PV_CAPACITY];
Move killer_secondary[PV_CAPACITY];

namespace {

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
