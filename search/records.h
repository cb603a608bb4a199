// Records and the score scale shared by every level of the search, the reports and "go".
#pragma once

#include <cassert>
#include <cstdint>
#include <cstring>

#include "board/types.h"

// Scores are from White's point of view everywhere inside the search.
constexpr int INF_SCORE = 9999999;
constexpr int MATE_SCORE = 1000000;
constexpr int MATE_REPORT_THRESHOLD = 900000;

// Room for the line of any path. Alpha-beta plies stay below 100; the capture search may go
// deeper in positions set up by text, and stops at MAX_PLY so that no line overflows.
constexpr int PV_CAPACITY = 128;
constexpr int MAX_PLY = PV_CAPACITY - 1;

struct PVLine {
  Move moves[PV_CAPACITY];
  std::int32_t score_move;
  std::int32_t length;
};

// Copies n moves in groups of four. Lines are short and copied at nearly every node, where a
// call to the library's copy costs more than the copy; the last group overlaps the one before
// it rather than going past n.
[[gnu::always_inline]] inline void CopyMoves(Move* to, const Move* from, int n) {
  assert(n >= 0 && n <= PV_CAPACITY);
  if (n < 4) {
    if (n > 0) to[0] = from[0];
    if (n > 1) to[1] = from[1];
    if (n > 2) to[2] = from[2];
  } else {
    for (int i = 0; i < n - 4; i += 4) {
      std::memcpy(to + i, from + i, 16);
      // Kept a loop of groups: the compiler would otherwise turn it back into the library call.
      asm("" : "+r"(i));
    }
    std::memcpy(to + n - 4, from + n - 4, 16);
  }
}

// Copies the first length moves, the score and the length; entries beyond length keep what
// the destination held.
inline void CopyLine(PVLine& to, const PVLine& from) {
  CopyMoves(to.moves, from.moves, from.length);
  to.score_move = from.score_move;
  to.length = from.length;
}

// The path itself as the line: the moves of plies 0..ply-1 of current_line.
inline void SetPathLine(PVLine& best_line, const PVLine& current_line, int ply, int score) {
  CopyMoves(best_line.moves, current_line.moves, ply);
  best_line.score_move = score;
  best_line.length = ply;
}

// Origin and destination squares of the last moves of the game text, oldest first.
struct RecentMoves {
  std::int32_t from_squares[100];
  std::int32_t to_squares[100];
  std::int32_t last_index;
};

using NodeCount = std::int64_t;
