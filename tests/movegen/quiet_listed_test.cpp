// QuietListed must answer exactly whether the quiet generator lists a move word. Along the perft
// trees, every node is asked about the words of its own quiet moves, the opponent's, the
// captures, a pool of words met elsewhere and altered copies of them.
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

void CheckNode(const Position& p, const std::vector<Move>& pool) {
  for (const Colour colour : {WHITE, BLACK}) {
    const std::vector<Move> listed = QuietWords(p, colour);
    std::vector<Move> asked = pool;
    asked.insert(asked.end(), listed.begin(), listed.end());
    const std::vector<Move> other = QuietWords(p, colour == WHITE ? BLACK : WHITE);
    asked.insert(asked.end(), other.begin(), other.end());
    const MoveList all = board_test::AllMoves(p);
    asked.insert(asked.end(), all.moves, all.moves + all.capture_count);
    for (const Move m : asked) {
      const bool expected = std::find(listed.begin(), listed.end(), m) != listed.end();
      const bool answer = colour == WHITE ? QuietListedWhite(p, m) : QuietListedBlack(p, m);
      ASSERT_EQ(answer, expected) << board_test::Text(m) << " word " << m << " colour " << colour;
    }
  }
}

TEST(QuietListed, AnswersAsTheGeneratorLists) {
  const auto suite = board_test::LoadPerftSuite();
  ASSERT_FALSE(suite.empty());
  // Words from every reference position, both colours, and copies with one field changed.
  std::vector<Move> pool = {0, -1, WHITE_CASTLE_QUEENSIDE, WHITE_CASTLE_KINGSIDE, BLACK_CASTLE_QUEENSIDE,
                            BLACK_CASTLE_KINGSIDE};
  std::mt19937 random(5);
  for (const auto& entry : suite) {
    const Position p = board_test::PositionFromFen(entry.fen);
    for (const Colour colour : {WHITE, BLACK}) {
      for (const Move m : QuietWords(p, colour)) {
        pool.push_back(m);
        pool.push_back(m ^ (1 << (random() % 32)));
      }
    }
  }
  board_test::VisitPerftTrees(2, [&](const Position& q) { CheckNode(q, pool); });
}

}  // namespace
