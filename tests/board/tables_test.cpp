#include "board/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "board/bitscan.h"
#include "board/rays.h"
#include "tests/board/test_positions.h"

namespace {

using board_test::Square;

Bitboard Set(std::initializer_list<const char*> squares) {
  Bitboard b = 0;
  for (const char* s : squares) b |= Bitboard{1} << Square(s);
  return b;
}

TEST(Tables, SquareNumbering) {
  EXPECT_EQ(Square("a1"), 0);
  EXPECT_EQ(Square("h1"), 7);
  EXPECT_EQ(Square("a8"), 56);
  EXPECT_EQ(Square("h8"), 63);
  EXPECT_EQ(Square("e4"), 28);
}

TEST(Tables, KingStepsStopAtTheEdges) {
  EXPECT_EQ(king_steps[Square("a1")], Set({"b1", "a2", "b2"}));
  EXPECT_EQ(king_steps[Square("h8")], Set({"g8", "g7", "h7"}));
  EXPECT_EQ(king_steps[Square("a4")], Set({"a3", "b3", "b4", "a5", "b5"}));
  EXPECT_EQ(king_steps[Square("h5")], Set({"g4", "h4", "g5", "g6", "h6"}));
  EXPECT_EQ(PopCount(king_steps[Square("e4")]), 8);
}

TEST(Tables, KnightJumpsDoNotWrapAcrossFiles) {
  EXPECT_EQ(knight_jumps[Square("a1")], Set({"c2", "b3"}));
  EXPECT_EQ(knight_jumps[Square("h8")], Set({"g6", "f7"}));
  EXPECT_EQ(knight_jumps[Square("h4")], Set({"g2", "f3", "f5", "g6"}));
  EXPECT_EQ(knight_jumps[Square("b5")], Set({"a3", "c3", "d4", "d6", "a7", "c7"}));
  EXPECT_EQ(knight_jumps[Square("g1")], Set({"e2", "f3", "h3"}));
  EXPECT_EQ(PopCount(knight_jumps[Square("d4")]), 8);
}

TEST(Tables, RaysRunToTheEdgeWithoutWrapping) {
  EXPECT_EQ(ray_up[Square("a1")], Set({"a2", "a3", "a4", "a5", "a6", "a7", "a8"}));
  EXPECT_EQ(ray_down[Square("a1")], 0u);
  EXPECT_EQ(ray_left[Square("a1")], 0u);
  EXPECT_EQ(ray_up_right[Square("a1")], Set({"b2", "c3", "d4", "e5", "f6", "g7", "h8"}));
  EXPECT_EQ(ray_up_left[Square("h1")], Set({"g2", "f3", "e4", "d5", "c6", "b7", "a8"}));
  EXPECT_EQ(ray_right[Square("h4")], 0u);
  EXPECT_EQ(ray_up_left[Square("a4")], 0u);
  EXPECT_EQ(ray_down_left[Square("a5")], 0u);
  EXPECT_EQ(ray_up_right[Square("h3")], 0u);
  EXPECT_EQ(ray_down_right[Square("h6")], 0u);
  EXPECT_EQ(ray_down_right[Square("c3")], Set({"d2", "e1"}));
}

// Each ray holds exactly as many squares as lie between the square and the board's edge in
// its direction, so no ray wraps from one file edge onto the other.
TEST(Tables, RayLengthsEqualTheDistanceToTheEdge) {
  for (int s = 0; s < 64; ++s) {
    const int f = FileOf(s), r = RankOf(s);
    SCOPED_TRACE(s);
    EXPECT_EQ(PopCount(ray_up[s]), 7 - r);
    EXPECT_EQ(PopCount(ray_down[s]), r);
    EXPECT_EQ(PopCount(ray_left[s]), f);
    EXPECT_EQ(PopCount(ray_right[s]), 7 - f);
    EXPECT_EQ(PopCount(ray_up_right[s]), std::min(7 - f, 7 - r));
    EXPECT_EQ(PopCount(ray_up_left[s]), std::min(f, 7 - r));
    EXPECT_EQ(PopCount(ray_down_right[s]), std::min(7 - f, r));
    EXPECT_EQ(PopCount(ray_down_left[s]), std::min(f, r));
    EXPECT_EQ(king_steps[s] & square_bit[s], 0u);
  }
}

// Two pieces on the ray from d4: the nearer one blocks, and the slider reaches up to it.
template <RayDir D>
void ExpectNearestBlocker(const char* nearer, const char* farther) {
  const int origin = Square("d4");
  const Bitboard occupied = Set({nearer, farther});
  SCOPED_TRACE(nearer);
  EXPECT_EQ(NearestBlocker<D>(RayTable<D>()[origin] & occupied), Square(nearer));
}

TEST(Tables, NearestBlockerOnEachRay) {
  ExpectNearestBlocker<RayDir::UP>("d6", "d8");
  ExpectNearestBlocker<RayDir::DOWN>("d2", "d1");
  ExpectNearestBlocker<RayDir::LEFT>("b4", "a4");
  ExpectNearestBlocker<RayDir::RIGHT>("f4", "h4");
  ExpectNearestBlocker<RayDir::UP_RIGHT>("f6", "g7");
  ExpectNearestBlocker<RayDir::UP_LEFT>("b6", "a7");
  ExpectNearestBlocker<RayDir::DOWN_RIGHT>("f2", "g1");
  ExpectNearestBlocker<RayDir::DOWN_LEFT>("b2", "a1");
  // Pieces on b1 and f1 seen leftward from h1, a5 and a7 upward from a1.
  EXPECT_EQ(NearestBlocker<RayDir::LEFT>(ray_left[Square("h1")] & Set({"b1", "f1"})), Square("f1"));
  EXPECT_EQ(NearestBlocker<RayDir::UP>(ray_up[Square("a1")] & Set({"a5", "a7"})), Square("a5"));
}

TEST(MoveWord, CastlingWordsDecode) {
  struct Expected {
    Move word;
    const char* from;
    const char* to;
    int type;
  };
  for (const Expected& e : {Expected{WHITE_CASTLE_QUEENSIDE, "e1", "c1", CASTLE_QUEENSIDE},
                            Expected{WHITE_CASTLE_KINGSIDE, "e1", "g1", CASTLE_KINGSIDE},
                            Expected{BLACK_CASTLE_QUEENSIDE, "e8", "c8", CASTLE_QUEENSIDE},
                            Expected{BLACK_CASTLE_KINGSIDE, "e8", "g8", CASTLE_KINGSIDE}}) {
    SCOPED_TRACE(e.to);
    EXPECT_EQ(MoveCaptured(e.word), 0);
    EXPECT_EQ(MoveTypeOf(e.word), e.type);
    EXPECT_EQ(MoveFrom(e.word), Square(e.from));
    EXPECT_EQ(MoveTo(e.word), Square(e.to));
    EXPECT_EQ(MovePiece(e.word), KING);
    EXPECT_EQ(MakeMoveWord(KING, Square(e.from), Square(e.to), e.type, 0), e.word);
  }
}

}  // namespace
