// Telling a move's legality without making it must give what making it and testing the mover's
// king gives, move by move, at every node of the perft reference trees and in the positions
// where a shortcut would go wrong: pins, en passant off a pinned rank, king steps along a
// slider's line, evasions by capture, block and king step, double check. The count for perft's
// last ply must agree as well.
#include "movegen/legality.h"

#include <gtest/gtest.h>

#include "board/attacks.h"
#include "movegen/legal_count.h"
#include "tests/board/test_positions.h"

namespace {

bool LegalByMaking(Position& p, const MoveList& list, int i) {
  UndoRecord undo{};
  bool legal;
  if (p.side_to_move == WHITE) {
    MakeMoveWhite(p, list, i, undo);
    legal = !WhiteKingInCheck(p);
    UnmakeMoveWhite(p, list, i, undo);
  } else {
    MakeMoveBlack(p, list, i, undo);
    legal = !BlackKingInCheck(p);
    UnmakeMoveBlack(p, list, i, undo);
  }
  return legal;
}

// Both ways of building the test: finding out about check, and told by the caller (a search).
template <Colour Us>
void ExpectSameAnswers(Position& p, const MoveList& list, std::uint64_t& legal_count) {
  const bool in_check = Us == WHITE ? WhiteKingInCheck(p) : BlackKingInCheck(p);
  LegalityTest<Us> finding_out, told(in_check);
  for (int i = 0; i < list.count; ++i) {
    const bool legal = LegalByMaking(p, list, i);
    legal_count += legal;
    for (LegalityTest<Us>* test : {&finding_out, &told}) {
      const Legality answer = test->Of(p, list.moves[i]);
      if (answer != Legality::MAKE_AND_SEE) {
        ASSERT_EQ(answer == Legality::LEGAL, legal) << "move " << std::hex << list.moves[i];
      }
    }
  }
}

void ExpectSameAsMaking(Position& p) {
  const MoveList list = board_test::AllMoves(p);
  std::uint64_t legal_count = 0;
  if (p.side_to_move == WHITE) ExpectSameAnswers<WHITE>(p, list, legal_count);
  else ExpectSameAnswers<BLACK>(p, list, legal_count);
  ASSERT_EQ(p.side_to_move == WHITE ? CountLegalWhite(p, list) : CountLegalBlack(p, list), legal_count);
}

TEST(Legality, SameAsMakingAtEveryNodeOfThePerftTrees) {
  board_test::VisitPerftTrees(2, [](Position& node) { ExpectSameAsMaking(node); });
}

TEST(Legality, PinsEnPassantKingStepsAndEvasions) {
  for (const char* fen : {
           // The d2 bishop is pinned by the a5 queen; it may go along the pin line only.
           "4k3/8/8/q7/8/8/3B4/4K3 w - - 0 1",
           // Taking en passant would leave both pawns' rank open to the h5 rook.
           "8/8/8/K2pP2r/8/8/8/7k w - d6 0 1",
           // The king may not step back along the checking rook's file, nor next to the rook.
           "4r2k/8/8/8/8/8/8/4K3 w - - 0 1",
           "7k/8/8/8/8/8/5r2/4K3 w - - 0 1",
           // A knight's check: the rook cannot block it; the king steps or the bishop takes.
           "4k3/8/8/8/8/3n4/8/R3KB2 w - - 0 1",
           // The rook's check may be blocked by the bishop, not by the knight pinned to the king.
           "4r1k1/8/8/8/1b6/8/3N4/R3KB2 w - - 0 1",
           // Double check by rook and bishop: only the king may move.
           "4k3/8/8/8/1b6/8/4r3/R3K1N1 w - - 0 1",
           // A pawn's check taken en passant, and the black king on its first rank by a pawn.
           "8/8/8/3pP3/4K3/8/8/7k w - d6 0 1",
           "8/8/8/8/8/8/3P4/4k2K b - - 0 1",
           // No king, and two kings: every move is made and tested.
           "4k3/8/8/8/8/8/8/R7 w - - 0 1",
           "4k3/8/8/8/8/8/8/R1K1K3 w - - 0 1",
       }) {
    SCOPED_TRACE(fen);
    Position p = board_test::PositionFromFen(fen);
    ExpectSameAsMaking(p);
  }
}

}  // namespace
