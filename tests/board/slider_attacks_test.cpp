// The lookup answers of bishops and rooks must be the four ray reaches of their directions
// together, for every square and every occupancy; random occupancies from sparse to dense, and
// every occupancy of the lines of a corner and a central square.
#include "board/slider_attacks.h"

#include <gtest/gtest.h>

#include <random>

#include "board/rays.h"

namespace {

Bitboard DiagonalReach(int s, Bitboard occupied) {
  return RayReach<RayDir::UP_RIGHT>(s, occupied) | RayReach<RayDir::UP_LEFT>(s, occupied) |
         RayReach<RayDir::DOWN_RIGHT>(s, occupied) | RayReach<RayDir::DOWN_LEFT>(s, occupied);
}

Bitboard OrthogonalReach(int s, Bitboard occupied) {
  return RayReach<RayDir::UP>(s, occupied) | RayReach<RayDir::DOWN>(s, occupied) |
         RayReach<RayDir::LEFT>(s, occupied) | RayReach<RayDir::RIGHT>(s, occupied);
}

TEST(SliderAttacks, AreTheRayReachesForRandomOccupancies) {
  std::mt19937_64 random(11);
  for (int s = 0; s < 64; ++s) {
    for (int round = 0; round < 3000; ++round) {
      Bitboard occupied = random();
      for (int thin = round % 4; thin > 0; --thin) occupied &= random();
      ASSERT_EQ(BishopAttacks(s, occupied), DiagonalReach(s, occupied)) << s << " " << occupied;
      ASSERT_EQ(RookAttacks(s, occupied), OrthogonalReach(s, occupied)) << s << " " << occupied;
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

}  // namespace
