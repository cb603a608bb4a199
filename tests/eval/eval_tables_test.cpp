#include "eval/tables.h"

#include <gtest/gtest.h>

namespace {

// Spot checks that the rank-8-first grids landed on the right squares (a1 = 0, h8 = 63).
TEST(EvalTables, EntriesSitOnTheirSquares) {
  EXPECT_EQ(knight_table[27], 110);  // d4
  EXPECT_EQ(knight_table[18], 115);  // c3
  EXPECT_EQ(knight_table[9], 100);   // b2
  EXPECT_EQ(knight_table[56], 90);   // a8
  EXPECT_EQ(bishop_table[9], 115);   // b2
  EXPECT_EQ(bishop_table[2], 90);    // c1
  EXPECT_EQ(bishop_table[16], 90);   // a3
  EXPECT_EQ(bishop_table[17], 110);  // b3
  EXPECT_EQ(king_endgame_table[28], 115);  // e4
  EXPECT_EQ(king_endgame_table[49], 105);  // b7
  EXPECT_EQ(rook_queen_table[0], 100);
  EXPECT_EQ(rook_queen_table[63], 100);
}

TEST(EvalTables, PawnTablesAreStoredFromBlacksSide) {
  EXPECT_EQ(pawn_middlegame_table[34], 10);  // c5
  EXPECT_EQ(pawn_middlegame_table[37], 0);   // f5
  EXPECT_EQ(pawn_middlegame_table[35], 30);  // d5
  EXPECT_EQ(pawn_middlegame_table[43], 5);   // d6
  EXPECT_EQ(pawn_middlegame_table[24], 5);   // a4
  EXPECT_EQ(pawn_middlegame_table[16], 10);  // a3
  EXPECT_EQ(pawn_middlegame_table[12], 50);  // e2
  EXPECT_EQ(pawn_middlegame_table[52], 0);   // e7
  EXPECT_EQ(pawn_endgame_table[8], 100);     // rank 2
  EXPECT_EQ(pawn_endgame_table[16], 50);     // rank 3
  EXPECT_EQ(pawn_endgame_table[31], 20);     // rank 4
  EXPECT_EQ(pawn_endgame_table[32], 10);     // rank 5
  EXPECT_EQ(pawn_endgame_table[47], 5);      // rank 6
  EXPECT_EQ(pawn_endgame_table[55], 0);      // rank 7
}

TEST(EvalTables, PieceTablesAreSymmetricBothWays) {
  for (const auto* table : {&knight_table, &bishop_table, &rook_queen_table, &king_endgame_table}) {
    for (int s = 0; s < 64; ++s) {
      EXPECT_EQ((*table)[s], (*table)[s ^ 56]) << s;
      EXPECT_EQ((*table)[s], (*table)[s ^ 7]) << s;
    }
  }
}

}  // namespace
