// Square tables of the static evaluation, indexed by square (0 = a1 .. 63 = h8).
#pragma once

#include <array>
#include <cstdint>

#include "board/types.h"

namespace eval_tables_detail {

using SquareTable = std::array<std::int32_t, 64>;

// The grids below are written the way a board is read: rank 8 on the first line, file a on the
// left. This turns such a grid into square order.
constexpr SquareTable FromRank8First(const std::int32_t (&grid)[64]) {
  SquareTable table{};
  for (int s = 0; s < 64; ++s) table[s] = grid[(7 - RankOf(s)) * 8 + FileOf(s)];
  return table;
}

}  // namespace eval_tables_detail

// Knights of both colours. The four centre squares hold less than the ring around them.
inline constexpr eval_tables_detail::SquareTable knight_table = eval_tables_detail::FromRank8First({
    90, 90,  90,  90,  90,  90,  90,  90,
    90, 100, 100, 100, 100, 100, 100, 90,
    90, 100, 115, 115, 115, 115, 100, 90,
    90, 100, 115, 110, 110, 115, 100, 90,
    90, 100, 115, 110, 110, 115, 100, 90,
    90, 100, 115, 115, 115, 115, 100, 90,
    90, 100, 100, 100, 100, 100, 100, 90,
    90, 90,  90,  90,  90,  90,  90,  90,
});

// Bishops of both colours.
inline constexpr eval_tables_detail::SquareTable bishop_table = eval_tables_detail::FromRank8First({
    100, 100, 90,  90,  90,  90,  100, 100,
    100, 115, 110, 100, 100, 110, 115, 100,
    90,  110, 115, 110, 110, 115, 110, 90,
    90,  100, 110, 115, 115, 110, 100, 90,
    90,  100, 110, 115, 115, 110, 100, 90,
    90,  110, 115, 110, 110, 115, 110, 90,
    100, 115, 110, 100, 100, 110, 115, 100,
    100, 100, 90,  90,  90,  90,  100, 100,
});

// Rooks and queens of both colours: the same on every square.
inline constexpr eval_tables_detail::SquareTable rook_queen_table = eval_tables_detail::FromRank8First({
    100, 100, 100, 100, 100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 100,
});

// Kings of both colours once the opponent's pieces are few: the centre is worth more.
inline constexpr eval_tables_detail::SquareTable king_endgame_table = eval_tables_detail::FromRank8First({
    100, 100, 100, 100, 100, 100, 100, 100,
    100, 105, 105, 105, 105, 105, 105, 100,
    100, 105, 110, 110, 110, 110, 105, 100,
    100, 105, 110, 115, 115, 110, 105, 100,
    100, 105, 110, 115, 115, 110, 105, 100,
    100, 105, 110, 110, 110, 110, 105, 100,
    100, 105, 105, 105, 105, 105, 105, 100,
    100, 100, 100, 100, 100, 100, 100, 100,
});

// The two pawn tables are stored as Black sees them: a Black pawn on s reads entry s, a White
// pawn on s reads entry 63 - s (a half-turn, which mirrors the files as well as the ranks).
inline constexpr eval_tables_detail::SquareTable pawn_middlegame_table = eval_tables_detail::FromRank8First({
    0,  0,  0,  0,  0,  0,  0,  0,
    0,  0,  0,  0,  0,  0,  0,  0,
    0,  0,  0,  5,  5,  0,  0,  0,
    0,  0,  10, 30, 30, 0,  0,  0,
    5,  5,  5,  30, 30, 5,  5,  5,
    10, 10, 10, 30, 30, 10, 10, 10,
    50, 50, 50, 50, 50, 50, 50, 50,
    0,  0,  0,  0,  0,  0,  0,  0,
});

inline constexpr eval_tables_detail::SquareTable pawn_endgame_table = eval_tables_detail::FromRank8First({
    0,   0,   0,   0,   0,   0,   0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,
    5,   5,   5,   5,   5,   5,   5,   5,
    10,  10,  10,  10,  10,  10,  10,  10,
    20,  20,  20,  20,  20,  20,  20,  20,
    50,  50,  50,  50,  50,  50,  50,  50,
    100, 100, 100, 100, 100, 100, 100, 100,
    0,   0,   0,   0,   0,   0,   0,   0,
});
