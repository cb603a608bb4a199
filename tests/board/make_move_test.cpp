#include "board/make_move.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/board/test_positions.h"

namespace {

using board_test::AllMoves;
using board_test::IndexOf;
using board_test::IsConsistent;
using board_test::PositionFromFen;
using board_test::Square;

// Makes the generated move with this text for the side to move, checks the record's
// invariants, and on Undo takes it back and checks that every field is as before.
class MadeMove {
 public:
  MadeMove(const std::string& fen, const std::string& move) : before_(PositionFromFen(fen)), after_(before_) {
    list_ = AllMoves(before_);
    index_ = IndexOf(list_, move);
    EXPECT_GE(index_, 0) << move << " is not generated";
    if (index_ < 0) return;
    if (before_.side_to_move == WHITE) MakeMoveWhite(after_, list_, index_, undo_);
    else MakeMoveBlack(after_, list_, index_, undo_);
    EXPECT_TRUE(IsConsistent(after_));
  }
  ~MadeMove() {
    if (index_ < 0) return;
    Position undone = after_;
    if (before_.side_to_move == WHITE) UnmakeMoveWhite(undone, list_, index_, undo_);
    else UnmakeMoveBlack(undone, list_, index_, undo_);
    EXPECT_EQ(std::memcmp(&undone, &before_, sizeof undone), 0) << "unmake did not restore the position";
  }
  const Position& operator*() const { return after_; }
  const Position* operator->() const { return &after_; }

 private:
  Position before_;
  Position after_;
  MoveList list_{};
  int index_ = -1;
  UndoRecord undo_{};
};

constexpr char START[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr char CORNERS[] = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";

TEST(MakeMove, DoubleStepSetsTheEnPassantSquare) {
  {
    MadeMove m(START, "e2e4");
    EXPECT_EQ(m->ep_flag, 1);
    EXPECT_EQ(m->ep_file, 4);
    EXPECT_EQ(m->ep_rank, 2);
    EXPECT_EQ(m->castle_wq + m->castle_wk + m->castle_bq + m->castle_bk, 4);
  }
  {
    MadeMove m(START, "e2e3");
    EXPECT_EQ(m->ep_flag, 0);
  }
}

TEST(MakeMove, EveryMoveClearsAnEarlierEnPassantRight) {
  // Unmake gives back the flag and the old square, also after a new double step.
  const char* after_d5 = "rnbqkbnr/ppp1pppp/8/3p4/8/8/PPPPPPPP/RNBQKBNR w KQkq d6 0 1";
  {
    MadeMove m(after_d5, "g1f3");
    EXPECT_EQ(m->ep_flag, 0);
  }
  MadeMove m(after_d5, "e2e4");
  EXPECT_EQ(m->ep_flag, 1);
  EXPECT_EQ(m->ep_file, 4);
}

TEST(MakeMove, KingAndRookMovesClearTheirOwnRights) {
  {
    MadeMove m(CORNERS, "e1f1");
    EXPECT_EQ(m->castle_wq + m->castle_wk, 0);
    EXPECT_EQ(m->castle_bq + m->castle_bk, 2);
  }
  {
    MadeMove m(CORNERS, "a1a3");
    EXPECT_EQ(m->castle_wq, 0);
    EXPECT_EQ(m->castle_wk + m->castle_bq + m->castle_bk, 3);
  }
  {
    MadeMove m("r3k2r/8/8/8/8/8/8/RR2K2R w KQkq - 0 1", "b1b3");
    EXPECT_EQ(m->castle_wq + m->castle_wk + m->castle_bq + m->castle_bk, 4);
  }
  {
    MadeMove m("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "h8h5");
    EXPECT_EQ(m->castle_bk, 0);
    EXPECT_EQ(m->castle_wq + m->castle_wk + m->castle_bq, 3);
  }
  {
    // A right already lost comes back as lost.
    MadeMove m("r3k2r/8/8/8/8/8/8/R3K2R w Kkq - 0 1", "a1b1");
    EXPECT_EQ(m->castle_wq, 0);
    EXPECT_EQ(m->castle_wk, 1);
  }
}

TEST(MakeMove, TakingACornerRookClearsThatRight) {
  {
    MadeMove m("r3k2r/8/2b5/8/8/8/8/R3K2R b KQkq - 0 1", "c6h1");
    EXPECT_EQ(m->castle_wk, 0);
    EXPECT_EQ(m->castle_wq + m->castle_bq + m->castle_bk, 3);
    EXPECT_EQ(m->white_board[Square("h1")], NO_PIECE);
    EXPECT_EQ(m->black_board[Square("h1")], BISHOP);
  }
  {
    MadeMove m("r3k2r/8/2b5/8/8/8/6R1/R3K2R b KQkq - 0 1", "c6g2");
    EXPECT_EQ(m->castle_wq + m->castle_wk + m->castle_bq + m->castle_bk, 4);
  }
}

// One move clears a right of each colour on the same wing; unmake restores both old values.
TEST(MakeMove, RookTakesRookInTheOpposingCorner) {
  {
    MadeMove m("r3k3/8/8/8/8/8/8/R3K3 w Qq - 0 1", "a1a8");
    EXPECT_EQ(m->castle_wq + m->castle_bq, 0);
  }
  {
    MadeMove m("r3k3/8/8/8/8/8/8/R3K3 w q - 0 1", "a1a8");
    EXPECT_EQ(m->castle_bq, 0);
  }
  {
    MadeMove m("4k2r/8/8/8/8/8/8/4K2R b Kk - 0 1", "h8h1");
    EXPECT_EQ(m->castle_wk + m->castle_bk, 0);
  }
  {
    MadeMove m("r3k2r/1P6/8/8/8/8/8/4K3 w kq - 0 1", "b7a8q");
    EXPECT_EQ(m->castle_bq, 0);
    EXPECT_EQ(m->castle_bk, 1);
  }
}

TEST(MakeMove, CastlingMovesKingAndRook) {
  {
    MadeMove m(CORNERS, "e1g1");
    EXPECT_EQ(m->white_board[4], NO_PIECE);
    EXPECT_EQ(m->white_board[7], NO_PIECE);
    EXPECT_EQ(m->white_board[6], KING);
    EXPECT_EQ(m->white_board[5], ROOK);
    EXPECT_EQ(m->castle_wq + m->castle_wk, 0);
    EXPECT_EQ(m->castle_bq + m->castle_bk, 2);
  }
  {
    MadeMove m(CORNERS, "e1c1");
    EXPECT_EQ(m->white_board[0], NO_PIECE);
    EXPECT_EQ(m->white_board[2], KING);
    EXPECT_EQ(m->white_board[3], ROOK);
    EXPECT_EQ(m->castle_wq + m->castle_wk, 0);
  }
  {
    MadeMove m("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8");
    EXPECT_EQ(m->black_board[56], NO_PIECE);
    EXPECT_EQ(m->black_board[58], KING);
    EXPECT_EQ(m->black_board[59], ROOK);
    EXPECT_EQ(m->castle_bq + m->castle_bk, 0);
    EXPECT_EQ(m->castle_wq + m->castle_wk, 2);
  }
}

TEST(MakeMove, EnPassantRemovesThePawnBehindTheTarget) {
  MadeMove m("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6");
  EXPECT_EQ(m->black_board[Square("d5")], NO_PIECE);
  EXPECT_EQ(m->black_occupied, square_bit[Square("e8")]);
  EXPECT_EQ(m->white_board[Square("d6")], PAWN);
}

TEST(MakeMove, PromotionsReplaceThePawn) {
  {
    MadeMove m("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8n");
    EXPECT_EQ(m->white_by_kind[PAWN], 0u);
    EXPECT_EQ(m->white_by_kind[KNIGHT], square_bit[Square("b8")]);
    EXPECT_EQ(m->white_board[57], KNIGHT);
  }
  {
    MadeMove m("r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7a8q");
    EXPECT_EQ(m->white_board[56], QUEEN);
    EXPECT_EQ(m->black_board[56], NO_PIECE);
    EXPECT_EQ(m->black_by_kind[ROOK], 0u);
  }
  MadeMove m("4k3/8/8/8/8/8/6p1/4K2N b - - 0 1", "g2h1r");
  EXPECT_EQ(m->black_board[7], ROOK);
  EXPECT_EQ(m->white_by_kind[KNIGHT], 0u);
}

// A build with assertions stops at a move word of no known type and at a position that a search
// left changed, where a release build would go on with a wrong board.
TEST(MakeMoveDeathTest, AssertionsCatchUnknownTypesAndPositionsLeftChanged) {
  Position p = PositionFromFen(START);
  MoveList list{};
  list.moves[0] = MakeMoveWord(PAWN, 12, 28, 9, 0);
  UndoRecord undo{};
  EXPECT_DEBUG_DEATH(MakeMoveWhite(p, list, 0, undo), "unknown move type");
  EXPECT_DEBUG_DEATH(UnmakeMoveBlack(p, list, 0, undo), "unknown move type");
  EXPECT_DEBUG_DEATH(
      {
        const RestoredCheck restored(p);
        p.castle_wk = 0;
      },
      "position not restored");
}

}  // namespace
