// QuietListed and PlainCaptureListed must answer exactly whether their generator lists a move
// word. Along the perft trees, every node is asked about the words of its own moves, the
// opponent's, the other generator's, a pool of words met elsewhere and altered copies of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "movegen/generate.h"
#include "tests/board/test_positions.h"

namespace {

std::vector<Move> QuietWords(const Position& p, Colour colour) {
  MoveList list{};
  if (colour == WHITE) GenerateQuietWhite(p, list);
  else GenerateQuietBlack(p, list);
  return std::vector<Move>(list.moves, list.moves + list.count);
}

// The plain captures (type CAPTURE) the capture generator lists.
std::vector<Move> PlainCaptureWords(const Position& p, Colour colour) {
  MoveList list{};
  if (colour == WHITE) GenerateCapturesWhite(p, list);
  else GenerateCapturesBlack(p, list);
  std::vector<Move> words;
  for (int i = 0; i < list.count; ++i)
    if (MoveTypeOf(list.moves[i]) == CAPTURE) words.push_back(list.moves[i]);
  return words;
}

std::vector<Move> Words(const Position& p, Colour colour, bool captures) {
  return captures ? PlainCaptureWords(p, colour) : QuietWords(p, colour);
}

bool Listed(const Position& p, Colour colour, bool captures, Move m) {
  if (captures) return colour == WHITE ? PlainCaptureListedWhite(p, m) : PlainCaptureListedBlack(p, m);
  return colour == WHITE ? QuietListedWhite(p, m) : QuietListedBlack(p, m);
}

void CheckNode(const Position& p, const std::vector<Move>& pool) {
  const MoveList all = board_test::AllMoves(p);
  for (const bool captures : {false, true}) {
    for (const Colour colour : {WHITE, BLACK}) {
      const std::vector<Move> listed = Words(p, colour, captures);
      std::vector<Move> asked = pool;
      asked.insert(asked.end(), listed.begin(), listed.end());
      const std::vector<Move> other = Words(p, colour == WHITE ? BLACK : WHITE, captures);
      asked.insert(asked.end(), other.begin(), other.end());
      // The node's own moves under the other plain types too: a promotion taken for a capture.
      for (int i = 0; i < all.count; ++i) {
        asked.push_back(all.moves[i]);
        for (const int type : {QUIET, CAPTURE}) asked.push_back((all.moves[i] & ~(0x3f << 6)) | type << 6);
      }
      for (const Move m : asked) {
        const bool expected = std::find(listed.begin(), listed.end(), m) != listed.end();
        ASSERT_EQ(Listed(p, colour, captures, m), expected)
            << board_test::Text(m) << " word " << m << " colour " << colour << " captures " << captures;
      }
    }
  }
}

TEST(Listed, AnswersAsTheGeneratorsList) {
  const auto suite = board_test::LoadPerftSuite();
  ASSERT_FALSE(suite.empty());
  // Words from every reference position, both colours, and copies with one field changed.
  std::vector<Move> pool = {0, -1, WHITE_CASTLE_QUEENSIDE, WHITE_CASTLE_KINGSIDE, BLACK_CASTLE_QUEENSIDE,
                            BLACK_CASTLE_KINGSIDE};
  std::mt19937 random(5);
  for (const auto& entry : suite) {
    const Position p = board_test::PositionFromFen(entry.fen);
    for (const Colour colour : {WHITE, BLACK}) {
      for (const bool captures : {false, true}) {
        for (const Move m : Words(p, colour, captures)) {
          pool.push_back(m);
          pool.push_back(m ^ (1 << (random() % 32)));
        }
      }
    }
  }
  board_test::VisitPerftTrees(2, [&](const Position& q) { CheckNode(q, pool); });
  // A side with two kings moves the lower one only.
  using board_test::Square;
  const Position white = board_test::PositionFromFen("4k3/8/8/8/8/8/1p1p4/K1K5 w - - 0 1");
  EXPECT_TRUE(PlainCaptureListedWhite(white, MakeMoveWord(KING, Square("a1"), Square("b2"), CAPTURE, PAWN)));
  EXPECT_FALSE(PlainCaptureListedWhite(white, MakeMoveWord(KING, Square("c1"), Square("d2"), CAPTURE, PAWN)));
  EXPECT_FALSE(QuietListedWhite(white, MakeMoveWord(KING, Square("c1"), Square("d1"), QUIET, 0)));
  const Position black = board_test::PositionFromFen("k1k5/1P1P4/8/8/8/8/8/4K3 b - - 0 1");
  EXPECT_TRUE(PlainCaptureListedBlack(black, MakeMoveWord(KING, Square("a8"), Square("b7"), CAPTURE, PAWN)));
  EXPECT_FALSE(PlainCaptureListedBlack(black, MakeMoveWord(KING, Square("c8"), Square("d7"), CAPTURE, PAWN)));
}

}  // namespace
