// The board record's invariants, without a test framework, for the unit tests and the fuzz
// targets alike: square arrays, kind sets and colour sets agree, no square holds two pieces,
// and the flags and the en-passant square are in range.
#pragma once

#include "board/types.h"

namespace board_test {

// What is wrong with the record, or nullptr when nothing is.
inline const char* BrokenInvariant(const Position& p) {
  Bitboard white = 0, black = 0;
  for (int k = 1; k < 7; ++k) {
    white |= p.white_by_kind[k];
    black |= p.black_by_kind[k];
  }
  if (p.white_by_kind[0] || p.black_by_kind[0]) return "kind 0 set";
  if (white != p.white_occupied || black != p.black_occupied) return "colour sets";
  if (p.occupied != (white | black) || (white & black)) return "occupied";
  // Every square of a kind set holds that kind in the square array, and no other square holds
  // a piece: the walks check every node, so this looks at the pieces, not at every square.
  for (int k = 1; k < 7; ++k) {
    for (Bitboard b = p.white_by_kind[k]; b != 0; b &= b - 1)
      if (p.white_board[__builtin_ctzll(b)] != k) return "square array and kind set differ";
    for (Bitboard b = p.black_by_kind[k]; b != 0; b &= b - 1)
      if (p.black_board[__builtin_ctzll(b)] != k) return "square array and kind set differ";
  }
  int white_pieces = 0, black_pieces = 0;
  for (int s = 0; s < 64; ++s) {
    white_pieces += p.white_board[s] != NO_PIECE;
    black_pieces += p.black_board[s] != NO_PIECE;
  }
  if (white_pieces != __builtin_popcountll(white) || black_pieces != __builtin_popcountll(black))
    return "square array holds a piece no kind set has";
  for (int flag : {p.side_to_move, p.ep_flag, p.castle_wq, p.castle_wk, p.castle_bq, p.castle_bk})
    if (flag != 0 && flag != 1) return "flag out of range";
  if (p.ep_flag && (p.ep_file < 0 || p.ep_file > 7 || p.ep_rank < 0 || p.ep_rank > 7))
    return "en-passant square off the board";
  return nullptr;
}

}  // namespace board_test
