// Pseudo-legal move generation. The capture generator fills the list from index 0 with
// captures, promotions and en-passant captures; the quiet generator of the same colour then
// appends king steps, castling, piece moves and pawn pushes.
#pragma once

#include "board/types.h"
#include "board/move_list.h"

void GenerateCapturesWhite(const Position& position, MoveList& list);
void GenerateCapturesBlack(const Position& position, MoveList& list);
void GenerateQuietWhite(const Position& position, MoveList& list);
void GenerateQuietBlack(const Position& position, MoveList& list);

// Whether the quiet generator of that colour would list the move word m in this position: the
// same answer as generating the quiet moves and looking for m among them.
bool QuietListedWhite(const Position& position, Move m);
bool QuietListedBlack(const Position& position, Move m);

// Whether the capture generator of that colour would list the move word m as a plain capture
// (type CAPTURE): the same answer as generating the captures and looking for m among them.
bool PlainCaptureListedWhite(const Position& position, Move m);
bool PlainCaptureListedBlack(const Position& position, Move m);

// Appends one CAPTURE per target square, lowest first, scored most valuable victim first.
void AddCapturesWhite(Bitboard targets, int from, int piece, const Position& position, MoveList& list, int& n);
void AddCapturesBlack(Bitboard targets, int from, int piece, const Position& position, MoveList& list, int& n);
// Appends one QUIET per target square, lowest first, scored by the centre table.
void AddQuietMoves(Bitboard targets, int from, int piece, int& n, MoveList& list);

// Both generators of one colour into the list, captures first.
template <Colour Us>
inline void GenerateMoves(const Position& position, MoveList& list) {
  if constexpr (Us == WHITE) {
    GenerateCapturesWhite(position, list);
    GenerateQuietWhite(position, list);
  } else {
    GenerateCapturesBlack(position, list);
    GenerateQuietBlack(position, list);
  }
}

// Both generators of the side to move, as the position command and perft use them.
inline void GenerateAllMoves(const Position& position, MoveList& list) {
  if (position.side_to_move == WHITE) GenerateMoves<WHITE>(position, list);
  else GenerateMoves<BLACK>(position, list);
}
