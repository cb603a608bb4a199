// Line records: a copy takes only the valid moves.
#include "search/records.h"

#include <gtest/gtest.h>

namespace {

PVLine LineOf(int first_move, int length, int score) {
  PVLine line{};
  for (int i = 0; i < PV_CAPACITY; ++i) line.moves[i] = first_move + i;
  line.length = length;
  line.score_move = score;
  return line;
}

TEST(Records, CopyLineLeavesEntriesBeyondTheLengthAlone) {
  PVLine to = LineOf(1, 7, 55);
  const PVLine from = LineOf(100, 3, -20);
  CopyLine(to, from);
  EXPECT_EQ(to.length, 3);
  EXPECT_EQ(to.score_move, -20);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(to.moves[i], 100 + i);
  // The moves of the longer old line stay behind the new length.
  for (int i = 3; i < PV_CAPACITY; ++i) EXPECT_EQ(to.moves[i], 1 + i);
}

}  // namespace
