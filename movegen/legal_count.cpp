#include "movegen/legal_count.h"

#include "board/attacks.h"
#include "board/make_move.h"
#include "board/rays.h"

namespace {

// The squares a pinned piece may still go to: along its pin line up to and including the
// pinning slider. Pieces that are not pinned may go anywhere.
struct Pins {
  Bitboard pinned = 0;
  Bitboard line[64];
};

// The piece of ours nearest the king on ray D is pinned when the next piece beyond it is one of
// their sliders that moves along D.
template <RayDir D>
inline void PinOnRay(int king, Bitboard occupied, Bitboard ours, Bitboard their_sliders, Pins& pins) {
  const Bitboard& ray = RayTable<D>()[king];
  const Bitboard blockers = ray & occupied;
  if (blockers == 0) return;
  const int first = NearestBlocker<D>(blockers);
  if ((square_bit[first] & ours) == 0) return;
  const Bitboard beyond = RayTable<D>()[first] & occupied;
  if (beyond == 0) return;
  const int second = NearestBlocker<D>(beyond);
  if ((square_bit[second] & their_sliders) == 0) return;
  pins.pinned |= square_bit[first];
  pins.line[first] = ray & ~RayTable<D>()[second];
}

template <Colour Us>
Pins FindPins(const Position& p, int king) {
  const Bitboard* theirs = Us == WHITE ? p.black_by_kind : p.white_by_kind;
  const Bitboard ours = Us == WHITE ? p.white_occupied : p.black_occupied;
  const Bitboard straight = theirs[ROOK] | theirs[QUEEN], diagonal = theirs[BISHOP] | theirs[QUEEN];
  Pins pins;
  if (orthogonal_lines[king] & straight) {
    PinOnRay<RayDir::UP>(king, p.occupied, ours, straight, pins);
    PinOnRay<RayDir::DOWN>(king, p.occupied, ours, straight, pins);
    PinOnRay<RayDir::LEFT>(king, p.occupied, ours, straight, pins);
    PinOnRay<RayDir::RIGHT>(king, p.occupied, ours, straight, pins);
  }
  if (diagonal_lines[king] & diagonal) {
    PinOnRay<RayDir::UP_RIGHT>(king, p.occupied, ours, diagonal, pins);
    PinOnRay<RayDir::UP_LEFT>(king, p.occupied, ours, diagonal, pins);
    PinOnRay<RayDir::DOWN_RIGHT>(king, p.occupied, ours, diagonal, pins);
    PinOnRay<RayDir::DOWN_LEFT>(king, p.occupied, ours, diagonal, pins);
  }
  return pins;
}

template <Colour Us>
inline bool KingInCheck(const Position& p) {
  return Us == WHITE ? WhiteKingInCheck(p) : BlackKingInCheck(p);
}

template <Colour Us>
bool LegalByMaking(Position& p, const MoveList& list, int i) {
  UndoRecord undo;
  if constexpr (Us == WHITE) MakeMoveWhite(p, list, i, undo);
  else MakeMoveBlack(p, list, i, undo);
  const bool legal = !KingInCheck<Us>(p);
  if constexpr (Us == WHITE) UnmakeMoveWhite(p, list, i, undo);
  else UnmakeMoveBlack(p, list, i, undo);
  return legal;
}

template <Colour Us>
std::uint64_t CountLegal(Position& p, const MoveList& list) {
  const Bitboard king_set = Us == WHITE ? p.white_by_kind[KING] : p.black_by_kind[KING];
  std::uint64_t count = 0;
  // In check, without a king or with more than one, every move is made and tested.
  if (king_set == 0 || (king_set & (king_set - 1)) != 0 || KingInCheck<Us>(p)) {
    for (int i = 0; i < list.count; ++i) count += LegalByMaking<Us>(p, list, i);
    return count;
  }
  const int king = LowestBit(king_set);
  const Pins pins = FindPins<Us>(p, king);
  const Bitboard without_king = p.occupied ^ king_set;
  for (int i = 0; i < list.count; ++i) {
    const Move m = list.moves[i];
    const int type = MoveTypeOf(m), from = MoveFrom(m), to = MoveTo(m);
    if (type == EN_PASSANT || type == CASTLE_QUEENSIDE || type == CASTLE_KINGSIDE) {
      // Rare, and en passant takes two pieces off one rank at once.
      count += LegalByMaking<Us>(p, list, i);
    } else if (from == king) {
      count += Us == WHITE ? !WhiteKingInCheckOn(p, to, without_king) : !BlackKingInCheckOn(p, to, without_king);
    } else {
      count += (pins.pinned & square_bit[from]) == 0 || (pins.line[from] & square_bit[to]) != 0;
    }
  }
  return count;
}

}  // namespace

std::uint64_t CountLegalWhite(Position& p, const MoveList& list) { return CountLegal<WHITE>(p, list); }
std::uint64_t CountLegalBlack(Position& p, const MoveList& list) { return CountLegal<BLACK>(p, list); }
