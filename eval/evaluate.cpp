#include "eval/evaluate.h"

#include "board/bitscan.h"
#include "board/tables.h"
#include "eval/placement.h"
#include "eval/tables.h"
#include "eval/terms.h"

namespace {

// At or below this much opposing non-pawn material a side's king and pawns play by the
// endgame tables.
constexpr int ENDGAME_MATERIAL = 1500;
constexpr int CASTLED_ROOK_BONUS = 50;
constexpr int DOUBLED_PAWN_PENALTY = 20;

constexpr int C1 = 2, D1 = 3, F1 = 5, G1 = 6;
constexpr int C8 = 58, D8 = 59, F8 = 61, G8 = 62;

// Non-pawn material with the phase weights knight 300, bishop 300, rook 500, queen 1000. The kind
// bitboards hold exactly the pieces of the square array, so counting them gives the same sum.
int NonPawnMaterial(const Bitboard (&by_kind)[7]) {
  return 300 * PopCount(by_kind[KNIGHT] | by_kind[BISHOP]) + 500 * PopCount(by_kind[ROOK]) +
         1000 * PopCount(by_kind[QUEEN]);
}

// Tropism of queens, rooks and knights towards the enemy king; nothing when that king is missing.
int TropismTowards(Bitboard pieces, Bitboard enemy_king) {
  if (enemy_king == 0) return 0;
  return TropismSum(pieces, LowestBit(enemy_king));
}

// Number of files holding two or more of the given pawns: a pawn with another pawn of its
// colour somewhere above it on its file marks that file.
int DoubledFiles(Bitboard pawns) {
  Bitboard above = pawns << 8;
  above |= above << 8;
  above |= above << 16;
  above |= above << 32;
  Bitboard marked = pawns & above;
  marked |= marked >> 32;
  marked |= marked >> 16;
  marked |= marked >> 8;
  return PopCount(marked & 0xFF);
}

}  // namespace

int EvaluatePosition(const Position& position) { return EvaluatePosition(position, PlacementOf(position)); }

int EvaluatePosition(const Position& position, Placement sums) {
  const Bitboard(&white)[7] = position.white_by_kind;
  const Bitboard(&black)[7] = position.black_by_kind;
  const bool white_endgame = NonPawnMaterial(black) <= ENDGAME_MATERIAL;
  const bool black_endgame = NonPawnMaterial(white) <= ENDGAME_MATERIAL;
  int score = 0;

  if (white[KING] != 0) {
    const int k = LowestBit(white[KING]);
    if (white_endgame) {
      score += king_endgame_table[k];
    } else if ((k == G1 && (white[ROOK] & square_bit[F1])) || (k == C1 && (white[ROOK] & square_bit[D1]))) {
      score += CASTLED_ROOK_BONUS;
    }
  }

  if (black[KING] != 0) {
    const int k = LowestBit(black[KING]);
    if (black_endgame) {
      score -= king_endgame_table[k];
    } else {
      score += BlackKingShelter(position, k);
      if ((k == G8 && (black[ROOK] & square_bit[F8])) || (k == C8 && (black[ROOK] & square_bit[D8]))) {
        score -= CASTLED_ROOK_BONUS;
      }
    }
  }

  // Each mobility total covers all pieces of its kind and is added once per such piece.
  if (white[ROOK] != 0) score += PopCount(white[ROOK]) * RookMobilityWhite(position);
  if (white[BISHOP] != 0) score += PopCount(white[BISHOP]) * BishopMobilityWhite(position);
  score += PlacementPart(sums.white, white_endgame);
  score += TropismTowards(white[QUEEN] | white[ROOK] | white[KNIGHT], black[KING]);

  if (black[ROOK] != 0) score -= PopCount(black[ROOK]) * RookMobilityBlack(position);
  if (black[BISHOP] != 0) score -= PopCount(black[BISHOP]) * BishopMobilityBlack(position);
  score -= PlacementPart(sums.black, black_endgame);
  score -= TropismTowards(black[QUEEN] | black[ROOK] | black[KNIGHT], white[KING]);

  score -= DOUBLED_PAWN_PENALTY * DoubledFiles(white[PAWN]);
  score += DOUBLED_PAWN_PENALTY * DoubledFiles(black[PAWN]);
  return score;
}
