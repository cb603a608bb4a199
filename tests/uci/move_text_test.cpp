#include "uci/move_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(Move m) {
  char text[8];
  MoveToText(m, text);
  return text;
}

TEST(SquareFromText, BoardSquaresAndUnknownCharacters) {
  EXPECT_EQ(SquareFromText('a', '1'), 0);
  EXPECT_EQ(SquareFromText('h', '1'), 7);
  EXPECT_EQ(SquareFromText('e', '4'), 28);
  EXPECT_EQ(SquareFromText('h', '8'), 63);
  for (const char* bad : {"i1", "a9", "a0", "A1", "`1", "e ", "\0" "1"})
    EXPECT_GE(SquareFromText(bad[0], bad[1]), BAD_SQUARE_PART) << bad;
}

TEST(MoveToText, SquaresAndPromotionLetters) {
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 12, 28, QUIET, 0)), "e2e4");
  EXPECT_EQ(Text(WHITE_CASTLE_QUEENSIDE), "e1c1");
  EXPECT_EQ(Text(BLACK_CASTLE_KINGSIDE), "e8g8");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 36, 43, EN_PASSANT, PAWN)), "e5d6");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 52, 60, PROMOTE_QUEEN, 0)), "e7e8q");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 52, 60, PROMOTE_ROOK, 0)), "e7e8r");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 52, 60, PROMOTE_BISHOP, 0)), "e7e8b");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 52, 60, PROMOTE_KNIGHT, 0)), "e7e8n");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 9, 0, CAPTURE_PROMOTE_QUEEN, ROOK)), "b2a1q");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 9, 0, CAPTURE_PROMOTE_ROOK, ROOK)), "b2a1r");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 9, 0, CAPTURE_PROMOTE_BISHOP, ROOK)), "b2a1b");
  EXPECT_EQ(Text(MakeMoveWord(PAWN, 9, 0, CAPTURE_PROMOTE_KNIGHT, ROOK)), "b2a1n");
}

}  // namespace
