#pragma once

#include <cstdint>

#include "board/types.h"
#include "search/records.h"

constexpr int MAX_ITERATION = 50;

// Nodes of every iteration of every search since the program started (for the bench).
NodeCount NodesSearched();

// What a go line asks beyond Deepening's parameters: when it was read (milliseconds of the
// program clock, so that the table's clearing counts against the move time; -1: when the search
// starts) and a node limit over all iterations (-1: none). The go command hands it over just
// before Deepening, which keeps it for that one search.
struct SearchRequest {
  std::int64_t received_at = -1;
  NodeCount node_limit = -1;
};
void RequestSearch(const SearchRequest& request);

// Iterative deepening from depth 1 within the depth and time limits; writes the reports and
// "bestmove". Times are in seconds, -1.0 when absent; depth is -1 when absent.
void Deepening(Position& position, RecentMoves recent_moves, NodeCount* node_count, int infinite, double wtime,
               double btime, double movetime, int depth);
