// The move list every generator writes into: forcing moves first, quiet moves behind them.
#pragma once

#include <cstdint>

#include "board/types.h"

// Room for every pseudo-legal move of any placement the FEN reader can build: at most
// N * (64 - N) origin/target pairs for N pieces of one side (1024 at N = 32), three more entries
// for each of the at most 24 promotion targets, and two en-passant captures.
constexpr int MAX_MOVES = 1104;

struct MoveList {
  Move moves[MAX_MOVES];
  std::int32_t scores[MAX_MOVES];
  std::int32_t capture_count;
  std::int32_t count;
};
