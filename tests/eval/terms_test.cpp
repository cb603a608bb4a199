#include "eval/terms.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/eval/fen_position.h"

namespace {

constexpr const char* START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

int Sq(const char* name) { return (name[0] - 'a') + 8 * (name[1] - '1'); }

TEST(Mobility, StartPositionEverySliderReachesTwoSquares) {
  const Position p = FromFen(START);
  EXPECT_EQ(RookMobilityWhite(p), 4);
  EXPECT_EQ(RookMobilityBlack(p), 4);
  EXPECT_EQ(BishopMobilityWhite(p), 4);
  EXPECT_EQ(BishopMobilityBlack(p), 4);
}

TEST(Mobility, KingPawnOpensTheKingsBishop) {
  const Position p = FromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  EXPECT_EQ(BishopMobilityWhite(p), 8);
  EXPECT_EQ(BishopMobilityBlack(p), 4);
}

TEST(Mobility, RookCountsFirstBlockerOfEitherColour) {
  EXPECT_EQ(RookMobilityWhite(FromFen("7k/8/8/8/3R4/8/8/7K w - - 0 1")), 14);
  // Enemy pawn on d6 and own pawn on f4 both count as reached; nothing beyond them does.
  EXPECT_EQ(RookMobilityWhite(FromFen("7k/8/3p4/8/3R1P2/8/8/7K w - - 0 1")), 10);
  EXPECT_EQ(RookMobilityBlack(FromFen("7k/8/3P4/8/3r1p2/8/8/7K w - - 0 1")), 10);
  EXPECT_EQ(RookMobilityBlack(FromFen("7k/8/8/8/3R4/8/8/7K w - - 0 1")), 0);
}

TEST(Mobility, TotalCoversEveryPieceOfTheKind) {
  // a4 reaches 14 and d5 reaches 14.
  EXPECT_EQ(RookMobilityWhite(FromFen("7k/8/8/3R4/R7/8/8/7K w - - 0 1")), 28);
  // a4 reaches 7, d5 reaches 13 (h1 holds the king and counts).
  EXPECT_EQ(BishopMobilityWhite(FromFen("7k/8/8/3B4/B7/8/8/7K w - - 0 1")), 20);
  EXPECT_EQ(BishopMobilityBlack(FromFen("7K/8/8/3b4/b7/8/8/7k w - - 0 1")), 20);
}

TEST(Mobility, DiagonalsDoNotWrapAcrossTheEdge) {
  EXPECT_EQ(BishopMobilityWhite(FromFen("k7/8/8/8/8/8/8/B6K w - - 0 1")), 7);  // b2..h8
  EXPECT_EQ(BishopMobilityWhite(FromFen("k6K/8/8/8/B7/8/8/8 w - - 0 1")), 7);  // a4: b5..e8 and b3..d1
}

TEST(Tropism, SevenDivManhattanDistance) {
  EXPECT_EQ(KingTropism(Sq("f6"), Sq("g8")), 2);
  EXPECT_EQ(KingTropism(Sq("d1"), Sq("e8")), 0);
  EXPECT_EQ(KingTropism(Sq("f8"), Sq("g8")), 7);
  EXPECT_EQ(KingTropism(Sq("f7"), Sq("g8")), 3);   // a diagonal step is distance 2
  EXPECT_EQ(KingTropism(Sq("g7"), Sq("g8")), 7);
  EXPECT_EQ(KingTropism(Sq("g6"), Sq("g8")), 3);
  EXPECT_EQ(KingTropism(Sq("e6"), Sq("g8")), 1);   // distance 4
  EXPECT_EQ(KingTropism(Sq("a7"), Sq("g8")), 1);   // distance 7
  EXPECT_EQ(KingTropism(Sq("a1"), Sq("h8")), 0);   // distance 14
  // Neighbouring square numbers across the board edge are far apart.
  EXPECT_EQ(KingTropism(Sq("h1"), Sq("a2")), 0);
  EXPECT_EQ(KingTropism(Sq("a2"), Sq("h1")), 0);
}

TEST(Tropism, SumOverPiecesAddsEachPiecesTropism) {
  std::mt19937_64 random(5);
  for (int king = 0; king < 64; ++king) {
    for (int round = 0; round < 200; ++round) {
      const Bitboard pieces = random() & random();
      int expected = 0;
      for (Bitboard b = pieces; b != 0; b &= b - 1) expected += KingTropism(__builtin_ctzll(b), king);
      ASSERT_EQ(TropismSum(pieces, king), expected) << "king " << king << " pieces " << pieces;
    }
  }
}

TEST(Shelter, TwentyForEachSquareInFrontWithoutABlackPiece) {
  EXPECT_EQ(BlackKingShelter(FromFen("6k1/5ppp/8/8/8/8/8/6K1 w - - 0 1"), Sq("g8")), 0);
  EXPECT_EQ(BlackKingShelter(FromFen("6k1/5p1p/6p1/8/8/8/8/6K1 w - - 0 1"), Sq("g8")), 20);
  EXPECT_EQ(BlackKingShelter(FromFen("6k1/8/8/8/8/8/8/6K1 w - - 0 1"), Sq("g8")), 60);
  // A White piece gives no shelter.
  EXPECT_EQ(BlackKingShelter(FromFen("6k1/5pPp/8/8/8/8/8/6K1 w - - 0 1"), Sq("g8")), 20);
}

TEST(Shelter, SquaresWrapAcrossFilesByNumber) {
  // On h8 the first square is a8, the king's own rank.
  EXPECT_EQ(BlackKingShelter(FromFen("7k/6pp/8/8/8/8/8/6K1 w - - 0 1"), Sq("h8")), 20);
  EXPECT_EQ(BlackKingShelter(FromFen("r6k/6pp/8/8/8/8/8/6K1 w - - 0 1"), Sq("h8")), 0);
  // On a8 the last square is h6, two ranks down.
  EXPECT_EQ(BlackKingShelter(FromFen("k7/pp6/8/8/8/8/8/6K1 w - - 0 1"), Sq("a8")), 20);
  EXPECT_EQ(BlackKingShelter(FromFen("k7/pp6/7p/8/8/8/8/6K1 w - - 0 1"), Sq("a8")), 0);
}

TEST(Shelter, SquaresBelowTheBoardCountAsEmpty) {
  EXPECT_EQ(BlackKingShelter(FromFen("8/8/8/8/8/8/8/k5K1 w - - 0 1"), Sq("a1")), 60);
  // h1: a1 holds a Black rook, the other two squares are off the board.
  EXPECT_EQ(BlackKingShelter(FromFen("8/8/8/8/8/8/8/r4K1k w - - 0 1"), Sq("h1")), 40);
  // a2: b1 and a1 hold Black pieces, the third square is off the board.
  EXPECT_EQ(BlackKingShelter(FromFen("8/8/8/8/8/6K1/k7/nn6 w - - 0 1"), Sq("a2")), 20);
}

}  // namespace
