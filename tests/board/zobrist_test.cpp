#include "board/zobrist.h"

#include <gtest/gtest.h>

#include "board/make_move.h"
#include "tests/board/test_positions.h"

namespace {

using board_test::AllMoves;
using board_test::IndexOf;
using board_test::PositionFromFen;

constexpr char START[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

class Zobrist : public testing::Test {
 protected:
  void SetUp() override { InitZobrist(); }
};

TEST_F(Zobrist, FirstKeysOfEachColour) {
  EXPECT_EQ(zobrist_keys[BLACK][PAWN][0], 0x6C118C5F33C24AE1ULL);
  EXPECT_EQ(zobrist_keys[WHITE][PAWN][0], 0xC11B831D29F7DF06ULL);
  for (int s = 0; s < 64; ++s) EXPECT_EQ(zobrist_keys[WHITE][NO_PIECE][s] | zobrist_keys[BLACK][NO_PIECE][s], 0u);
}

TEST_F(Zobrist, FullKeys) {
  Position empty{};
  ComputeKey(empty);
  EXPECT_EQ(empty.hash_key, KEY_BASE);
  Position start = PositionFromFen(START);
  ComputeKey(start);
  EXPECT_EQ(start.hash_key, 0xB5373EA627A9F94CULL);
  // Side to move, castling rights and the en-passant right are not part of the key.
  EXPECT_EQ(ComputeKeyOf(PositionFromFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b - - 0 1")), start.hash_key);
  EXPECT_EQ(ComputeKeyOf(PositionFromFen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1")),
            ComputeKeyOf(PositionFromFen("4k3/8/8/3pP3/8/8/8/4K3 b - - 0 1")));
}

TEST_F(Zobrist, UpdateForE2E4AndBack) {
  Position p = PositionFromFen(START);
  ComputeKey(p);
  const MoveList list = AllMoves(p);
  const int e2e4 = IndexOf(list, "e2e4");
  ASSERT_GE(e2e4, 0);
  UndoRecord undo;
  MakeMoveWhite(p, list, e2e4, undo);
  UpdateKey(WHITE, list, e2e4, p);
  EXPECT_EQ(p.hash_key, 0x61C4B9272434CE94ULL);
  EXPECT_EQ(p.hash_key, ComputeKeyOf(p));
  UpdateKey(WHITE, list, e2e4, p);
  EXPECT_EQ(p.hash_key, 0xB5373EA627A9F94CULL);
}

}  // namespace
