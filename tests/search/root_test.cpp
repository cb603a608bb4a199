// The root search: positions without a legal move, and the best root move kept in the table.
#include <gtest/gtest.h>

#include <string>

#include "search/search.h"
#include "tests/search/search_setup.h"
#include "uci/go_command.h"

namespace {

using search_test::KeyedPosition;
using search_test::SearchTest;
using search_test::Square;
using search_test::Text;

class Root : public SearchTest {
 protected:
  int Search(Position& p, int depth) {
    testing::internal::CaptureStdout();
    const int score = p.side_to_move == WHITE
                          ? SearchRootWhite(&best_from, &best_to, p, depth, &nodes, current_line, best_line, &recent,
                                            &stop_flag)
                          : SearchRootBlack(&best_from, &best_to, p, depth, &nodes, current_line, best_line, &recent,
                                            &stop_flag);
    output = testing::internal::GetCapturedStdout();
    return score;
  }
  const RecentMoves recent = BuildRecentMoves("");
  int best_from = 9, best_to = 17;
  std::string output;
};

TEST_F(Root, WithoutALegalMoveTheSquaresStayAndTheLineIsEmpty) {
  const struct {
    const char* fen;
    int score;
  } cases[] = {{"7k/8/8/8/8/8/5PPP/r5K1 w - - 0 1", -1000000},
               {"R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", 1000000},
               {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 0},
               {"8/8/8/8/8/6k1/5q2/7K w - - 0 1", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fen);
    best_line.length = 5;
    Position p = KeyedPosition(c.fen);
    EXPECT_EQ(Search(p, 3), c.score);
    EXPECT_EQ(best_line.length, 0);
    EXPECT_EQ(best_line.score_move, c.score);
    EXPECT_EQ(best_from, 9);
    EXPECT_EQ(best_to, 17);
    EXPECT_EQ(nodes, 0);
    EXPECT_EQ(output, "");
  }
}

TEST_F(Root, TheBestRootMoveIsStoredAndSearchedFirstNextTime) {
  Position p = KeyedPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  const int first = Search(p, 1);
  const std::string best = Text(best_line.moves[0]);
  ASSERT_NE(output.substr(0, output.find('\n')), "info currmove " + best + " currmovenumber 1 depth 1");
  EXPECT_EQ(best_from, Square(best.c_str()));
  EXPECT_EQ(best_to, Square(best.c_str() + 2));
  EXPECT_EQ(best_line.score_move, first);
  EXPECT_TRUE(HashProbe(p.hash_key));
  Search(p, 2);
  EXPECT_EQ(output.substr(0, output.find('\n')), "info currmove " + best + " currmovenumber 1 depth 2");
}

}  // namespace
