#pragma once

#include "board/types.h"
#include "search/records.h"

constexpr int MAX_ITERATION = 50;

// Iterative deepening from depth 1 within the depth and time limits; writes the reports and
// "bestmove". Times are in seconds, -1.0 when absent; depth is -1 when absent.
// Nodes of every iteration of every search since the program started (for the bench).
NodeCount NodesSearched();

void Deepening(Position& position, RecentMoves recent_moves, NodeCount* node_count, int infinite, double wtime,
               double btime, double movetime, int depth);
