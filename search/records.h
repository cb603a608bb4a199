// Records and the score scale shared by every level of the search, the reports and "go".
#pragma once

#include <cstdint>

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

// Copies the first length moves, the score and the length; entries beyond length keep what
// the destination held.
inline void CopyLine(PVLine& to, const PVLine& from) {
  for (int i = 0; i < from.length; ++i) to.moves[i] = from.moves[i];
  to.score_move = from.score_move;
  to.length = from.length;
}

// The path itself as the line: the moves of plies 0..ply-1 of current_line.
inline void SetPathLine(PVLine& best_line, const PVLine& current_line, int ply, int score) {
  for (int i = 0; i < ply; ++i) best_line.moves[i] = current_line.moves[i];
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
