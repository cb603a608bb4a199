#include "search/material.h"

#include "board/bitscan.h"

int MaterialBalance(const Position& p) {
  auto side = [](const Bitboard* by_kind) {
    int sum = by_kind[KING] ? 90000 : 0;
    for (int kind = PAWN; kind <= QUEEN; ++kind) sum += MATERIAL_VALUE[kind] * PopCount(by_kind[kind]);
    return sum;
  };
  return side(p.white_by_kind) - side(p.black_by_kind);
}
