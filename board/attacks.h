// Attack tests. Each returns the kind of the first attacker found (0 when none); callers use
// the result as a truth value. The White and Black king tests look in different orders.
#pragma once

#include "board/types.h"

// Black attacks the white king. Returns 0 when White has no king.
int WhiteKingAttacked(const Position& position);
// White attacks the black king. Returns 0 when Black has no king.
int BlackKingAttacked(const Position& position);
// For the castling squares of rank 1 (c1..g1) only.
int SquareAttackedByBlack(const Position& position, int square);
// For the castling squares of rank 8 (c8..g8) only.
int SquareAttackedByWhite(const Position& position, int square);
