#include "search/material.h"

#include "board/bitscan.h"

int MaterialBalance(const Position& p) {
  auto side = [](const Bitboard* by_kind) {
    return (by_kind[KING] ? 90000 : 0) + 1100 * PopCount(by_kind[QUEEN]) + 500 * PopCount(by_kind[ROOK]) +
           300 * PopCount(by_kind[BISHOP]) + 300 * PopCount(by_kind[KNIGHT]) + 100 * PopCount(by_kind[PAWN]);
  };
  return side(p.white_by_kind) - side(p.black_by_kind);
}
