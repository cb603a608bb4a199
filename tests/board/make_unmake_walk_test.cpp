// Walks the legal move tree of every perft reference position to depth 3 and checks, for
// every generated move at every node, that make keeps the record consistent, that the
// incremental key update after make gives the full key of the new placement, and that
// unmake followed by the second key update gives back the position bit for bit.
#include <gtest/gtest.h>

#include <cstring>

#include "board/attacks.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "tests/board/test_positions.h"

namespace {

using board_test::AllMoves;
using board_test::IsConsistent;
using board_test::Text;

constexpr int WALK_DEPTH = 3;

// Moves made per colour and move type, to show that the walk reached every kind of move.
using TypeTally = int[2][26];

void Walk(Position& p, int depth, TypeTally& tally) {
  const MoveList list = AllMoves(p);
  const int us = p.side_to_move;
  for (int i = 0; i < list.count; ++i) {
    const Position before = p;
    UndoRecord undo{};
    if (us == WHITE) MakeMoveWhite(p, list, i, undo);
    else MakeMoveBlack(p, list, i, undo);
    ASSERT_TRUE(IsConsistent(p)) << "after " << Text(list.moves[i]);
    UpdateKey(us, list, i, p);
    ASSERT_EQ(p.hash_key, ComputeKeyOf(p)) << "after " << Text(list.moves[i]);
    ++tally[us][MoveTypeOf(list.moves[i])];

    const bool legal = us == WHITE ? !WhiteKingAttacked(p) : !BlackKingAttacked(p);
    if (legal && depth > 1) {
      p.side_to_move = 1 - us;
      Walk(p, depth - 1, tally);
      if (testing::Test::HasFatalFailure()) return;
      p.side_to_move = us;
    }
    if (us == WHITE) UnmakeMoveWhite(p, list, i, undo);
    else UnmakeMoveBlack(p, list, i, undo);
    UpdateKey(us, list, i, p);
    ASSERT_EQ(std::memcmp(&p, &before, sizeof p), 0) << "after taking back " << Text(list.moves[i]);
  }
}

TEST(MakeUnmakeWalk, RestoresEveryFieldAndKeepsTheKey) {
  InitZobrist();
  TypeTally tally{};
  const auto suite = board_test::LoadPerftSuite();
  ASSERT_FALSE(suite.empty());
  for (const auto& entry : suite) {
    SCOPED_TRACE(entry.fen);
    Position p = board_test::PositionFromFen(entry.fen);
    ComputeKey(p);
    Walk(p, WALK_DEPTH, tally);
    if (HasFatalFailure()) return;
  }
  for (int colour : {BLACK, WHITE}) {
    for (int type : {QUIET, CAPTURE, CASTLE_QUEENSIDE, CASTLE_KINGSIDE, EN_PASSANT, PROMOTE_KNIGHT, PROMOTE_BISHOP,
                     PROMOTE_ROOK, PROMOTE_QUEEN, CAPTURE_PROMOTE_KNIGHT, CAPTURE_PROMOTE_BISHOP, CAPTURE_PROMOTE_ROOK,
                     CAPTURE_PROMOTE_QUEEN}) {
      EXPECT_GT(tally[colour][type], 0) << "colour " << colour << " never made a move of type " << type;
    }
  }
}

}  // namespace
