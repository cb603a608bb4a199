// The horizon of the search: half the static evaluation plus the capture search, and the
// to-and-fro of the game's last moves scored as a draw.
#include <gtest/gtest.h>

#include <cstring>

#include "eval/evaluate.h"
#include "search/search.h"
#include "tests/search/search_setup.h"
#include "uci/go_command.h"

namespace {

using search_test::KeyedPosition;
using search_test::Play;
using search_test::SearchTest;
using search_test::Text;

constexpr char START[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

class Leaf : public SearchTest {
 protected:
  const RecentMoves no_game = BuildRecentMoves("");
};

bool HasCapture(const Position& p, int colour) {
  MoveList list{};
  if (colour == WHITE) GenerateCapturesWhite(p, list);
  else GenerateCapturesBlack(p, list);
  return list.count != 0;
}

TEST_F(Leaf, WithoutCapturesItIsHalfTheEvaluationPlusMaterialWhateverTheWindow) {
  const struct {
    const char* fen;
    int colour;
  } cases[] = {{"r3k3/8/8/8/8/8/8/4K3 w - - 0 1", WHITE}, {"4k3/8/8/8/8/8/8/R3K3 b - - 0 1", BLACK}};
  const int windows[][2] = {{-INF_SCORE, INF_SCORE}, {0, 1}, {-20000, -19999}, {20000, 20001}, {-600, -500}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fen);
    Position p = KeyedPosition(c.fen);
    ASSERT_FALSE(HasCapture(p, c.colour));
    const int e = EvaluatePosition(p);
    // An odd evaluation shows the rounding: toward zero, so -111 halves to -55, not -56.
    ASSERT_NE(e % 2, 0);
    const int half = e > 0 ? (e - 1) / 2 : (e + 1) / 2;
    for (const auto& w : windows) {
      const int score = c.colour == WHITE ? LeafWhite(p, best_line, w[0], w[1], 3, current_line, &no_game, &stop_flag)
                                          : LeafBlack(p, best_line, w[0], w[1], 3, current_line, &no_game, &stop_flag);
      EXPECT_EQ(score, half + MaterialBalance(p)) << w[0] << ".." << w[1];
      EXPECT_EQ(best_line.score_move, score);
      EXPECT_EQ(best_line.length, 3);
    }
  }
}

TEST_F(Leaf, TheLeafScoreAddsHalfTheEvaluationToTheCaptureSearch) {
  Position p = KeyedPosition("4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1");
  const int half = EvaluatePosition(p) / 2;
  PVLine q_line{};
  const int q = QuiesceWhite(p, -INF_SCORE - half, INF_SCORE - half, 1, current_line, q_line);
  EXPECT_EQ(q, 1100);
  EXPECT_EQ(LeafWhite(p, best_line, -INF_SCORE, INF_SCORE, 1, current_line, &no_game, &stop_flag), half + q);
  EXPECT_EQ(best_line.length, 2);
  EXPECT_EQ(Text(best_line.moves[1]), "d1d5");
  EXPECT_EQ(best_line.score_move, half + q);
}

TEST_F(Leaf, RepeatingTheGamesToAndFroIsADraw) {
  const RecentMoves game = BuildRecentMoves("g1f3 g8f6 f3g1 f6g8");
  Position p = KeyedPosition(START);
  current_line.moves[0] = Play(p, WHITE, "g1f3");
  EXPECT_EQ(LeafBlack(p, best_line, -INF_SCORE, INF_SCORE, 1, current_line, &game, &stop_flag), 0);
  EXPECT_EQ(best_line.length, 1);
  EXPECT_EQ(best_line.score_move, 0);
  EXPECT_EQ(best_line.moves[0], current_line.moves[0]);

  // Every leaf below the root move is a draw, whatever is played after it.
  current_line.moves[1] = Play(p, BLACK, "e7e5");
  current_line.moves[2] = Play(p, WHITE, "f3e5");
  EXPECT_EQ(LeafBlack(p, best_line, -INF_SCORE, INF_SCORE, 3, current_line, &game, &stop_flag), 0);
  EXPECT_EQ(best_line.length, 3);

  // The same position under another game's moves is scored as usual.
  EXPECT_NE(LeafBlack(p, best_line, -INF_SCORE, INF_SCORE, 3, current_line, &no_game, &stop_flag), 0);
}

TEST_F(Leaf, OnlyTheRootMoveThatStartsTheRoundAgainIsADraw) {
  const RecentMoves game = BuildRecentMoves("g1f3 g8f6 f3g1 f6g8");
  Position p = KeyedPosition(START);
  current_line.moves[0] = Play(p, WHITE, "g1h3");
  ASSERT_FALSE(HasCapture(p, BLACK));
  EXPECT_EQ(LeafBlack(p, best_line, -INF_SCORE, INF_SCORE, 1, current_line, &game, &stop_flag),
            EvaluatePosition(p) / 2);
  EXPECT_NE(EvaluatePosition(p) / 2, 0);

  // The moves must go out and back: four different knight moves are no to-and-fro.
  const RecentMoves travel = BuildRecentMoves("g1f3 g8f6 b1c3 b8c6");
  p = KeyedPosition(START);
  current_line.moves[0] = Play(p, WHITE, "g1f3");
  EXPECT_EQ(LeafBlack(p, best_line, -INF_SCORE, INF_SCORE, 1, current_line, &travel, &stop_flag),
            EvaluatePosition(p) / 2);
}

TEST_F(Leaf, AWholeSubtreeBelowTheRepeatingRootMoveScoresZero) {
  const RecentMoves game = BuildRecentMoves("b1c3 b8c6 c3b1 c6b8");
  Position p = KeyedPosition(START);
  current_line.moves[0] = Play(p, WHITE, "b1c3");
  const Position after = p;
  EXPECT_EQ(AlphaBetaBlack(0, p, -INF_SCORE, INF_SCORE, 3, 1, &nodes, current_line, best_line, QUIET, &game,
                           &stop_flag, 0),
            0);
  EXPECT_EQ(std::memcmp(&p, &after, sizeof p), 0);
  EXPECT_GT(nodes, 20);
}

}  // namespace
