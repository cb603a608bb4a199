#include "board/attacks.h"

#include <gtest/gtest.h>

#include "tests/board/test_positions.h"

namespace {

using board_test::PositionFromFen;
using board_test::Square;

int WhiteKing(const char* fen) { return WhiteKingAttacked(PositionFromFen(fen)); }
int BlackKing(const char* fen) { return BlackKingAttacked(PositionFromFen(fen)); }

TEST(KingAttacked, SlidersUpToTheNearestPiece) {
  EXPECT_EQ(WhiteKing("4r2k/8/8/8/8/8/8/4K3 w - - 0 1"), ROOK);
  EXPECT_EQ(WhiteKing("4r2k/8/8/8/4N3/8/8/4K3 w - - 0 1"), 0);
  EXPECT_EQ(WhiteKing("4r2k/8/8/8/4p3/8/8/4K3 w - - 0 1"), 0);
  EXPECT_EQ(WhiteKing("7k/8/8/q7/8/8/8/4K3 w - - 0 1"), QUEEN);
  EXPECT_EQ(WhiteKing("7k/8/8/q7/8/8/3P4/4K3 w - - 0 1"), 0);
  // A rook on a diagonal and a bishop on a file attack nothing.
  EXPECT_EQ(WhiteKing("7k/8/8/r7/8/8/8/4K3 w - - 0 1"), 0);
  EXPECT_EQ(WhiteKing("4b2k/8/8/8/8/8/8/4K3 w - - 0 1"), 0);
  EXPECT_EQ(BlackKing("4k3/8/8/8/B7/8/8/4K3 b - - 0 1"), BISHOP);
  EXPECT_EQ(BlackKing("4k3/8/8/8/8/8/8/R3K3 b - - 0 1"), 0);
}

TEST(KingAttacked, KnightsKingsAndPawns) {
  EXPECT_EQ(BlackKing("4k3/8/5N2/8/8/8/8/K7 b - - 0 1"), KNIGHT);
  EXPECT_EQ(BlackKing("4k3/4K3/8/8/8/8/8/8 b - - 0 1"), KING);
  EXPECT_EQ(WhiteKing("7k/8/8/3p4/4K3/8/8/8 w - - 0 1"), PAWN);
  EXPECT_EQ(WhiteKing("7k/8/8/4p3/4K3/8/8/8 w - - 0 1"), 0);
  EXPECT_EQ(BlackKing("8/8/8/4k3/3P4/8/8/K7 b - - 0 1"), PAWN);
  EXPECT_EQ(BlackKing("8/8/8/4k3/4P3/8/8/K7 b - - 0 1"), 0);
}

TEST(KingAttacked, PawnTestsDoNotWrapAcrossFiles) {
  EXPECT_EQ(WhiteKing("7k/8/8/8/K6p/8/8/8 w - - 0 1"), 0);
  EXPECT_EQ(WhiteKing("7k/8/p7/8/7K/8/8/8 w - - 0 1"), 0);
  EXPECT_EQ(BlackKing("8/8/8/8/8/k7/8/7P w - - 0 1"), 0);
  EXPECT_EQ(BlackKing("8/8/8/8/8/P6k/8/K7 w - - 0 1"), 0);
}

// On rank 8 the squares in front of the white king lie beyond the square array, where the
// record keeps its other fields (here a black castling right of 1, which reads like a pawn).
TEST(KingAttacked, WhiteKingOnTheLastRankSkipsThePawnTest) {
  const Position p = PositionFromFen("r3k2K/8/8/8/8/8/8/8 w q - 0 1");
  ASSERT_EQ(p.castle_bq, 1);
  EXPECT_EQ(WhiteKingAttacked(p), 0);
}

// The black king's pawn test starts at g2 (14): from a2..f2 a white pawn on rank 1 goes unseen.
TEST(KingAttacked, BlackPawnTestStartsAtSquare14) {
  EXPECT_EQ(BlackKing("7K/8/8/8/8/8/6k1/5P2 b - - 0 1"), PAWN);
  EXPECT_EQ(BlackKing("7K/8/8/8/8/8/6k1/7P b - - 0 1"), PAWN);
  EXPECT_EQ(BlackKing("7K/8/8/8/8/8/7k/6P1 b - - 0 1"), PAWN);
  EXPECT_EQ(BlackKing("7K/8/8/8/8/8/1k6/P7 b - - 0 1"), 0);
  EXPECT_EQ(BlackKing("7K/8/8/8/8/8/5k2/4P3 b - - 0 1"), 0);
}

// White looks up, left, down, right, then up-right, up-left, down-left, down-right; Black looks
// up, down, left, right, then down-right, up-right, up-left, down-left. With two attackers the
// first ray in that order names the kind.
TEST(KingAttacked, EachColourHasItsOwnRayOrder) {
  // Queen to the left, rook below.
  EXPECT_EQ(WhiteKing("7k/8/8/8/q3K3/8/8/4r3 w - - 0 1"), QUEEN);
  EXPECT_EQ(BlackKing("7K/8/8/8/Q3k3/8/8/4R3 b - - 0 1"), ROOK);
  // Bishop up-right, queen down-right.
  EXPECT_EQ(WhiteKing("7k/8/6b1/8/4K3/8/6q1/8 w - - 0 1"), BISHOP);
  EXPECT_EQ(BlackKing("7K/8/6B1/8/4k3/8/6Q1/8 b - - 0 1"), QUEEN);
  // Queen down-left, bishop down-right.
  EXPECT_EQ(WhiteKing("7k/8/8/8/4K3/8/2q3b1/8 w - - 0 1"), QUEEN);
  EXPECT_EQ(BlackKing("7K/8/8/8/4k3/8/2Q3B1/8 b - - 0 1"), BISHOP);
  // Rays before knights, knights before kings and pawns.
  EXPECT_EQ(WhiteKing("7k/8/6q1/8/4K2r/8/8/8 w - - 0 1"), ROOK);
  EXPECT_EQ(WhiteKing("4r2k/8/8/8/8/3n4/8/4K3 w - - 0 1"), ROOK);
  EXPECT_EQ(WhiteKing("8/8/5n2/3pk3/4K3/8/8/8 w - - 0 1"), KNIGHT);
  EXPECT_EQ(BlackKing("8/8/8/4k3/3PK3/8/8/8 b - - 0 1"), KING);
}

TEST(KingAttacked, NoKingOfTheTestedColour) {
  EXPECT_EQ(WhiteKing("r6q/8/8/8/8/8/8/8 w - - 0 1"), 0);
  EXPECT_EQ(BlackKing("R6Q/8/8/8/8/8/8/8 b - - 0 1"), 0);
  EXPECT_EQ(WhiteKingAttacked(Position{}), 0);
  EXPECT_EQ(BlackKingAttacked(Position{}), 0);
}

void Place(Position& p, Colour colour, int kind, int s) {
  (colour == WHITE ? p.white_board : p.black_board)[s] = kind;
  (colour == WHITE ? p.white_by_kind : p.black_by_kind)[kind] |= Bitboard{1} << s;
  (colour == WHITE ? p.white_occupied : p.black_occupied) |= Bitboard{1} << s;
  p.occupied |= Bitboard{1} << s;
}

// The yes-or-no tests must agree with the ordered ones everywhere, pawn rules included: every
// king square against every single attacker on every square, with and without a piece of the
// king's colour on the square next to the king towards the attacker.
TEST(KingInCheck, AgreesWithTheOrderedTestsForEveryLoneAttacker) {
  for (const Colour king_colour : {WHITE, BLACK}) {
    const Colour attacker_colour = king_colour == WHITE ? BLACK : WHITE;
    for (int k = 0; k < 64; ++k) {
      for (int kind = PAWN; kind <= KING; ++kind) {
        for (int a = 0; a < 64; ++a) {
          if (a == k) continue;
          for (const bool blocked : {false, true}) {
            Position p{};
            Place(p, king_colour, KING, k);
            Place(p, attacker_colour, kind, a);
            if (blocked) {
              const int step_file = (FileOf(a) > FileOf(k)) - (FileOf(a) < FileOf(k));
              const int step_rank = (RankOf(a) > RankOf(k)) - (RankOf(a) < RankOf(k));
              const int b = k + step_file + 8 * step_rank;
              if (b == a) continue;
              Place(p, king_colour, KNIGHT, b);
            }
            if (king_colour == WHITE) {
              ASSERT_EQ(WhiteKingInCheck(p), WhiteKingAttacked(p) != 0) << k << " " << kind << " " << a;
            } else {
              ASSERT_EQ(BlackKingInCheck(p), BlackKingAttacked(p) != 0) << k << " " << kind << " " << a;
            }
          }
        }
      }
    }
  }
}

TEST(KingInCheck, AgreesWithTheOrderedTestsAlongThePerftTrees) {
  board_test::VisitPerftTrees(2, [](const Position& q) {
    ASSERT_EQ(WhiteKingInCheck(q), WhiteKingAttacked(q) != 0);
    ASSERT_EQ(BlackKingInCheck(q), BlackKingAttacked(q) != 0);
  });
  if (HasFatalFailure()) return;
  EXPECT_FALSE(WhiteKingInCheck(Position{}));
  EXPECT_FALSE(BlackKingInCheck(Position{}));
}

TEST(SquareAttacked, CastlingSquaresOfBothSides) {
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("4k3/8/b7/8/8/8/8/4K3 w - - 0 1"), Square("f1")), BISHOP);
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("4k3/8/b7/8/8/8/4P3/4K3 w - - 0 1"), Square("f1")), 0);
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("4k3/8/8/8/8/8/6p1/4K3 w - - 0 1"), Square("f1")), PAWN);
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("3rk3/8/8/8/8/8/8/4K3 w - - 0 1"), Square("d1")), ROOK);
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("4k3/8/8/8/8/4n3/8/4K3 w - - 0 1"), Square("d1")), KNIGHT);
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("4k3/8/8/8/8/8/2k5/4K3 w - - 0 1"), Square("d1")), KING);
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("4k3/8/8/8/8/8/8/q3K3 w - - 0 1"), Square("c1")), QUEEN);
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("4k3/8/8/8/8/8/8/q2PK3 w - - 0 1"), Square("c1")), QUEEN);
  EXPECT_EQ(SquareAttackedByBlack(PositionFromFen("4k3/8/8/8/8/8/8/q2PK3 w - - 0 1"), Square("e1")), 0);
  EXPECT_EQ(SquareAttackedByWhite(PositionFromFen("4k3/8/8/8/8/B7/8/4K3 b - - 0 1"), Square("f8")), BISHOP);
  EXPECT_EQ(SquareAttackedByWhite(PositionFromFen("4k3/6P1/8/8/8/8/8/4K3 b - - 0 1"), Square("f8")), PAWN);
  EXPECT_EQ(SquareAttackedByWhite(PositionFromFen("4k3/8/8/8/8/8/8/2R1K3 b - - 0 1"), Square("c8")), ROOK);
  EXPECT_EQ(SquareAttackedByWhite(PositionFromFen("4k3/8/5N2/8/8/8/8/4K3 b - - 0 1"), Square("g8")), KNIGHT);
  EXPECT_EQ(SquareAttackedByWhite(PositionFromFen("4k2R/8/8/8/8/8/8/4K3 b - - 0 1"), Square("g8")), ROOK);
  EXPECT_EQ(SquareAttackedByWhite(PositionFromFen("4k3/8/8/8/8/8/8/4K3 b - - 0 1"), Square("d8")), 0);
}

}  // namespace
