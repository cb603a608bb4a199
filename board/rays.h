// Sliding along one ray: the nearest piece on it, for the attack tests that look ray by ray.
#pragma once

#include "board/bitscan.h"
#include "board/tables.h"

template <RayDir D>
inline int NearestBlocker(Bitboard blockers) {
  return RayAscends<D>() ? LowestBit(blockers) : HighestBit(blockers);
}
