// Sliding along one ray: the squares a slider on s reaches, up to and including the nearest
// piece of either colour.
#pragma once

#include "board/bitscan.h"
#include "board/tables.h"

template <RayDir D>
inline int NearestBlocker(Bitboard blockers) {
  return RayAscends<D>() ? LowestBit(blockers) : HighestBit(blockers);
}

template <RayDir D>
inline Bitboard RayReach(int s, Bitboard occupied) {
  const Bitboard ray = RayTable<D>()[s];
  // Without a branch: a sentinel bit at the far corner (h8 for rays going up the squares, a1
  // for rays going down) stands in for "no blocker", where the reach is the whole ray anyway.
  if constexpr (RayAscends<D>()) {
    const int nearest = LowestBit((ray & occupied) | (Bitboard{1} << 63));
    return ray & ((Bitboard{2} << nearest) - 1);
  } else {
    const int nearest = HighestBit((ray & occupied) | Bitboard{1});
    return ray & (~Bitboard{0} << nearest);
  }
}
