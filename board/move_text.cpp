#include "board/move_text.h"

int SquareFromText(char file, char rank) {
  const int f = file >= 'a' && file <= 'h' ? file - 'a' : BAD_SQUARE_PART;
  const int r = rank >= '1' && rank <= '8' ? rank - '1' : BAD_SQUARE_PART;
  return f + 8 * r;
}

char* SquareToText(int square, char* out) {
  *out++ = static_cast<char>('a' + square % 8);
  *out++ = static_cast<char>('1' + square / 8);
  return out;
}

char PromotionLetter(int move_type) {
  if (!IsPromotion(move_type)) return 0;
  return "nbrq"[PromotedKind(move_type) - KNIGHT];
}

char* MoveToText(Move move, char* out) {
  out = SquareToText(MoveFrom(move), out);
  out = SquareToText(MoveTo(move), out);
  if (const char letter = PromotionLetter(MoveTypeOf(move))) *out++ = letter;
  *out = '\0';
  return out;
}
