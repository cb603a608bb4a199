// The move list every generator writes into: forcing moves first, quiet moves behind them.
#pragma once

#include <cstdint>

#include "board/types.h"

// Room for every pseudo-legal move of any placement the FEN reader can build: at most
// N * (64 - N) origin/target pairs for N pieces of one side (1024 at N = 32), three more entries
// for each of the at most 24 promotion targets, and two en-passant captures: 1098 entries. The
// last SPARE_ENTRIES are beyond that; the move picker keeps moves there that it hands out
// before the quiet moves are generated.
constexpr int MAX_MOVES = 1104;
constexpr int SPARE_ENTRIES = 3;
static_assert(1024 + 3 * 24 + 2 <= MAX_MOVES - SPARE_ENTRIES, "generated entries reach the spare ones");

// Bounds of every ordering score the generators write: quiet moves -33 to 33, castling,
// promotions and en passant 50, captures 94 (a pawn taken by the king) to 599 (a king taken
// by a pawn).
constexpr int MIN_MOVE_SCORE = -33;
constexpr int MAX_MOVE_SCORE = 599;

struct MoveList {
  Move moves[MAX_MOVES];
  std::int32_t scores[MAX_MOVES];
  std::int32_t capture_count;
  std::int32_t count;
};
