// The lines the search writes: the current root move, the best line after each root move,
// the line after each iteration, the best move, and the self-check messages.
#pragma once

#include "board/move_list.h"
#include "search/records.h"

void ReportCurrentMove(const MoveList& list, int index, int move_number, int depth);
// Writes the root's best line so far, or a lone line feed when the best score at this depth
// is the one written last.
void ReportRootLine(int best_score, int depth, int colour, NodeCount nodes, PVLine best_point, double seconds);
void ReportIteration(int side_to_move, NodeCount nodes, double seconds, int depth, int score, const PVLine& line);
void ReportBestMove(int from, int to, Move first_move);
void ReportKeyCheck();
// A whole number of nodes per second; 0 when no time was measured.
std::int64_t NodesPerSecond(NodeCount nodes, double seconds);
