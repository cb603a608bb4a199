#include "uci/position_command.h"

#include <cstring>

#include "board/attacks.h"
#include "board/fen.h"
#include "board/make_move.h"
#include "movegen/generate.h"
#include "board/move_text.h"
#include "io/output.h"

namespace {

constexpr char START_TEXT[] = "fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 ";

// The promoted kind a letter asks for; 0 for anything that is not a promotion letter.
int PromotionKindOfLetter(char c) {
  switch (c | 0x20) {
    case 'q': return QUEEN;
    case 'r': return ROOK;
    case 'b': return BISHOP;
    case 'n': return KNIGHT;
    default: return NO_PIECE;
  }
}

// The index of the generated move the token names, or -1.
int FindMove(const MoveList& list, int from, int to, char letter) {
  for (int i = 0; i < list.count; ++i) {
    const Move m = list.moves[i];
    if (MoveFrom(m) != from || MoveTo(m) != to) continue;
    const int type = MoveTypeOf(m);
    if (!IsPromotion(type)) return letter == '\0' ? i : -1;
    const int wanted = letter == '\0' ? QUEEN : PromotionKindOfLetter(letter);
    if (PromotedKind(type) == wanted) return i;
  }
  return -1;
}

void ReportIllegalMove(const char* token) {
  const int length = static_cast<int>(std::strcspn(token, " "));
  char text[MOVES_TEXT_SIZE + 64];
  int n = 0;
  const char prefix[] = "info string ignoring illegal move ";
  std::memcpy(text + n, prefix, sizeof prefix - 1);
  n += sizeof prefix - 1;
  std::memcpy(text + n, token, static_cast<std::size_t>(length));
  n += length;
  text[n++] = '\n';
  WriteOutput(text, static_cast<std::size_t>(n));
}

}  // namespace

bool ApplyMoveText(Position& position, const char* token, int length) {
  if (length != 4 && length != 5) return false;
  const int from = SquareFromText(token[0], token[1]);
  const int to = SquareFromText(token[2], token[3]);
  if (from >= 64 || to >= 64) return false;
  MoveList list;
  GenerateAllMoves(position, list);
  const int index = FindMove(list, from, to, length == 5 ? token[4] : '\0');
  if (index < 0) return false;
  UndoRecord undo;
  if (position.side_to_move == WHITE) {
    MakeMoveWhite(position, list, index, undo);
    if (WhiteKingAttacked(position)) {
      UnmakeMoveWhite(position, list, index, undo);
      return false;
    }
  } else {
    MakeMoveBlack(position, list, index, undo);
    if (BlackKingAttacked(position)) {
      UnmakeMoveBlack(position, list, index, undo);
      return false;
    }
  }
  position.side_to_move = position.side_to_move == BLACK ? WHITE : BLACK;
  return true;
}

void PositionCommand(const char* line, Position& position) {
  const char* fen = std::strstr(line, "fen ");
  const char* moves = std::strstr(line, "moves ");
  ReadFen(position, fen != nullptr ? fen : START_TEXT);
  if (moves == nullptr) return;
  const char* p = moves + 6;
  while (*p == ' ') ++p;
  while (*p != '\0') {
    const int length = static_cast<int>(std::strcspn(p, " "));
    if (!ApplyMoveText(position, p, length)) {
      ReportIllegalMove(p);
      return;
    }
    p += length;
    while (*p == ' ') ++p;
  }
}

void CopyMovesText(const char* line, char* moves_text) {
  std::memset(moves_text, 0, MOVES_TEXT_SIZE);
  if (const char* moves = std::strstr(line, "moves ")) std::strcpy(moves_text, moves + 6);
}
