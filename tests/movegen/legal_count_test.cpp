// Counting the legal moves without making them must give what making each one and testing the
// mover's king gives, at every node of the perft reference trees and in the positions where a
// shortcut would go wrong: pins, en passant off a pinned rank, king steps along a slider's line.
#include "movegen/legal_count.h"

#include <gtest/gtest.h>

#include "board/attacks.h"
#include "tests/board/test_positions.h"

namespace {

std::uint64_t CountByMaking(Position& p, const MoveList& list) {
  std::uint64_t count = 0;
  for (int i = 0; i < list.count; ++i) {
    UndoRecord undo{};
    if (p.side_to_move == WHITE) {
      MakeMoveWhite(p, list, i, undo);
      count += !WhiteKingInCheck(p);
      UnmakeMoveWhite(p, list, i, undo);
    } else {
      MakeMoveBlack(p, list, i, undo);
      count += !BlackKingInCheck(p);
      UnmakeMoveBlack(p, list, i, undo);
    }
  }
  return count;
}

std::uint64_t Counted(Position& p, const MoveList& list) {
  return p.side_to_move == WHITE ? CountLegalWhite(p, list) : CountLegalBlack(p, list);
}

void ExpectSameCount(Position& p) {
  const MoveList list = board_test::AllMoves(p);
  ASSERT_EQ(Counted(p, list), CountByMaking(p, list));
}

TEST(LegalCount, SameAsMakingAtEveryNodeOfThePerftTrees) {
  for (const auto& entry : board_test::LoadPerftSuite()) {
    SCOPED_TRACE(entry.fen);
    Position p = board_test::PositionFromFen(entry.fen);
    board_test::VisitTree(p, 2, [](Position& node) { ExpectSameCount(node); });
    if (HasFatalFailure()) return;
  }
}

TEST(LegalCount, PinsEnPassantAndKingSteps) {
  for (const char* fen : {
           // The d2 bishop is pinned by the a5 queen; it may go along the pin line only.
           "4k3/8/8/q7/8/8/3B4/4K3 w - - 0 1",
           // Taking en passant would leave both pawns' rank open to the h5 rook.
           "8/8/8/K2pP2r/8/8/8/7k w - d6 0 1",
           // The king may not step back along the checking rook's file, nor next to the rook.
           "4r2k/8/8/8/8/8/8/4K3 w - - 0 1",
           "7k/8/8/8/8/8/5r2/4K3 w - - 0 1",
           // No king, and two kings: every move is made and tested.
           "4k3/8/8/8/8/8/8/R7 w - - 0 1",
           "4k3/8/8/8/8/8/8/R1K1K3 w - - 0 1",
       }) {
    SCOPED_TRACE(fen);
    Position p = board_test::PositionFromFen(fen);
    ExpectSameCount(p);
  }
}

}  // namespace
