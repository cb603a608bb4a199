// The search carries the material balance from move to move. For every move of the perft
// reference positions, two plies deep, the balance after the move must be the balance before it
// plus the move's gain for the side that made it (the capture of a king excepted, which the
// search counts afresh).
#include <gtest/gtest.h>

#include "board/make_move.h"
#include "search/material.h"
#include "tests/board/test_positions.h"

namespace {

void CheckGains(Position& p, int depth, int& checked) {
  const MoveList list = board_test::AllMoves(p);
  const int us = p.side_to_move;
  const int before = MaterialBalance(p);
  for (int i = 0; i < list.count; ++i) {
    UndoRecord undo{};
    if (us == WHITE) MakeMoveWhite(p, list, i, undo);
    else MakeMoveBlack(p, list, i, undo);
    if (MoveCaptured(list.moves[i]) != KING) {
      const int gain = MaterialGain(list.moves[i]);
      ASSERT_EQ(MaterialBalance(p), us == WHITE ? before + gain : before - gain) << board_test::Text(list.moves[i]);
      ++checked;
    }
    if (depth > 1) {
      p.side_to_move = 1 - us;
      CheckGains(p, depth - 1, checked);
      p.side_to_move = us;
      if (testing::Test::HasFatalFailure()) return;
    }
    if (us == WHITE) UnmakeMoveWhite(p, list, i, undo);
    else UnmakeMoveBlack(p, list, i, undo);
  }
}

TEST(MaterialGain, IsWhatTheMoveChangesInTheBalance) {
  const auto suite = board_test::LoadPerftSuite();
  ASSERT_FALSE(suite.empty());
  int checked = 0;
  for (const auto& entry : suite) {
    SCOPED_TRACE(entry.fen);
    Position p = board_test::PositionFromFen(entry.fen);
    CheckGains(p, 2, checked);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(checked, 10000);
}

TEST(MaterialGain, PromotionsCountTheNewPieceInPlaceOfThePawn) {
  EXPECT_EQ(MaterialGain(MakeMoveWord(PAWN, 52, 60, PROMOTE_QUEEN, 0)), 1000);
  EXPECT_EQ(MaterialGain(MakeMoveWord(PAWN, 52, 61, CAPTURE_PROMOTE_KNIGHT, ROOK)), 700);
  EXPECT_EQ(MaterialGain(MakeMoveWord(PAWN, 36, 43, EN_PASSANT, PAWN)), 100);
  EXPECT_EQ(MaterialGain(WHITE_CASTLE_KINGSIDE), 0);
}

}  // namespace
