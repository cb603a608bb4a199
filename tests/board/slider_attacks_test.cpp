// The lookup answers of bishops and rooks must be the four ray reaches of their directions
// together, and the reach counts their sizes, for every square and every occupancy; random occupancies from sparse to dense, and
// every occupancy of the lines of a corner and a central square.
#include "board/slider_attacks.h"

#include <gtest/gtest.h>

#include <random>

#include "board/tables.h"

namespace {

// The rays of a direction, walked square by square with its table: each stops at its first
// occupied square, which it includes.
Bitboard Reach(const tables_detail::Table* rays[4], int s, Bitboard occupied) {
  Bitboard reach = 0;
  for (int d = 0; d < 4; ++d) {
    const Bitboard ray = (*rays[d])[s];
    const bool ascending = d % 2 == 0;
    for (int step = 0; step < 8; ++step) {
      const Bitboard left = ray & ~reach;
      if (left == 0) break;
      const Bitboard next = ascending ? left & (0 - left) : Bitboard{1} << (63 - __builtin_clzll(left));
      reach |= next;
      if (next & occupied) break;
    }
  }
  return reach;
}

Bitboard DiagonalReach(int s, Bitboard occupied) {
  const tables_detail::Table* rays[4] = {&ray_up_right, &ray_down_right, &ray_up_left, &ray_down_left};
  return Reach(rays, s, occupied);
}

Bitboard OrthogonalReach(int s, Bitboard occupied) {
  const tables_detail::Table* rays[4] = {&ray_up, &ray_down, &ray_right, &ray_left};
  return Reach(rays, s, occupied);
}

TEST(SliderAttacks, AreTheRayReachesForRandomOccupancies) {
  std::mt19937_64 random(11);
  for (int s = 0; s < 64; ++s) {
    for (int round = 0; round < 3000; ++round) {
      Bitboard occupied = random();
      for (int thin = round % 4; thin > 0; --thin) occupied &= random();
      ASSERT_EQ(BishopAttacks(s, occupied), DiagonalReach(s, occupied)) << s << " " << occupied;
      ASSERT_EQ(RookAttacks(s, occupied), OrthogonalReach(s, occupied)) << s << " " << occupied;
      ASSERT_EQ(BishopReachCount(s, occupied), __builtin_popcountll(DiagonalReach(s, occupied))) << s << " " << occupied;
      ASSERT_EQ(RookReachCount(s, occupied), __builtin_popcountll(OrthogonalReach(s, occupied))) << s << " " << occupied;
    }
  }
}

TEST(SliderAttacks, AreTheRayReachesForEveryOccupancyOfTheLines) {
  for (const int s : {0, 27, 63}) {
    for (const bool diagonal : {true, false}) {
      const Bitboard lines = diagonal ? diagonal_lines[s] : orthogonal_lines[s];
      Bitboard subset = 0;
      do {
        if (diagonal) ASSERT_EQ(BishopAttacks(s, subset), DiagonalReach(s, subset)) << s << " " << subset;
        else ASSERT_EQ(RookAttacks(s, subset), OrthogonalReach(s, subset)) << s << " " << subset;
        subset = (subset - lines) & lines;
      } while (subset != 0);
    }
  }
}

TEST(SliderAttacks, WithoutBlockersTheWholeLines) {
  for (int s = 0; s < 64; ++s) {
    EXPECT_EQ(BishopAttacks(s, 0), diagonal_lines[s]);
    EXPECT_EQ(RookAttacks(s, 0), orthogonal_lines[s]);
    EXPECT_EQ(RookAttacks(s, square_bit[s]), orthogonal_lines[s]);
  }
  // A rook on a3 with pieces on a2 and a1 sees a2 downwards, not a1.
  EXPECT_EQ(RookAttacks(16, square_bit[0] | square_bit[8]) & ray_down[16], square_bit[8]);
}

}  // namespace
