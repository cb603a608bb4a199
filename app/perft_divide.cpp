#include "app/perft_divide.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "board/attacks.h"
#include "board/bitscan.h"
#include "board/fen.h"
#include "board/make_move.h"
#include "board/move_text.h"
#include "io/output.h"
#include "movegen/generate.h"
#include "movegen/perft.h"

namespace {

Position position;
MoveList root_moves;

bool PlacementIsWellFormed(const char* placement, std::size_t length) {
  int ranks = 1, squares = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const char c = placement[i];
    if (c == '/') {
      if (squares != 8) return false;
      ++ranks;
      squares = 0;
    } else if (c >= '1' && c <= '8') {
      squares += c - '0';
    } else if (std::strchr("pnbrqkPNBRQK", c) != nullptr) {
      ++squares;
    } else {
      return false;
    }
    if (squares > 8) return false;
  }
  return ranks == 8 && squares == 8;
}

constexpr Bitboard FIRST_AND_LAST_RANKS = 0xFF000000000000FFull;

}  // namespace

bool PerftFenIsPlayable(const char* fen) {
  const char* blank = std::strchr(fen, ' ');
  if (blank == nullptr || !PlacementIsWellFormed(fen, static_cast<std::size_t>(blank - fen))) return false;
  if ((blank[1] != 'w' && blank[1] != 'b') || (blank[2] != ' ' && blank[2] != '\0')) return false;
  ReadFen(position, (std::string("fen ") + fen).c_str());
  if (PopCount(position.white_by_kind[KING]) != 1 || PopCount(position.black_by_kind[KING]) != 1) return false;
  if ((position.white_by_kind[PAWN] | position.black_by_kind[PAWN]) & FIRST_AND_LAST_RANKS) return false;
  return position.side_to_move == WHITE ? !BlackKingInCheck(position) : !WhiteKingInCheck(position);
}

void PerftDivide(int depth, const char* fen) {
  ReadFen(position, (std::string("fen ") + fen).c_str());
  GenerateAllMoves(position, root_moves);
  std::uint64_t total = 0;
  const bool white = position.side_to_move == WHITE;
  for (int i = 0; i < root_moves.count && depth > 0; ++i) {
    UndoRecord undo;
    white ? MakeMoveWhite(position, root_moves, i, undo) : MakeMoveBlack(position, root_moves, i, undo);
    if (!(white ? WhiteKingAttacked(position) : BlackKingAttacked(position))) {
      position.side_to_move = 1 - position.side_to_move;
      const std::uint64_t count = Perft(position, depth - 1);
      position.side_to_move = 1 - position.side_to_move;
      char text[8];
      MoveToText(root_moves.moves[i], text);
      std::printf("%s: %llu\n", text, static_cast<unsigned long long>(count));
      FlushOutput();
      total += count;
    }
    white ? UnmakeMoveWhite(position, root_moves, i, undo) : UnmakeMoveBlack(position, root_moves, i, undo);
  }
  if (depth <= 0) total = 1;
  std::printf("\nNodes searched: %llu\n", static_cast<unsigned long long>(total));
  FlushOutput();
}
