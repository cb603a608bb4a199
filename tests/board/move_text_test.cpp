#include "board/move_text.h"

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
  const struct {
    int type;
    const char* text;
  } promotions[] = {{PROMOTE_QUEEN, "e7e8q"},         {PROMOTE_ROOK, "e7e8r"},         {PROMOTE_BISHOP, "e7e8b"},
                    {PROMOTE_KNIGHT, "e7e8n"},        {CAPTURE_PROMOTE_QUEEN, "e7d8q"}, {CAPTURE_PROMOTE_ROOK, "e7d8r"},
                    {CAPTURE_PROMOTE_BISHOP, "e7d8b"}, {CAPTURE_PROMOTE_KNIGHT, "e7d8n"}};
  for (const auto& p : promotions) {
    const int to = p.type > 20 ? 59 : 60;
    EXPECT_EQ(Text(MakeMoveWord(PAWN, 52, to, p.type, p.type > 20 ? ROOK : 0)), p.text);
  }
}

}  // namespace
