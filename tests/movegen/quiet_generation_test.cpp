#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/board/test_positions.h"

namespace {

using board_test::AllMoves;
using board_test::IndexOf;
using board_test::PositionFromFen;
using board_test::Texts;
using Strings = std::vector<std::string>;

Strings QuietTexts(const std::string& fen) {
  const MoveList list = AllMoves(PositionFromFen(fen));
  return Texts(list, list.capture_count, list.count);
}

bool Generates(const std::string& fen, const std::string& move) { return IndexOf(AllMoves(PositionFromFen(fen)), move) >= 0; }

struct Expected {
  const char* text;
  int score;
};

void ExpectQuietList(const std::string& fen, const std::vector<Expected>& expected) {
  const MoveList list = AllMoves(PositionFromFen(fen));
  EXPECT_EQ(list.capture_count, 0);
  ASSERT_EQ(list.count, static_cast<int>(expected.size()));
  for (int i = 0; i < list.count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(board_test::Text(list.moves[i]), expected[i].text);
    EXPECT_EQ(list.scores[i], expected[i].score);
    EXPECT_EQ(MoveTypeOf(list.moves[i]), QUIET);
    EXPECT_EQ(MoveCaptured(list.moves[i]), NO_PIECE);
    EXPECT_EQ(MovePiece(list.moves[i]), i < 4 ? KNIGHT : PAWN);
  }
}

TEST(QuietGeneration, StartPositionWhite) {
  ExpectQuietList("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                  {{"b1a3", -1}, {"b1c3", 21}, {"g1f3", 21}, {"g1h3", -1}, {"a2a3", 0},  {"a2a4", 0},  {"b2b3", 0},
                   {"b2b4", 0},  {"c2c3", 10}, {"c2c4", 10}, {"d2d3", 10}, {"d2d4", 20}, {"e2e3", 10}, {"e2e4", 20},
                   {"f2f3", 10}, {"f2f4", 10}, {"g2g3", 0},  {"g2g4", 0},  {"h2h3", 0},  {"h2h4", 0}});
}

// Black is not mirrored: squares still go lowest first, so each double step precedes its single step.
TEST(QuietGeneration, StartPositionBlack) {
  ExpectQuietList("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1",
                  {{"b8a6", 0},  {"b8c6", 22}, {"g8f6", 22}, {"g8h6", 0},  {"a7a5", 0},  {"a7a6", 0},  {"b7b5", 0},
                   {"b7b6", 0},  {"c7c5", 10}, {"c7c6", 10}, {"d7d5", 20}, {"d7d6", 10}, {"e7e5", 20}, {"e7e6", 10},
                   {"f7f5", 10}, {"f7f6", 10}, {"g7g5", 0},  {"g7g6", 0},  {"h7h5", 0},  {"h7h6", 0}});
}

// Ray by ray (up, left, down, right, up-right, up-left, down-left, down-right), each ray's
// squares lowest first.
TEST(QuietGeneration, SliderRaysAndTargetOrder) {
  EXPECT_EQ(QuietTexts("8/8/8/8/3Q4/8/8/8 w - - 0 1"),
            (Strings{"d4d5", "d4d6", "d4d7", "d4d8", "d4a4", "d4b4", "d4c4", "d4d1", "d4d2", "d4d3", "d4e4", "d4f4",
                     "d4g4", "d4h4", "d4e5", "d4f6", "d4g7", "d4h8", "d4c5", "d4b6", "d4a7", "d4a1", "d4b2", "d4c3",
                     "d4g1", "d4f2", "d4e3"}));
  // A rook stops before the nearest piece of either colour.
  EXPECT_EQ(QuietTexts("8/8/8/8/8/8/P7/R3K3 w - - 0 1"), (Strings{"e1d1", "e1f1", "e1d2", "e1e2", "e1f2", "a1b1",
                                                                  "a1c1", "a1d1", "a2a3", "a2a4"}));
  EXPECT_EQ(QuietTexts("8/8/8/8/8/r7/8/R2n4 w - - 0 1"), (Strings{"a1a2", "a1b1", "a1c1"}));
}

TEST(QuietGeneration, PawnPushes) {
  EXPECT_EQ(QuietTexts("4k3/8/8/8/8/4n3/4P3/8 w - - 0 1"), (Strings{}));
  EXPECT_EQ(QuietTexts("4k3/8/8/8/4n3/8/4P3/8 w - - 0 1"), (Strings{"e2e3"}));
  EXPECT_EQ(QuietTexts("8/4p3/8/4N3/8/8/8/4K3 b - - 0 1"), (Strings{"e7e6"}));
  EXPECT_EQ(QuietTexts("8/4p3/4N3/8/8/8/8/4K3 b - - 0 1"), (Strings{}));
  // Pawns on their last-but-one rank promote, which the capture generator writes.
  EXPECT_EQ(QuietTexts("8/P7/8/8/8/8/8/8 w - - 0 1"), (Strings{}));
  EXPECT_EQ(QuietTexts("8/8/8/8/8/8/p7/8 b - - 0 1"), (Strings{}));
}

TEST(QuietGeneration, CastlingFollowsTheKingStepsQueenSideFirst) {
  const MoveList list = AllMoves(PositionFromFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"));
  EXPECT_EQ(Texts(list, list.capture_count, list.capture_count + 7),
            (Strings{"e1d1", "e1f1", "e1d2", "e1e2", "e1f2", "e1c1", "e1g1"}));
  EXPECT_EQ(list.moves[list.capture_count + 5], WHITE_CASTLE_QUEENSIDE);
  EXPECT_EQ(list.moves[list.capture_count + 6], WHITE_CASTLE_KINGSIDE);
  EXPECT_EQ(list.scores[list.capture_count + 5], 50);
  EXPECT_EQ(list.scores[list.capture_count + 6], 50);
  const MoveList black = AllMoves(PositionFromFen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"));
  EXPECT_EQ(black.moves[black.capture_count + 5], BLACK_CASTLE_QUEENSIDE);
  EXPECT_EQ(black.moves[black.capture_count + 6], BLACK_CASTLE_KINGSIDE);
}

// The king's square, the square it passes and the one it lands on must not be attacked; the
// rook's b-file neighbour may be.
TEST(QuietGeneration, CastlingThroughAttackedSquares) {
  EXPECT_TRUE(Generates("4k3/8/8/8/8/n7/8/R3K3 w Q - 0 1", "e1c1"));
  EXPECT_FALSE(Generates("3rk3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1"));
  EXPECT_FALSE(Generates("4k3/8/8/8/8/b7/8/R3K3 w Q - 0 1", "e1c1"));
  EXPECT_FALSE(Generates("4k3/8/8/8/8/8/8/RN2K3 w Q - 0 1", "e1c1"));
  const char* f1_attacked = "4k3/8/b7/8/8/8/8/R3K2R w KQ - 0 1";
  EXPECT_TRUE(Generates(f1_attacked, "e1c1"));
  EXPECT_FALSE(Generates(f1_attacked, "e1g1"));
  EXPECT_FALSE(Generates("4k3/8/8/8/8/7n/8/R3K2R w KQ - 0 1", "e1g1"));
  const char* in_check = "4k3/8/8/4r3/8/8/8/R3K2R w KQ - 0 1";
  EXPECT_FALSE(Generates(in_check, "e1c1"));
  EXPECT_FALSE(Generates(in_check, "e1g1"));

  EXPECT_TRUE(Generates("r3k2r/8/N7/8/8/8/8/4K3 b kq - 0 1", "e8c8"));
  EXPECT_FALSE(Generates("r3k2r/8/8/8/8/8/8/3RK3 b kq - 0 1", "e8c8"));
  EXPECT_TRUE(Generates("r3k2r/8/8/8/8/8/8/3RK3 b kq - 0 1", "e8g8"));
  EXPECT_FALSE(Generates("r3k2r/8/8/8/8/8/8/4K1R1 b kq - 0 1", "e8g8"));
  EXPECT_FALSE(Generates("r3k2r/8/8/1B6/8/8/8/4K3 b kq - 0 1", "e8g8"));
  EXPECT_FALSE(Generates("r3k2r/8/8/1B6/8/8/8/4K3 b kq - 0 1", "e8c8"));
}

// Forcing moves fill the front of the list, quiet moves the rest, in every reference position.
TEST(QuietGeneration, QuietRangeFollowsTheCaptures) {
  for (const auto& entry : board_test::LoadPerftSuite()) {
    SCOPED_TRACE(entry.fen);
    const Position p = PositionFromFen(entry.fen);
    MoveList list{};
    if (p.side_to_move == WHITE) GenerateCapturesWhite(p, list);
    else GenerateCapturesBlack(p, list);
    const int captures = list.count;
    if (p.side_to_move == WHITE) GenerateQuietWhite(p, list);
    else GenerateQuietBlack(p, list);
    EXPECT_EQ(list.capture_count, captures);
    for (int i = 0; i < list.count; ++i) {
      const int type = MoveTypeOf(list.moves[i]);
      const bool quiet = type == QUIET || type == CASTLE_QUEENSIDE || type == CASTLE_KINGSIDE;
      EXPECT_EQ(quiet, i >= captures) << board_test::Text(list.moves[i]);
      if (type == QUIET) {
        EXPECT_GE(list.scores[i], -33);
        EXPECT_LE(list.scores[i], 33);
      }
    }
  }
}

// Placements far beyond a real game (many queens, promotions on every file) stay within the
// list; the sanitizer build checks every index written.
TEST(MoveListCapacity, CrowdedPlacementsFit) {
  for (const char* fen : {"Q1Q1Q1Q1/8/1Q1Q1Q1Q/8/Q1Q1Q1Q1/8/1Q1Q1Q1Q/K7 w - - 0 1",
                          "Q3Q3/2Q3Q1/Q3Q3/2Q3Q1/Q3Q3/2Q3Q1/Q3Q3/2Q3QK w - - 0 1",
                          "n1n1n1n1/PPPPPPPP/8/QQQQQQQQ/8/8/8/K7 w - - 0 1",
                          "k7/8/8/8/qqqqqqqq/8/pppppppp/1N1N1N1N b - - 0 1"}) {
    SCOPED_TRACE(fen);
    const MoveList list = AllMoves(PositionFromFen(fen));
    EXPECT_GT(list.count, 100);
    EXPECT_LE(list.count, MAX_MOVES);
  }
}

}  // namespace
