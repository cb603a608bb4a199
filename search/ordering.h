// Move ordering: the exchange sort of each segment, killer moves and (in hash_table.h) the
// hash move to the front. The root applies these steps to its list as they stand; interior and
// capture-search nodes get the same order, lazily, from MovePicker, and SortCaptures and
// KillersToFront remain the plain statement of that order that the picker is checked against.
#pragma once

#include "movegen/move_list.h"
#include "search/records.h"

extern Move killer_primary[PV_CAPACITY];
extern Move killer_secondary[PV_CAPACITY];

// One pass of the exchange sort on [j, last): position j exchanges with every later entry that
// scores higher than what it holds at that moment. The sort is not stable, and its exact
// permutation decides the search tree. The entry held at j is kept in registers during the pass:
// each exchange leaves the old holder behind at k and takes the entry from k, as a swap would.
inline void ExchangePass(MoveList& list, int j, int last) {
  Move* moves = list.moves;
  std::int32_t* scores = list.scores;
  Move held_move = moves[j];
  std::int32_t held_score = scores[j];
  for (int k = j + 1; k < last; ++k) {
    const std::int32_t score = scores[k];
    const Move move = moves[k];
    const std::uint32_t take = 0u - static_cast<std::uint32_t>(held_score < score);
    scores[k] = held_score < score ? held_score : score;
    moves[k] = static_cast<Move>((static_cast<std::uint32_t>(held_move) & take) | (static_cast<std::uint32_t>(move) & ~take));
    held_move = static_cast<Move>((static_cast<std::uint32_t>(move) & take) | (static_cast<std::uint32_t>(held_move) & ~take));
    held_score = held_score < score ? score : held_score;
  }
  moves[j] = held_move;
  scores[j] = held_score;
}

// Sorts the capture segment and the quiet segment, each by descending score.
void SortMoves(MoveList& list);
// Sorts the capture segment only.
void SortCaptures(MoveList& list);
// Pulls the ply's primary killer to index start and its secondary killer to start + 1.
void KillersToFront(MoveList& list, int start, int ply);
// Records a move that raised the bound at this ply.
void UpdateKillers(Move move, int ply);
