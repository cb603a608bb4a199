// Whether a generated move leaves the mover's king attacked, told without making the move where
// that is cheap: a piece that is not pinned may go anywhere (in check: onto the checking piece
// or between it and the king), a pinned one only along its pin line as well, and the king to any
// square no enemy piece reaches once the king is lifted off. The answer is the same as making
// the move and asking whether the mover's king is attacked.
#pragma once

#include "board/attacks.h"
#include "board/bitscan.h"
#include "board/rays.h"
#include "board/types.h"

// The squares a pinned piece may still go to: along its pin line up to and including the
// pinning slider. Only the entries of pinned squares are written.
struct Pins {
  Bitboard pinned = 0;
  Bitboard line[64];
};

namespace legality_detail {

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

// The squares strictly between a and b when they share a line; none otherwise.
template <RayDir D>
inline void BetweenOnRay(int a, int b, Bitboard& between) {
  if (RayTable<D>()[a] & square_bit[b]) between = RayTable<D>()[a] & ~RayTable<D>()[b] & ~square_bit[b];
}

inline Bitboard Between(int a, int b) {
  Bitboard between = 0;
  BetweenOnRay<RayDir::UP>(a, b, between);
  BetweenOnRay<RayDir::DOWN>(a, b, between);
  BetweenOnRay<RayDir::LEFT>(a, b, between);
  BetweenOnRay<RayDir::RIGHT>(a, b, between);
  BetweenOnRay<RayDir::UP_RIGHT>(a, b, between);
  BetweenOnRay<RayDir::UP_LEFT>(a, b, between);
  BetweenOnRay<RayDir::DOWN_RIGHT>(a, b, between);
  BetweenOnRay<RayDir::DOWN_LEFT>(a, b, between);
  return between;
}

}  // namespace legality_detail

template <Colour Us>
void FindPins(const Position& p, int king, Pins& pins) {
  using legality_detail::PinOnRay;
  const Bitboard* theirs = Us == WHITE ? p.black_by_kind : p.white_by_kind;
  const Bitboard ours = Us == WHITE ? p.white_occupied : p.black_occupied;
  const Bitboard straight = theirs[ROOK] | theirs[QUEEN], diagonal = theirs[BISHOP] | theirs[QUEEN];
  pins.pinned = 0;
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
}

enum class Legality { LEGAL, ILLEGAL, MAKE_AND_SEE };

// Answers for the moves of one position of `Us` to move; it reads the position at the first
// question, so a node that asks nothing pays nothing. Without a king or with more than one, and
// for en passant (two pieces leave one rank) and castling, the answer is MAKE_AND_SEE.
template <Colour Us>
class LegalityTest {
 public:
  // Finds out at the first question whether the king is in check.
  LegalityTest() = default;
  // Takes the caller's word that the king is not in check when in_check is false: a search
  // knows it from the move that led to the node.
  explicit LegalityTest(bool in_check) : known_out_of_check_(!in_check) {}

  Legality Of(const Position& p, Move m) {
    if (!read_) Read(p);
    if (!quick_) return Legality::MAKE_AND_SEE;
    const int type = MoveTypeOf(m), from = MoveFrom(m), to = MoveTo(m);
    if (type == EN_PASSANT || type == CASTLE_QUEENSIDE || type == CASTLE_KINGSIDE) return Legality::MAKE_AND_SEE;
    bool legal;
    if (from == king_) {
      legal = Us == WHITE ? !WhiteKingInCheckOn(p, to, without_king_) : !BlackKingInCheckOn(p, to, without_king_);
    } else {
      legal = (targets_ & square_bit[to]) != 0 &&
              ((pins_.pinned & square_bit[from]) == 0 || (pins_.line[from] & square_bit[to]) != 0);
    }
    return legal ? Legality::LEGAL : Legality::ILLEGAL;
  }

 private:
  void Read(const Position& p) {
    read_ = true;
    const Bitboard king_set = Us == WHITE ? p.white_by_kind[KING] : p.black_by_kind[KING];
    if (king_set == 0 || (king_set & (king_set - 1)) != 0) return;
    quick_ = true;
    king_ = LowestBit(king_set);
    without_king_ = p.occupied ^ king_set;
    FindPins<Us>(p, king_, pins_);
    if (known_out_of_check_) return;
    const Bitboard checkers = Us == WHITE ? WhiteKingCheckers(p, king_) : BlackKingCheckers(p, king_);
    if (checkers == 0) return;
    // Against two checkers only the king can move.
    targets_ = (checkers & (checkers - 1)) != 0
                   ? 0
                   : checkers | legality_detail::Between(king_, LowestBit(checkers));
  }

  bool known_out_of_check_ = false;
  bool read_ = false;
  bool quick_ = false;
  int king_ = 0;
  Bitboard without_king_ = 0;
  // Where a piece other than the king must go: anywhere out of check, else onto the checker or
  // between it and the king.
  Bitboard targets_ = ~Bitboard{0};
  Pins pins_;
};
