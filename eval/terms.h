// The small scoring terms the static evaluation adds up: slider mobility, king tropism and the
// shelter of the Black king.
#pragma once

#include "board/types.h"

// Mobility total of all rooks (or bishops) of one colour: for each piece, the squares along its
// rays up to and including the first piece of either colour.
int RookMobilityWhite(const Position& position);
int RookMobilityBlack(const Position& position);
int BishopMobilityWhite(const Position& position);
int BishopMobilityBlack(const Position& position);

// 7 div the Manhattan distance between a piece and the enemy king: 7, 3, 2, 1 or 0. Two equal
// squares give 0 (a piece never stands on the enemy king's square).
int KingTropism(int piece_square, int king_square);
// KingTropism summed over a set of pieces.
int TropismSum(Bitboard pieces, int king_square);

// 20 for each of the squares k - 7, k - 8 and k - 9 that holds no Black piece, so 0..60.
// Plain square numbers: on the h-file k - 7 is the a-file square of the king's own rank. Squares
// below a1 count as empty.
int BlackKingShelter(const Position& position, int black_king_square);
