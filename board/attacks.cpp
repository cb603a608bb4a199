#include "board/attacks.h"

#include "board/slider_attacks.h"
#include "board/rays.h"

namespace {

// The nearest piece along the ray, when it is the attacker's rook or queen (orthogonal rays)
// or bishop or queen (diagonal rays); 0 otherwise.
template <RayDir D>
inline int SliderOnRay(int s, Bitboard occupied, Bitboard attackers, const std::int32_t* attacker_board) {
  const Bitboard blockers = RayTable<D>()[s] & occupied;
  if (blockers == 0) return 0;
  const int b = NearestBlocker<D>(blockers);
  if ((square_bit[b] & attackers) == 0) return 0;
  const int kind = attacker_board[b];
  if (kind == QUEEN || kind == (IsDiagonal(D) ? BISHOP : ROOK)) return kind;
  return 0;
}

// The squares the king tests look at for an attacking pawn: for the White king, s + 7 and s + 9
// below rank 8; for the Black king, s - 7 and s - 9 from g2 (14) upwards only.
constexpr tables_detail::Table PawnLookups(bool white_king) {
  tables_detail::Table t{};
  for (int s = 0; s < 64; ++s) {
    if (white_king && s < 56) {
      if (FileOf(s) != 0) t[s] |= Bitboard{1} << (s + 7);
      if (FileOf(s) != 7) t[s] |= Bitboard{1} << (s + 9);
    }
    if (!white_king && s >= 14) {
      if (FileOf(s) != 7) t[s] |= Bitboard{1} << (s - 7);
      if (FileOf(s) != 0) t[s] |= Bitboard{1} << (s - 9);
    }
  }
  return t;
}
constexpr tables_detail::Table white_king_pawn_lookups = PawnLookups(true);
constexpr tables_detail::Table black_king_pawn_lookups = PawnLookups(false);

// Every piece of `attacker` that reaches s, with the given pawn squares. A slider's reach is
// looked up only when one of them stands on the square's lines.
inline Bitboard Attackers(int s, Bitboard occupied, const Bitboard* attacker, Bitboard pawn_lookups) {
  Bitboard hits =
      (knight_jumps[s] & attacker[KNIGHT]) | (king_steps[s] & attacker[KING]) | (pawn_lookups & attacker[PAWN]);
  const Bitboard straight = attacker[ROOK] | attacker[QUEEN];
  const Bitboard diagonal = attacker[BISHOP] | attacker[QUEEN];
  if (orthogonal_lines[s] & straight) hits |= RookAttacks(s, occupied) & straight;
  if (diagonal_lines[s] & diagonal) hits |= BishopAttacks(s, occupied) & diagonal;
  return hits;
}

inline bool AnyAttacker(int s, Bitboard occupied, const Bitboard* attacker, Bitboard pawn_lookups) {
  return Attackers(s, occupied, attacker, pawn_lookups) != 0;
}

template <Colour Attacker>
inline int KnightOrKing(const Position& p, int s) {
  const Bitboard* by_kind = Attacker == WHITE ? p.white_by_kind : p.black_by_kind;
  if (knight_jumps[s] & by_kind[KNIGHT]) return KNIGHT;
  if (king_steps[s] & by_kind[KING]) return KING;
  return 0;
}

}  // namespace

int WhiteKingAttacked(const Position& p) {
  const Bitboard king = p.white_by_kind[KING];
  if (king == 0) return 0;
  const int s = LowestBit(king);
  const Bitboard occ = p.occupied, them = p.black_occupied;
  const std::int32_t* board = p.black_board;
  int k;
  // The rays are only walked when an enemy slider stands on the king's lines at all; without
  // one they could find nothing, so the answer is the same.
  if (orthogonal_lines[s] & (p.black_by_kind[ROOK] | p.black_by_kind[QUEEN])) {
    if ((k = SliderOnRay<RayDir::UP>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::LEFT>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::DOWN>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::RIGHT>(s, occ, them, board))) return k;
  }
  if (diagonal_lines[s] & (p.black_by_kind[BISHOP] | p.black_by_kind[QUEEN])) {
    if ((k = SliderOnRay<RayDir::UP_RIGHT>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::UP_LEFT>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::DOWN_LEFT>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::DOWN_RIGHT>(s, occ, them, board))) return k;
  }
  if ((k = KnightOrKing<BLACK>(p, s))) return k;
  if (s < 56) {
    if (FileOf(s) != 0 && board[s + 7] == PAWN) return PAWN;
    if (FileOf(s) != 7 && board[s + 9] == PAWN) return PAWN;
  }
  return 0;
}

int BlackKingAttacked(const Position& p) {
  const Bitboard king = p.black_by_kind[KING];
  if (king == 0) return 0;
  const int s = LowestBit(king);
  const Bitboard occ = p.occupied, them = p.white_occupied;
  const std::int32_t* board = p.white_board;
  int k;
  if (orthogonal_lines[s] & (p.white_by_kind[ROOK] | p.white_by_kind[QUEEN])) {
    if ((k = SliderOnRay<RayDir::UP>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::DOWN>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::LEFT>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::RIGHT>(s, occ, them, board))) return k;
  }
  if (diagonal_lines[s] & (p.white_by_kind[BISHOP] | p.white_by_kind[QUEEN])) {
    if ((k = SliderOnRay<RayDir::DOWN_RIGHT>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::UP_RIGHT>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::UP_LEFT>(s, occ, them, board))) return k;
    if ((k = SliderOnRay<RayDir::DOWN_LEFT>(s, occ, them, board))) return k;
  }
  if ((k = KnightOrKing<WHITE>(p, s))) return k;
  // White pawns are looked for only from g2 (14) upwards, not from a2.
  if (s >= 14) {
    if (FileOf(s) != 7 && board[s - 7] == PAWN) return PAWN;
    if (FileOf(s) != 0 && board[s - 9] == PAWN) return PAWN;
  }
  return 0;
}

int SquareAttackedByBlack(const Position& p, int s) {
  const Bitboard occ = p.occupied, them = p.black_occupied;
  const std::int32_t* board = p.black_board;
  int k;
  if ((k = SliderOnRay<RayDir::UP>(s, occ, them, board))) return k;
  if ((k = SliderOnRay<RayDir::LEFT>(s, occ, them, board))) return k;
  if ((k = SliderOnRay<RayDir::RIGHT>(s, occ, them, board))) return k;
  if ((k = SliderOnRay<RayDir::UP_RIGHT>(s, occ, them, board))) return k;
  if ((k = SliderOnRay<RayDir::UP_LEFT>(s, occ, them, board))) return k;
  if ((k = KnightOrKing<BLACK>(p, s))) return k;
  if (board[s + 7] == PAWN || board[s + 9] == PAWN) return PAWN;
  return 0;
}

int SquareAttackedByWhite(const Position& p, int s) {
  const Bitboard occ = p.occupied, them = p.white_occupied;
  const std::int32_t* board = p.white_board;
  int k;
  if ((k = SliderOnRay<RayDir::DOWN>(s, occ, them, board))) return k;
  if ((k = SliderOnRay<RayDir::LEFT>(s, occ, them, board))) return k;
  if ((k = SliderOnRay<RayDir::RIGHT>(s, occ, them, board))) return k;
  if ((k = SliderOnRay<RayDir::DOWN_RIGHT>(s, occ, them, board))) return k;
  if ((k = SliderOnRay<RayDir::DOWN_LEFT>(s, occ, them, board))) return k;
  if ((k = KnightOrKing<WHITE>(p, s))) return k;
  if (board[s - 7] == PAWN || board[s - 9] == PAWN) return PAWN;
  return 0;
}

Bitboard WhiteKingCheckers(const Position& p, int s) {
  return Attackers(s, p.occupied, p.black_by_kind, white_king_pawn_lookups[s]);
}

Bitboard BlackKingCheckers(const Position& p, int s) {
  return Attackers(s, p.occupied, p.white_by_kind, black_king_pawn_lookups[s]);
}

bool WhiteKingInCheck(const Position& p) {
  const Bitboard king = p.white_by_kind[KING];
  if (king == 0) return false;
  const int s = LowestBit(king);
  return AnyAttacker(s, p.occupied, p.black_by_kind, white_king_pawn_lookups[s]);
}

bool BlackKingInCheck(const Position& p) {
  const Bitboard king = p.black_by_kind[KING];
  if (king == 0) return false;
  const int s = LowestBit(king);
  return AnyAttacker(s, p.occupied, p.white_by_kind, black_king_pawn_lookups[s]);
}

bool WhiteKingInCheckOn(const Position& p, int s, Bitboard occupied) {
  return AnyAttacker(s, occupied, p.black_by_kind, white_king_pawn_lookups[s]);
}

bool BlackKingInCheckOn(const Position& p, int s, Bitboard occupied) {
  return AnyAttacker(s, occupied, p.white_by_kind, black_king_pawn_lookups[s]);
}
