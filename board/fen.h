#pragma once

#include "board/types.h"

// Sets the position from "fen <placement> <side> <castling> <en passant> ..." text (the first
// word is skipped). Leaves hash_key alone. Never reads past the end of the text or writes
// outside the board: characters outside the alphabet and pieces that would fall off the board
// are skipped, castling rights whose king and rook are not in place are dropped, and an
// en-passant square is kept only when it is empty and the pawn that passed it stands behind it.
void ReadFen(Position& position, const char* text);
