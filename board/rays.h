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
  const Bitboard blockers = ray & occupied;
  if (blockers == 0) return ray;
  return ray ^ RayTable<D>()[NearestBlocker<D>(blockers)];
}
