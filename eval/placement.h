// The square-table part of the evaluation as two sums the search carries from move to move, so
// that an evaluation reads them instead of walking every piece. Per colour: the table values of
// the knights, bishops, rooks and queens in both 16-bit halves, the pawns' middlegame values in
// the low half and their endgame values in the high half. Kings are left out: their table
// counts only in the endgame and is read from the king's square.
#pragma once

#include <array>
#include <cstdint>

#include "board/types.h"
#include "eval/tables.h"

struct Placement {
  std::uint32_t white;
  std::uint32_t black;
};

// Sum of one colour's pieces for its phase: the endgame half or the middlegame half.
constexpr int PlacementPart(std::uint32_t sums, bool endgame) {
  return static_cast<int>(endgame ? sums >> 16 : sums & 0xFFFF);
}

namespace placement_detail {

using KindTables = std::array<std::array<std::uint32_t, 64>, 7>;

constexpr std::uint32_t Both(std::int32_t value) {
  return static_cast<std::uint32_t>(value) | static_cast<std::uint32_t>(value) << 16;
}

// White pawns read the Black-view pawn tables through the half-turn 63 - s.
constexpr KindTables MakeValues(Colour colour) {
  KindTables t{};
  for (int s = 0; s < 64; ++s) {
    const int pawn_square = colour == WHITE ? 63 - s : s;
    t[PAWN][s] = static_cast<std::uint32_t>(pawn_middlegame_table[pawn_square]) |
                 static_cast<std::uint32_t>(pawn_endgame_table[pawn_square]) << 16;
    t[KNIGHT][s] = Both(knight_table[s]);
    t[BISHOP][s] = Both(bishop_table[s]);
    t[ROOK][s] = t[QUEEN][s] = Both(rook_queen_table[s]);
  }
  return t;
}

constexpr bool SameEverywhere(const std::array<std::int32_t, 64>& table) {
  for (int s = 1; s < 64; ++s)
    if (table[s] != table[0]) return false;
  return true;
}
static_assert(SameEverywhere(rook_queen_table), "castling would change the rooks' sum");

inline constexpr KindTables white_values = MakeValues(WHITE);
inline constexpr KindTables black_values = MakeValues(BLACK);

}  // namespace placement_detail

// The sums of a position, counted piece by piece.
Placement PlacementOf(const Position& position);

// The sums after Us plays m, from the move word alone. Unsigned arithmetic: a half that goes
// below zero on the way borrows from the other half and gives it back by the end of the sum.
template <Colour Us>
inline Placement PlacementAfter(Placement sums, Move m) {
  using namespace placement_detail;
  const KindTables& ours = Us == WHITE ? white_values : black_values;
  const KindTables& theirs = Us == WHITE ? black_values : white_values;
  const int type = MoveTypeOf(m), piece = MovePiece(m), from = MoveFrom(m), to = MoveTo(m);
  const int landed = IsPromotion(type) ? PromotedKind(type) : piece;
  // Castling moves the king, which has no row, and a rook, whose row is the same everywhere.
  const std::uint32_t our_sum = (Us == WHITE ? sums.white : sums.black) + ours[landed][to] - ours[piece][from];
  // A move that takes nothing names kind 0, whose row is all zero.
  const int taken_square = type == EN_PASSANT ? to - (Us == WHITE ? 8 : -8) : to;
  const std::uint32_t their_sum =
      (Us == WHITE ? sums.black : sums.white) - theirs[MoveCaptured(m)][taken_square];
  return Us == WHITE ? Placement{our_sum, their_sum} : Placement{their_sum, our_sum};
}
