// Line records: a copy takes only the valid moves, and the path line starts at the root move.
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

TEST(Records, ThePathLineHoldsThePliesBeforeTheNode) {
  const PVLine current = LineOf(500, 0, 0);
  PVLine best = LineOf(1, 9, 3);
  SetPathLine(best, current, 4, -35);
  EXPECT_EQ(best.length, 4);
  EXPECT_EQ(best.score_move, -35);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(best.moves[i], 500 + i);
  for (int i = 4; i < PV_CAPACITY; ++i) EXPECT_EQ(best.moves[i], 1 + i);

  SetPathLine(best, current, 0, 7);
  EXPECT_EQ(best.length, 0);
  EXPECT_EQ(best.score_move, 7);
  EXPECT_EQ(best.moves[0], 500);
}

TEST(Records, TheDeepestPathFitsTheLine) {
  const PVLine current = LineOf(1000, 0, 0);
  PVLine best{};
  SetPathLine(best, current, MAX_PLY, 0);
  EXPECT_EQ(best.length, MAX_PLY);
  EXPECT_EQ(best.moves[MAX_PLY - 1], 1000 + MAX_PLY - 1);
  EXPECT_GE(MAX_PLY, 100);
}

}  // namespace
