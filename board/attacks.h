// Attack tests. Each returns the kind of the first attacker found (0 when none); callers use
// the result as a truth value. The White and Black king tests look in different orders.
#pragma once

#include "board/types.h"

// Black attacks the white king. Returns 0 when White has no king.
int WhiteKingAttacked(const Position& position);
// White attacks the black king. Returns 0 when Black has no king.
int BlackKingAttacked(const Position& position);
// The same answers as WhiteKingAttacked(p) != 0 and BlackKingAttacked(p) != 0, each with its own
// pawn rule, for callers that need only yes or no: every attacker is looked for at once, without
// the tests' order and without a branch per ray.
bool WhiteKingInCheck(const Position& position);
bool BlackKingInCheck(const Position& position);
// Whether the White (Black) king would be in check on s with the given occupancy: the answer
// WhiteKingInCheck (BlackKingInCheck) gives once a king step to s is made, asked before making it.
bool WhiteKingInCheckOn(const Position& position, int s, Bitboard occupied);
bool BlackKingInCheckOn(const Position& position, int s, Bitboard occupied);
// The pieces that give check to a White (Black) king on s, by the rules of WhiteKingInCheck
// (BlackKingInCheck).
Bitboard WhiteKingCheckers(const Position& position, int s);
Bitboard BlackKingCheckers(const Position& position, int s);
// For the castling squares of rank 1 (c1..g1) only.
int SquareAttackedByBlack(const Position& position, int square);
// For the castling squares of rank 8 (c8..g8) only.
int SquareAttackedByWhite(const Position& position, int square);
