// The text form of moves: origin, destination and a lowercase promotion letter (e7e8q).
#pragma once

#include "board/types.h"

constexpr int BAD_SQUARE_PART = 777;

// File letter and rank digit to a square; at least 777 when either is not recognised.
int SquareFromText(char file, char rank);
// Writes the square's two characters; returns the pointer behind them.
char* SquareToText(int square, char* out);
// The promotion letter of a move type ('n', 'b', 'r', 'q'), or 0 for any other type.
char PromotionLetter(int move_type);
// Writes the move's text, NUL-terminated (at most 6 bytes); returns the pointer to the NUL.
char* MoveToText(Move move, char* out);
