// Move ordering: the exchange sort of each segment, killer moves and (in hash_table.h) the
// hash move to the front. The root applies these steps to its list as they stand; interior and
// capture-search nodes get the same order, lazily, from MovePicker, and SortCaptures and
// KillersToFront remain the plain statement of that order that the picker is checked against.
#pragma once

#include "board/move_list.h"
#include "search/records.h"

extern Move killer_primary[PV_CAPACITY];
extern Move killer_secondary[PV_CAPACITY];

// Sorts the capture segment and the quiet segment, each by descending score.
void SortMoves(MoveList& list);
// Sorts the capture segment only.
void SortCaptures(MoveList& list);
// Moves the first entry from start on that holds the move to index start, the entries between
// one place up; the scores stay where they are. False when no such entry exists.
bool MoveToIndex(MoveList& list, Move move, int start);
// Pulls the ply's primary killer to index start and its secondary killer to start + 1.
void KillersToFront(MoveList& list, int start, int ply);
// Records a move that raised the bound at this ply.
void UpdateKillers(Move move, int ply);
