// The fields of one colour, so that make and unmake are written once for both colours.
#pragma once

#include "board/tables.h"
#include "board/types.h"

template <Colour C>
struct SideFields {
  Bitboard& occupied;
  Bitboard* by_kind;
  std::int32_t* board;
  std::int32_t& castle_q;
  std::int32_t& castle_k;

  explicit SideFields(Position& p)
      : occupied(C == WHITE ? p.white_occupied : p.black_occupied),
        by_kind(C == WHITE ? p.white_by_kind : p.black_by_kind),
        board(C == WHITE ? p.white_board : p.black_board),
        castle_q(C == WHITE ? p.castle_wq : p.castle_bq),
        castle_k(C == WHITE ? p.castle_wk : p.castle_bk) {}

  // Toggles the piece that the square array names on s in the colour set and its kind set.
  [[gnu::always_inline]] void Toggle(int s) const {
    occupied ^= square_bit[s];
    by_kind[board[s]] ^= square_bit[s];
  }
  // Moves the piece on from to to: one exclusive or of both squares in each set.
  [[gnu::always_inline]] void Relocate(int from, int to) const {
    const int kind = board[from];
    const Bitboard both = square_bit[from] | square_bit[to];
    occupied ^= both;
    by_kind[kind] ^= both;
    board[to] = kind;
    board[from] = NO_PIECE;
  }
};

// Corner squares of each colour's rooks, the castling rook's landing squares and the step
// of a pawn.
template <Colour C>
struct SideSquares {
  static constexpr int QUEEN_CORNER = C == WHITE ? 0 : 56;
  static constexpr int KING_CORNER = C == WHITE ? 7 : 63;
  static constexpr int QUEEN_ROOK_LANDING = C == WHITE ? 3 : 59;
  static constexpr int KING_ROOK_LANDING = C == WHITE ? 5 : 61;
  static constexpr int PAWN_STEP = C == WHITE ? 8 : -8;
};
