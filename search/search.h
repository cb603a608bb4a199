// The search routines, one twin per colour. Scores are from White's point of view: White's
// levels maximise, Black's minimise.
#pragma once

#include "board/types.h"
#include "eval/placement.h"
#include "search/material.h"
#include "search/records.h"

constexpr int CHECK_EXTENSION_LIMIT = 21;

int AlphaBetaWhite(int in_check, Position& position, int alpha, int beta, int depth, int ply, NodeCount* node_count,
                   PVLine& current_line, PVLine& best_line, int prev_move_type, const RecentMoves* recent_moves,
                   int* stop_flag, int null_done);
int AlphaBetaBlack(int in_check, Position& position, int alpha, int beta, int depth, int ply, NodeCount* node_count,
                   PVLine& current_line, PVLine& best_line, int prev_move_type, const RecentMoves* recent_moves,
                   int* stop_flag, int null_done);

int LeafWhite(Position& position, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
              const RecentMoves* recent_moves, int* stop_flag);
int LeafBlack(Position& position, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
              const RecentMoves* recent_moves, int* stop_flag);

int QuiesceWhite(Position& position, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line);
int QuiesceBlack(Position& position, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line);

// The same twins given MaterialBalance of the position, which the search carries from move to
// move instead of counting it again at every node; the leaves also get the square-table sums.
int LeafWhite(Position& position, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
              const RecentMoves* recent_moves, int* stop_flag, int material, Placement sums);
int LeafBlack(Position& position, PVLine& best_line, int alpha, int beta, int ply, PVLine& current_line,
              const RecentMoves* recent_moves, int* stop_flag, int material, Placement sums);
int QuiesceWhite(Position& position, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line,
                 int material);
int QuiesceBlack(Position& position, int alpha, int beta, int ply, PVLine& current_line, PVLine& best_line,
                 int material);

int SearchRootWhite(int* best_from, int* best_to, Position& position, int depth, NodeCount* node_count,
                    PVLine& current_line, PVLine& best_line, const RecentMoves* recent_moves, int* stop_flag);
int SearchRootBlack(int* best_from, int* best_to, Position& position, int depth, NodeCount* node_count,
                    PVLine& current_line, PVLine& best_line, const RecentMoves* recent_moves, int* stop_flag);
