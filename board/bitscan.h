// Bit scans on non-zero bitboards; callers test for zero first.
#pragma once

#include "board/types.h"

inline int LowestBit(Bitboard b) { return __builtin_ctzll(b); }
inline int HighestBit(Bitboard b) { return 63 - __builtin_clzll(b); }
inline int PopCount(Bitboard b) { return __builtin_popcountll(b); }
// Returns the lowest set square and clears it.
inline int PopLowest(Bitboard& b) {
  const int s = LowestBit(b);
  b &= b - 1;
  return s;
}
