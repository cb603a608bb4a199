// Move ordering: the exchange sort of each segment and the killer moves pulled forward.
#include "search/ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/types.h"

namespace {

// A list of distinct moves; the first capture_count are captures.
MoveList ListWithScores(const std::vector<int>& scores, int capture_count) {
  MoveList list{};
  for (int i = 0; i < static_cast<int>(scores.size()); ++i) {
    const int type = i < capture_count ? CAPTURE : QUIET;
    list.moves[i] = MakeMoveWord(ROOK, i, 32 + i, type, type == CAPTURE ? PAWN : 0);
    list.scores[i] = scores[i];
  }
  list.capture_count = capture_count;
  list.count = static_cast<int>(scores.size());
  return list;
}

std::vector<Move> Moves(const MoveList& list) { return {list.moves, list.moves + list.count}; }
std::vector<int> Scores(const MoveList& list) { return {list.scores, list.scores + list.count}; }

TEST(SortMoves, EqualScoresEndInTheExchangeSortsOrder) {
  const MoveList original = ListWithScores({1, 2, 2, 3}, 0);
  MoveList list = original;
  SortMoves(list);
  const Move* m = original.moves;
  // A stable sort would keep the first 2 ahead of the second; this one does not.
  EXPECT_EQ(Moves(list), (std::vector<Move>{m[3], m[2], m[1], m[0]}));
  EXPECT_EQ(Scores(list), (std::vector<int>{3, 2, 2, 1}));

  list = ListWithScores({5, 7, 5, 7, 5}, 0);
  const MoveList before = list;
  SortMoves(list);
  const Move* b = before.moves;
  EXPECT_EQ(Moves(list), (std::vector<Move>{b[1], b[3], b[2], b[0], b[4]}));
}

TEST(SortMoves, EachSegmentIsSortedByItself) {
  const MoveList original = ListWithScores({100, 400, 200, 9000, 3, 50}, 3);
  const Move* m = original.moves;

  MoveList list = original;
  SortMoves(list);
  // The best-scored quiet move still follows every capture.
  EXPECT_EQ(Moves(list), (std::vector<Move>{m[1], m[2], m[0], m[3], m[5], m[4]}));
  EXPECT_EQ(Scores(list), (std::vector<int>{400, 200, 100, 9000, 50, 3}));

  list = original;
  SortCaptures(list);
  EXPECT_EQ(Moves(list), (std::vector<Move>{m[1], m[2], m[0], m[3], m[4], m[5]}));
}

class Killers : public testing::Test {
 protected:
  static constexpr int PLY = 7;
  void SetUp() override {
    std::fill(std::begin(killer_primary), std::end(killer_primary), 0);
    std::fill(std::begin(killer_secondary), std::end(killer_secondary), 0);
  }
  void SetKillers(Move primary, Move secondary) {
    killer_primary[PLY] = primary;
    killer_secondary[PLY] = secondary;
  }
  // Runs KillersToFront and returns the new order as indexes into the original list.
  std::vector<int> Order(const MoveList& original, int start) {
    MoveList list = original;
    KillersToFront(list, start, PLY);
    EXPECT_EQ(Scores(list), Scores(original)) << "scores must stay where they were";
    std::vector<int> order;
    for (int i = 0; i < list.count; ++i)
      order.push_back(static_cast<int>(std::find(original.moves, original.moves + original.count, list.moves[i]) -
                                       original.moves));
    return order;
  }
};

TEST_F(Killers, PulledToTheStartIndexAndTheOneBehindIt) {
  const MoveList quiets = ListWithScores({50, 40, 30, 20, 10}, 0);
  const MoveList one_capture = ListWithScores({600, 40, 30, 20, 10}, 1);
  MoveList promotion = ListWithScores({600, 500, 400, 20, 10}, 3);
  promotion.moves[2] = MakeMoveWord(PAWN, 52, 60, PROMOTE_QUEEN, 0);
  const Move absent = MakeMoveWord(QUEEN, 1, 2, QUIET, 0);
  const struct {
    const char* name;
    const MoveList& list;
    int start;
    Move primary, secondary;
    std::vector<int> order;
  } cases[] = {
      {"no capture", quiets, 0, quiets.moves[3], quiets.moves[1], {3, 1, 0, 2, 4}},
      {"one capture", one_capture, 1, one_capture.moves[3], one_capture.moves[4], {0, 3, 4, 1, 2}},
      // A killer among the capture generator's moves is pulled forward just the same.
      {"promotion", promotion, 1, promotion.moves[2], 0, {0, 2, 1, 3, 4}},
      {"absent", one_capture, 1, absent, 0, {0, 1, 2, 3, 4}},
      {"before the start", one_capture, 1, one_capture.moves[0], one_capture.moves[0], {0, 1, 2, 3, 4}},
      {"secondary alone", quiets, 0, absent, quiets.moves[2], {0, 2, 1, 3, 4}},
      {"both slots equal", quiets, 0, quiets.moves[2], quiets.moves[2], {2, 0, 1, 3, 4}},
  };
  for (const auto& c : cases) {
    SetKillers(c.primary, c.secondary);
    EXPECT_EQ(Order(c.list, c.start), c.order) << c.name;
  }
}

}  // namespace
