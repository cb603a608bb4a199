#include "movegen/legal_count.h"

#include "board/attacks.h"
#include "board/make_move.h"
#include "movegen/legality.h"

namespace {

template <Colour Us>
bool LegalByMaking(Position& p, const MoveList& list, int i) {
  UndoRecord undo;
  if constexpr (Us == WHITE) MakeMoveWhite(p, list, i, undo);
  else MakeMoveBlack(p, list, i, undo);
  const bool legal = Us == WHITE ? !WhiteKingInCheck(p) : !BlackKingInCheck(p);
  if constexpr (Us == WHITE) UnmakeMoveWhite(p, list, i, undo);
  else UnmakeMoveBlack(p, list, i, undo);
  return legal;
}

template <Colour Us>
std::uint64_t CountLegal(Position& p, const MoveList& list) {
  LegalityTest<Us> legality;
  std::uint64_t count = 0;
  for (int i = 0; i < list.count; ++i) {
    const Legality answer = legality.Of(p, list.moves[i]);
    count += answer == Legality::MAKE_AND_SEE ? LegalByMaking<Us>(p, list, i) : answer == Legality::LEGAL;
  }
  return count;
}

}  // namespace

std::uint64_t CountLegalWhite(Position& p, const MoveList& list) { return CountLegal<WHITE>(p, list); }
std::uint64_t CountLegalBlack(Position& p, const MoveList& list) { return CountLegal<BLACK>(p, list); }
