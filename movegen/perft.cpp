#include "movegen/perft.h"

#include "board/attacks.h"
#include "board/make_move.h"
#include "movegen/generate.h"
#include "movegen/legal_count.h"

namespace {

template <Colour Us>
std::uint64_t PerftSide(Position& p, int depth) {
  MoveList list;
  GenerateMoves<Us>(p, list);
  // The last ply's moves are counted, not made.
  if (depth == 1) return Us == WHITE ? CountLegalWhite(p, list) : CountLegalBlack(p, list);
  std::uint64_t total = 0;
  UndoRecord undo;
  for (int i = 0; i < list.count; ++i) {
    if constexpr (Us == WHITE) {
      MakeMoveWhite(p, list, i, undo);
      if (!WhiteKingInCheck(p)) total += PerftSide<BLACK>(p, depth - 1);
      UnmakeMoveWhite(p, list, i, undo);
    } else {
      MakeMoveBlack(p, list, i, undo);
      if (!BlackKingInCheck(p)) total += PerftSide<WHITE>(p, depth - 1);
      UnmakeMoveBlack(p, list, i, undo);
    }
  }
  return total;
}

}  // namespace

std::uint64_t Perft(Position& p, int depth) {
  if (depth <= 0) return 1;
  return p.side_to_move == WHITE ? PerftSide<WHITE>(p, depth) : PerftSide<BLACK>(p, depth);
}
