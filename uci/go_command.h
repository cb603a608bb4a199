// The "go" command: reads the limits, builds the recent-moves record, empties the table and
// searches.
#pragma once

#include "board/types.h"
#include "search/records.h"

void GoCommand(const char* line, Position& position, const char* moves_text, NodeCount* node_count);
RecentMoves BuildRecentMoves(const char* moves_text);

// The limits a go line carries; absent ones are -1.
struct GoLimits {
  int depth = -1;
  NodeCount nodes = -1;
  double wtime = -1.0;
  double btime = -1.0;
  double movetime = -1.0;
  int infinite = 0;
};
GoLimits ParseGoLimits(const char* line);
