// Material as the capture search counts it: the balance of a position, and what one move
// changes in it, so that the search can carry the balance from move to move.
#pragma once

#include <array>

#include "board/types.h"

// White's material minus Black's: a king present 90000, queen 1100, rook 500, bishop and
// knight 300, pawn 100.
int MaterialBalance(const Position& position);

// The worth of a piece of each kind taken; a king's is not counted here.
inline constexpr int MATERIAL_VALUE[7] = {0, 100, 300, 300, 500, 1100, 0};

// What a promotion of each move type adds beyond the pawn it replaces: read by type, so that no
// branch waits on the type.
namespace material_detail {
constexpr std::array<int, 64> MakePromotionGains() {
  std::array<int, 64> gains{};
  for (int type = 0; type < 64; ++type) {
    if (IsPromotion(type)) gains[type] = MATERIAL_VALUE[PromotedKind(type)] - MATERIAL_VALUE[PAWN];
  }
  return gains;
}
inline constexpr std::array<int, 64> PROMOTION_GAIN = MakePromotionGains();
}  // namespace material_detail

// What a move adds to its own side's material: the piece taken and, for a promotion, the new
// piece in place of the pawn. Not for the capture of a king, whose worth depends on whether
// another king of that colour is left.
[[gnu::always_inline]] inline int MaterialGain(Move m) {
  return MATERIAL_VALUE[MoveCaptured(m)] + material_detail::PROMOTION_GAIN[MoveTypeOf(m)];
}
