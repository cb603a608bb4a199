// The capture search: material counts, stand-pat bounds, exchanges, king captures and the
// line it leaves behind.
#include <gtest/gtest.h>

#include <cstring>

#include "search/search.h"
#include "tests/search/search_setup.h"

namespace {

using search_test::KeyedPosition;
using search_test::SearchTest;
using search_test::Text;

TEST(MaterialBalance, CountsEachKindFromWhitesSide) {
  EXPECT_EQ(MaterialBalance(KeyedPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1")), 0);
  EXPECT_EQ(MaterialBalance(KeyedPosition("4k3/8/8/8/8/8/8/4K3 w - - 0 1")), 0);
  EXPECT_EQ(MaterialBalance(KeyedPosition("4k3/8/8/8/8/8/8/4K2R w K - 0 1")), 500);
  EXPECT_EQ(MaterialBalance(KeyedPosition("4k3/qrbnp3/8/8/8/8/8/4K3 w - - 0 1")), -2300);
  EXPECT_EQ(MaterialBalance(KeyedPosition("4k3/8/8/8/8/8/PPPPPPPP/QQ2K3 w - - 0 1")), 3000);
  // A missing king costs its whole value; a second king adds nothing.
  EXPECT_EQ(MaterialBalance(KeyedPosition("4k3/8/8/8/8/8/8/Q7 w - - 0 1")), 1100 - 90000);
  EXPECT_EQ(MaterialBalance(KeyedPosition("4k3/8/8/8/8/8/8/K6K w - - 0 1")), 0);
}

class Quiescence : public SearchTest {
 protected:
  // Two earlier plies on the path, so that lines can be told from the path.
  void SetUp() override {
    SearchTest::SetUp();
    current_line.moves[0] = MakeMoveWord(KNIGHT, 6, 21, QUIET, 0);
    current_line.moves[1] = MakeMoveWord(KNIGHT, 62, 45, QUIET, 0);
    best_line.length = 99;
    best_line.score_move = 12345;
  }
  void ExpectPathLine(int length, int score) {
    EXPECT_EQ(best_line.length, length);
    EXPECT_EQ(best_line.score_move, score);
    for (int i = 0; i < 2 && i < length; ++i) EXPECT_EQ(best_line.moves[i], current_line.moves[i]) << i;
  }
  void ExpectUntouched() {
    EXPECT_EQ(best_line.length, 99);
    EXPECT_EQ(best_line.score_move, 12345);
  }
};

TEST_F(Quiescence, TakesAFreePieceAndKeepsTheCaptureInTheLine) {
  Position p = KeyedPosition("4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1");
  const Position before = p;
  EXPECT_EQ(QuiesceWhite(p, -INF_SCORE, INF_SCORE, 2, current_line, best_line), 1100);
  ExpectPathLine(3, 1100);
  EXPECT_EQ(Text(best_line.moves[2]), "d1d5");
  EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
}

TEST_F(Quiescence, StandsPatRatherThanLoseTheQueenForAPawn) {
  Position p = KeyedPosition("4k3/4p3/3p4/8/8/8/8/3QK3 w - - 0 1");
  EXPECT_EQ(QuiesceWhite(p, -INF_SCORE, INF_SCORE, 2, current_line, best_line), 900);
  ExpectPathLine(2, 900);
  // Black's side of the same exchange: the queen taken back ends a pawn down for White.
  p = KeyedPosition("3qk3/8/8/8/8/3P4/4P3/4K3 b - - 0 1");
  EXPECT_EQ(QuiesceBlack(p, -INF_SCORE, INF_SCORE, 2, current_line, best_line), -900);
  ExpectPathLine(2, -900);
}

TEST_F(Quiescence, ScoresOfStandPatAreFailSoft) {
  Position p = KeyedPosition("4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1");
  // Material 1000 at once reaches beta: the stand-pat score, not beta, is returned.
  EXPECT_EQ(QuiesceWhite(p, -50, 10, 2, current_line, best_line), 1000);
  ExpectPathLine(2, 1000);
  p = KeyedPosition("3qk3/8/8/3P4/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(QuiesceBlack(p, -10, 50, 2, current_line, best_line), -1000);
  ExpectPathLine(2, -1000);
}

// Below alpha even after its best capture, the side to move fails low with that capture's line:
// the reply stands pat at once, one ply deeper.
TEST_F(Quiescence, FailingLowKeepsTheLineOfTheBestCapture) {
  Position p = KeyedPosition("4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1");
  const Position before = p;
  EXPECT_EQ(QuiesceWhite(p, 5000, 6000, 2, current_line, best_line), 1100);
  ExpectPathLine(3, 1100);
  EXPECT_EQ(Text(best_line.moves[2]), "d1d5");
  EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
  p = KeyedPosition("3qk3/8/8/3P4/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(QuiesceBlack(p, -6000, -5000, 2, current_line, best_line), -1100);
  ExpectPathLine(3, -1100);
  EXPECT_EQ(Text(best_line.moves[2]), "d8d5");
}

// Failing low, the line takes the first capture in order that gains the most: of two equal
// captures the one generated first, and a promotion over a capture that comes before it.
TEST_F(Quiescence, FailingLowTakesTheFirstOfTheLargestGains) {
  struct Case {
    const char* fen;
    int score;
    const char* move;
  };
  const Case cases[] = {{"4k3/8/8/8/4r3/2N3N1/8/4K3 w - - 0 1", 600, "c3e4"},
                        {"4k3/8/2n3n1/4R3/8/8/8/4K3 b - - 0 1", -600, "c6e5"},
                        {"4k3/P7/8/3p4/8/8/8/3QK3 w - - 0 1", 2100, "a7a8q"},
                        {"3qk3/8/8/8/3P4/8/p7/4K3 b - - 0 1", -2100, "a2a1q"}};
  for (const Case& c : cases) {
    Position p = KeyedPosition(c.fen);
    const int score = p.side_to_move == WHITE ? QuiesceWhite(p, 5000, 6000, 2, current_line, best_line)
                                              : QuiesceBlack(p, -6000, -5000, 2, current_line, best_line);
    EXPECT_EQ(score, c.score) << c.fen;
    ExpectPathLine(3, c.score);
    EXPECT_EQ(Text(best_line.moves[2]), c.move) << c.fen;
  }
}

TEST_F(Quiescence, AnEmptyWindowReturnsItsBoundUntouched) {
  Position p = KeyedPosition("4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1");
  EXPECT_EQ(QuiesceWhite(p, 70, 70, 2, current_line, best_line), 70);
  EXPECT_EQ(QuiesceWhite(p, 80, 60, 2, current_line, best_line), 80);
  ExpectUntouched();
  EXPECT_EQ(QuiesceBlack(p, 80, 60, 2, current_line, best_line), 60);
  ExpectUntouched();
}

TEST_F(Quiescence, TakingTheKingScoresAMateAtThisPly) {
  // White's rook sees the black king: the capture ends the line before it is written.
  Position p = KeyedPosition("4k3/8/8/8/8/8/8/4R1K1 w - - 0 1");
  EXPECT_EQ(QuiesceWhite(p, -INF_SCORE, INF_SCORE, 3, current_line, best_line), 1000000 - 3000);
  ExpectPathLine(3, 997000);
  p = KeyedPosition("4r1k1/8/8/8/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(QuiesceBlack(p, -INF_SCORE, INF_SCORE, 5, current_line, best_line), 5000 - 1000000);
  ExpectPathLine(5, -995000);
}

TEST_F(Quiescence, AKingLeftInCheckIsTakenOneLevelDown) {
  // White's only capture, Rxd7, is made although it leaves the king open to the bishop on b4;
  // Black then takes the king at the next ply.
  Position p = KeyedPosition("7k/3n4/8/8/1b6/8/3R4/4K3 w - - 0 1");
  const Position before = p;
  MoveList list{};
  GenerateCapturesWhite(p, list);
  ASSERT_EQ(list.count, 1);
  UndoRecord undo{};
  MakeMoveWhite(p, list, 0, undo);
  current_line.moves[2] = list.moves[0];
  EXPECT_EQ(QuiesceBlack(p, -INF_SCORE, INF_SCORE, 3, current_line, best_line), 3000 - 1000000);
  ExpectPathLine(3, -997000);
  UnmakeMoveWhite(p, list, 0, undo);
  EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
  // From White's node the king loss is below its stand-pat score, which it keeps.
  EXPECT_EQ(QuiesceWhite(p, -INF_SCORE, INF_SCORE, 2, current_line, best_line), -100);
}

TEST_F(Quiescence, TheDeepestPlyOfTheLineStandsPat) {
  Position p = KeyedPosition("4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1");
  for (int i = 0; i < PV_CAPACITY; ++i) current_line.moves[i] = current_line.moves[i % 2];
  EXPECT_EQ(QuiesceWhite(p, -INF_SCORE, INF_SCORE, MAX_PLY - 1, current_line, best_line), 1100);
  EXPECT_EQ(best_line.length, MAX_PLY);
  EXPECT_EQ(Text(best_line.moves[MAX_PLY - 1]), "d1d5");
  EXPECT_EQ(QuiesceWhite(p, -INF_SCORE, INF_SCORE, MAX_PLY, current_line, best_line), 1000);
  EXPECT_EQ(best_line.length, MAX_PLY);
}

}  // namespace
