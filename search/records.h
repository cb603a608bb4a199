// Records and the score scale shared by every level of the search, the reports and "go".
#pragma once

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

// Copies n moves. Most lines are a dozen moves or fewer, copied here in groups of four without
// a call to the library's copy; the last group overlaps the one before it rather than going
// past n.
[[gnu::always_inline]] inline void CopyMoves(Move* to, const Move* from, int n) {
  if (n < 4) {
    if (n > 0) to[0] = from[0];
    if (n > 1) to[1] = from[1];
    if (n > 2) to[2] = from[2];
  } else if (n <= 12) {
    std::memcpy(to, from, 16);
    if (n > 8) std::memcpy(to + 4, from + 4, 16);
    std::memcpy(to + n - 4, from + n - 4, 16);
  } else {
    std::memcpy(to, from, static_cast<std::size_t>(n) * sizeof(Move));
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
