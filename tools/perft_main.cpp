// morva-perft DEPTH [FEN]: counts the legal move tree below each root move.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "board/attacks.h"
#include "board/fen.h"
#include "board/make_move.h"
#include "movegen/generate.h"
#include "movegen/perft.h"
#include "uci/move_text.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: morva-perft DEPTH [FEN]\n");
    return 2;
  }
  const int depth = std::atoi(argv[1]);
  std::string fen = "fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  if (argc > 2) {
    fen = "fen";
    for (int i = 2; i < argc; ++i) fen += std::string(" ") + argv[i];
  }
  static Position position;
  ReadFen(position, fen.c_str());

  static MoveList list;
  GenerateAllMoves(position, list);
  std::uint64_t total = 0;
  const bool white = position.side_to_move == WHITE;
  for (int i = 0; i < list.count && depth > 0; ++i) {
    UndoRecord undo;
    white ? MakeMoveWhite(position, list, i, undo) : MakeMoveBlack(position, list, i, undo);
    if (!(white ? WhiteKingAttacked(position) : BlackKingAttacked(position))) {
      position.side_to_move = 1 - position.side_to_move;
      const std::uint64_t count = Perft(position, depth - 1);
      position.side_to_move = 1 - position.side_to_move;
      char text[8];
      MoveToText(list.moves[i], text);
      std::printf("%s: %llu\n", text, static_cast<unsigned long long>(count));
      total += count;
    }
    white ? UnmakeMoveWhite(position, list, i, undo) : UnmakeMoveBlack(position, list, i, undo);
  }
  if (depth <= 0) total = 1;
  std::printf("\nNodes searched: %llu\n", static_cast<unsigned long long>(total));
  return 0;
}
