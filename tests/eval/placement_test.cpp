// The square-table sums: read from the right tables for each colour, and carried through every
// generated move of the perft reference positions to the same sums a count afterwards gives.
#include "eval/placement.h"

#include <gtest/gtest.h>

#include "tests/board/test_positions.h"
#include "tests/eval/fen_position.h"

namespace {

TEST(Placement, PawnsReadTheirPhaseHalfAndWhiteReadsTheHalfTurn) {
  // e4 for White reads the Black-view entry of d5: 30 in the middlegame, 10 in the endgame.
  const Placement white_pawn = PlacementOf(FromFen("4k3/8/8/8/4P3/8/8/4K3 w - - 0 1"));
  EXPECT_EQ(PlacementPart(white_pawn.white, false), 30);
  EXPECT_EQ(PlacementPart(white_pawn.white, true), 10);
  EXPECT_EQ(white_pawn.black, 0u);
  const Placement black_pawn = PlacementOf(FromFen("4k3/8/8/3p4/8/8/8/4K3 w - - 0 1"));
  EXPECT_EQ(PlacementPart(black_pawn.black, false), 30);
  EXPECT_EQ(PlacementPart(black_pawn.black, true), 10);
}

TEST(Placement, PiecesCountInBothHalvesAndKingsInNeither) {
  const Placement p = PlacementOf(FromFen("4k3/8/8/8/3N4/8/8/R3K3 w - - 0 1"));
  EXPECT_EQ(PlacementPart(p.white, false), 110 + 100);
  EXPECT_EQ(PlacementPart(p.white, true), 110 + 100);
  EXPECT_EQ(p.black, 0u);
}

// Every move of the node: the sums carried through it equal the sums counted after it.
void ExpectCarriedSumsAtEveryMove(Position& p) {
  const MoveList list = board_test::AllMoves(p);
  const int us = p.side_to_move;
  const Placement before = PlacementOf(p);
  for (int i = 0; i < list.count; ++i) {
    const Move m = list.moves[i];
    const Placement carried = us == WHITE ? PlacementAfter<WHITE>(before, m) : PlacementAfter<BLACK>(before, m);
    UndoRecord undo{};
    if (us == WHITE) MakeMoveWhite(p, list, i, undo);
    else MakeMoveBlack(p, list, i, undo);
    const Placement counted = PlacementOf(p);
    if (us == WHITE) UnmakeMoveWhite(p, list, i, undo);
    else UnmakeMoveBlack(p, list, i, undo);
    ASSERT_EQ(carried.white, counted.white) << "after " << board_test::Text(m);
    ASSERT_EQ(carried.black, counted.black) << "after " << board_test::Text(m);
  }
}

TEST(Placement, CarriedSumsEqualTheCountAfterEveryMoveOfThePerftTrees) {
  board_test::VisitPerftTrees(2, [](Position& node) { ExpectCarriedSumsAtEveryMove(node); });
}

}  // namespace
