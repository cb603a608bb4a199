// The alpha-beta twins: mate and stalemate scores by ply, the stop, the extensions as seen in
// node counts, the null move, killers and table stores.
#include <gtest/gtest.h>

#include <cstring>

#include "search/search.h"
#include "tests/search/search_setup.h"
#include "uci/go_command.h"

namespace {

using search_test::KeyedPosition;
using search_test::SearchTest;
using search_test::Text;

class AlphaBeta : public SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    for (int i = 0; i < PV_CAPACITY; ++i) current_line.moves[i] = MakeMoveWord(PAWN, 8 + i % 8, 16 + i % 8, QUIET, 0);
    best_line.length = 77;
    best_line.score_move = 4242;
  }
  int White(Position& p, int alpha, int beta, int depth, int ply, int in_check = 0, int prev_move_type = QUIET,
            int null_done = 0) {
    return AlphaBetaWhite(in_check, p, alpha, beta, depth, ply, &nodes, current_line, best_line, prev_move_type,
                          &recent, &stop_flag, null_done);
  }
  int Black(Position& p, int alpha, int beta, int depth, int ply, int in_check = 0) {
    return AlphaBetaBlack(in_check, p, alpha, beta, depth, ply, &nodes, current_line, best_line, QUIET, &recent,
                          &stop_flag, 0);
  }
  // Legal moves made by a search of one ply (plus its extensions) from the given ply.
  NodeCount NodesOfOnePly(const char* fen, int ply) {
    Position p = KeyedPosition(fen);
    nodes = 0;
    White(p, -INF_SCORE, INF_SCORE, ply + 1, ply);
    return nodes;
  }
  void ExpectPathLine(int length, int score) {
    EXPECT_EQ(best_line.length, length);
    EXPECT_EQ(best_line.score_move, score);
    for (int i = 0; i < length; ++i) EXPECT_EQ(best_line.moves[i], current_line.moves[i]) << i;
  }
  const RecentMoves recent = BuildRecentMoves("");
};

TEST_F(AlphaBeta, MatedSidesScoreByPly) {
  Position white_mated = KeyedPosition("7k/8/8/8/8/8/5PPP/r5K1 w - - 0 1");
  EXPECT_EQ(White(white_mated, -INF_SCORE, INF_SCORE, 5, 3, 1), -997000);
  ExpectPathLine(3, -997000);
  EXPECT_EQ(nodes, 0);

  Position black_mated = KeyedPosition("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");
  EXPECT_EQ(Black(black_mated, -INF_SCORE, INF_SCORE, 9, 7, 1), 993000);
  ExpectPathLine(7, 993000);

  // A mate in one found at ply 1 is a mate at ply 2, and the line holds the mating move.
  Position mate_in_one = KeyedPosition("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  EXPECT_EQ(White(mate_in_one, -INF_SCORE, INF_SCORE, 3, 1), 998000);
  EXPECT_EQ(best_line.length, 2);
  EXPECT_EQ(best_line.score_move, 998000);
  EXPECT_EQ(Text(best_line.moves[1]), "a1a8");
}

TEST_F(AlphaBeta, StalemateIsZeroAtAnyPly) {
  Position black = KeyedPosition("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
  EXPECT_EQ(Black(black, -INF_SCORE, INF_SCORE, 5, 3), 0);
  ExpectPathLine(3, 0);
  Position white = KeyedPosition("8/8/8/8/8/6k1/5q2/7K w - - 0 1");
  EXPECT_EQ(White(white, -INF_SCORE, INF_SCORE, 10, 8), 0);
  ExpectPathLine(8, 0);
}

TEST_F(AlphaBeta, AStoppedSearchReturnsZeroAndTouchesNothing) {
  Position p = KeyedPosition("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
  stop_flag = 1;
  EXPECT_EQ(White(p, -INF_SCORE, INF_SCORE, 4, 1), 0);
  EXPECT_EQ(Black(p, -INF_SCORE, INF_SCORE, 4, 1), 0);
  EXPECT_EQ(nodes, 0);
  EXPECT_EQ(best_line.length, 77);
  EXPECT_EQ(best_line.score_move, 4242);
}

TEST_F(AlphaBeta, AFirstCaptureIsSearchedDeeperNearTheRootOnly) {
  // Eleven legal moves, the first in order the capture Nxd5; Black has three replies to it.
  const char* fen = "7k/8/8/3p4/8/4N3/8/K7 w - - 0 1";
  for (int ply : {1, 2, 3}) EXPECT_EQ(NodesOfOnePly(fen, ply), 11 + 3) << "ply " << ply;
  for (int ply : {4, 5}) EXPECT_EQ(NodesOfOnePly(fen, ply), 11) << "ply " << ply;
}

TEST_F(AlphaBeta, AChecksExtensionEndsAtDepthTwentyOne) {
  // Seven legal moves, one of them the check Ng6+. Extended, its replies are searched too
  // (how many depends on the null window it gets).
  const char* fen = "7k/8/8/8/7N/8/8/K7 w - - 0 1";
  EXPECT_GT(NodesOfOnePly(fen, 2), 7);
  EXPECT_GT(NodesOfOnePly(fen, 19), 7);  // depth 20
  EXPECT_EQ(NodesOfOnePly(fen, 20), 7);  // depth 21
  EXPECT_EQ(NodesOfOnePly(fen, 30), 7);
}

TEST_F(AlphaBeta, ACapturingCheckIsExtendedOnce) {
  // Nxg6+ comes first and checks: the two extensions do not add up.
  const char* fen = "7k/8/6p1/8/7N/8/8/K7 w - - 0 1";
  EXPECT_EQ(NodesOfOnePly(fen, 1), 7 + 3);
  EXPECT_EQ(NodesOfOnePly(fen, 6), 7 + 3);
}

TEST_F(AlphaBeta, TheNullMoveCutsOffWithBetaAndRestoresEnPassant) {
  // A queen up: passing the move still scores above beta, before any move is made.
  const Position start = KeyedPosition("4k3/8/8/3pP3/8/8/8/3QK3 w - d6 0 1");
  ASSERT_EQ(start.ep_flag, 1);
  Position p = start;
  EXPECT_EQ(White(p, -100, 0, 5, 1), 0);
  EXPECT_EQ(nodes, 0);
  EXPECT_EQ(std::memcmp(&p, &start, sizeof p), 0);
  // The line is the one the null move's leaf left: the path to ply 5, whose plies 1 to 4 the
  // null move never wrote.
  ExpectPathLine(5, best_line.score_move);

  // No null move after a capture, in check, below another null move, or with three plies
  // or fewer to go: the moves are searched, and the score is fail-soft, above beta.
  const struct {
    int depth, in_check, prev_move_type, null_done;
  } cases[] = {{5, 0, CAPTURE, 0}, {5, 1, QUIET, 0}, {5, 0, QUIET, 1}, {4, 0, QUIET, 0}};
  for (const auto& c : cases) {
    nodes = 0;
    const int score = White(p, -100, 0, c.depth, 1, c.in_check, c.prev_move_type, c.null_done);
    EXPECT_GT(nodes, 0) << c.depth << c.in_check << c.prev_move_type << c.null_done;
    EXPECT_GT(score, 0);
    EXPECT_EQ(std::memcmp(&p, &start, sizeof p), 0);
  }
}

TEST_F(AlphaBeta, AQuietMoveThatRaisesTheBoundBecomesTheKiller) {
  // Kb1 is White's only legal move. The killer the node found moves to the secondary slot.
  const Move earlier = MakeMoveWord(QUEEN, 1, 2, QUIET, 0);
  killer_primary[5] = earlier;
  Position p = KeyedPosition("k7/8/8/8/8/8/2r5/K7 w - - 0 1");
  White(p, -INF_SCORE, INF_SCORE, 6, 5);
  EXPECT_EQ(nodes, 1);
  EXPECT_EQ(Text(killer_primary[5]), "a1b1");
  EXPECT_EQ(killer_secondary[5], earlier);
  EXPECT_TRUE(HashProbe(p.hash_key));
  // Raising the bound again with the same move fills both slots with it.
  White(p, -INF_SCORE, INF_SCORE, 6, 5);
  EXPECT_EQ(killer_secondary[5], killer_primary[5]);
  EXPECT_EQ(killer_primary[4], 0);
  EXPECT_EQ(killer_primary[6], 0);

  // Black's twin lowers beta with its only move, Kb8.
  Position q = KeyedPosition("k7/2R5/8/8/8/8/8/7K b - - 0 1");
  Black(q, -INF_SCORE, INF_SCORE, 4, 3);
  EXPECT_EQ(Text(killer_primary[3]), "a8b8");
  EXPECT_TRUE(HashProbe(q.hash_key));
}

TEST_F(AlphaBeta, ACaptureIsStoredButNeverAKiller) {
  // Kxb2 is White's only legal move.
  Position p = KeyedPosition("k7/8/8/8/8/8/1r6/K7 w - - 0 1");
  White(p, -INF_SCORE, INF_SCORE, 6, 5);
  EXPECT_EQ(nodes, 1);
  EXPECT_EQ(killer_primary[5], 0);
  EXPECT_EQ(killer_secondary[5], 0);
  EXPECT_TRUE(HashProbe(p.hash_key));
  MoveList list{};
  GenerateAllMoves(p, list);
  HashMoveToFront(list, p.hash_key);
  EXPECT_EQ(Text(list.moves[0]), "a1b2");
}

}  // namespace
