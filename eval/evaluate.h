// The static positional score of a position, from White's point of view (positive favours
// White). Material is not counted here: the search's leaf counts it on its own.
#pragma once

#include "board/types.h"
#include "eval/placement.h"

int EvaluatePosition(const Position& position);
// The same score, given the position's square-table sums.
int EvaluatePosition(const Position& position, Placement sums);
