#include "eval/evaluate.h"

#include <gtest/gtest.h>

#include "tests/eval/fen_position.h"

namespace {

int Eval(const std::string& fen) { return EvaluatePosition(FromFen(fen)); }

TEST(Evaluate, StartPositionIsLevel) {
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 0);
}

TEST(Evaluate, KingPawnAdvanceScoresPawnAndBishopMobility) {
  // +30 for the pawn on e4, +8 for the f1 bishop's four extra squares counted for both bishops.
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"), 38);
}

TEST(Evaluate, EmptyBoardIsZero) { EXPECT_EQ(EvaluatePosition(Position{}), 0); }

TEST(Evaluate, OpponentMaterialOf1500SelectsTheEndgame) {
  // Black holds queen and rook (1500): White's king reads the endgame table (b2 105, a1 100)
  // and the a5 pawn the endgame pawn table (20).
  EXPECT_EQ(Eval("6rq/8/7k/P7/8/8/1K6/8 w - - 0 1"), -189);
  EXPECT_EQ(Eval("6rq/8/7k/P7/8/8/8/K7 w - - 0 1"), -194);
  // Queen and two bishops (1600): no king table, and the middlegame pawn table (5).
  EXPECT_EQ(Eval("5bbq/8/7k/P7/8/8/1K6/8 w - - 0 1"), -413);
  EXPECT_EQ(Eval("5bbq/8/7k/P7/8/8/8/K7 w - - 0 1"), -413);
}

TEST(Evaluate, EachSidesPhaseFollowsTheOpponentsMaterial) {
  // White keeps 3200, Black only a rook: White's king and pawns play by the endgame tables,
  // Black's king by the middlegame rules (castled-rook bonus -50, shelter).
  const std::string base = "5rk1/5ppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1";
  EXPECT_EQ(Eval(base), 620);
  // g7-g6 opens one shelter square (+20); the middlegame pawn table gives g6 nothing.
  EXPECT_EQ(Eval("5rk1/5p1p/6p1/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1"), 640);
  // e2-e4: the endgame pawn table gives 10 (not 30), the f1 bishop gains 4 squares (+8).
  EXPECT_EQ(Eval("5rk1/5ppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQ - 0 1"), 638);
}

TEST(Evaluate, CastledRookBonus) {
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/R2Q1RK1 w kq - 0 1"), -311);
  // The same king with the rook still on h1: no bonus, and the rook's mobility falls from 4 to 2.
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/R2Q2KR w kq - 0 1"), -365);
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/2KRQ2R w kq - 0 1"), -311);
  // Black's bonus counts against White: the mirror of the first position.
  EXPECT_EQ(Eval("r2q1rk1/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1"), 311);
}

TEST(Evaluate, PawnTablesAreReadThroughAHalfTurn) {
  EXPECT_EQ(Eval("rnbqkbnr/pp1ppppp/8/2p5/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), -10);
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/5P2/8/PPPPP1PP/RNBQKBNR w KQkq - 0 1"), 10);
  EXPECT_EQ(Eval("rnbqkbnr/pppppppp/8/8/2P5/8/PP1PPPPP/RNBQKBNR w KQkq - 0 1"), 0);
  // f7-f5 reads 0 from the table but empties f7, a shelter square of the e8 king.
  EXPECT_EQ(Eval("rnbqkbnr/ppppp1pp/8/5p2/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), 20);
}

TEST(Evaluate, DoubledPawnsCostTwentyPerFile) {
  // Kings and pawns only: e1 and e8 cancel, pawns read the endgame table (a3 5, a4 10).
  EXPECT_EQ(Eval("4k3/8/8/8/8/P7/P7/4K3 w - - 0 1"), 5 - 20);
  EXPECT_EQ(Eval("4k3/8/8/8/P7/P7/P7/4K3 w - - 0 1"), 15 - 20);
  EXPECT_EQ(Eval("4k3/8/8/8/8/P6P/P6P/4K3 w - - 0 1"), 10 - 40);
  EXPECT_EQ(Eval("4k3/p7/p7/8/8/8/8/4K3 w - - 0 1"), -5 + 20);
}

TEST(Evaluate, MobilityTotalIsAddedOncePerPiece) {
  // Two rooks of 14 squares each: 2 x 28, tables 200, d5 tropism to h8 1.
  EXPECT_EQ(Eval("7k/8/8/3R4/R7/8/8/7K w - - 0 1"), 257);
  EXPECT_EQ(Eval("7k/8/8/3R4/8/8/8/7K w - - 0 1"), 115);
  // Two bishops of 7 and 13 squares: 2 x 20, tables 90 + 115.
  EXPECT_EQ(Eval("7k/8/8/3B4/B7/8/8/7K w - - 0 1"), 245);
  EXPECT_EQ(Eval("7K/8/8/3b4/b7/8/8/7k w - - 0 1"), -245);
}

TEST(Evaluate, MissingKingSkipsItsTerms) {
  // No Black king: White's king reads 100, the rook 11 squares and its table, no tropism.
  EXPECT_EQ(Eval("8/8/8/8/8/8/8/R3K3 w - - 0 1"), 211);
  // No White king: Black's king -100, the rook 14 squares and its table.
  EXPECT_EQ(Eval("4k3/8/8/8/8/8/8/r7 w - - 0 1"), -214);
}

TEST(Evaluate, BlackKingOnTheFirstRankReadsNothingOffTheBoard) {
  // Middlegame Black king on a1: all three shelter squares lie off the board and count as
  // empty (+60). White's pawns on rank 7 read the endgame table (8 x 100).
  EXPECT_EQ(Eval("RNBQKBNR/PPPPPPPP/8/8/8/8/8/k7 w - - 0 1"), 1637);
}

}  // namespace
