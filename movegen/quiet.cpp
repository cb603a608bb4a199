#include "board/attacks.h"
#include "board/rays.h"
#include "movegen/generate.h"

namespace {

// Quiet moves score by how much closer to the centre they go; the same table for every piece
// and both colours (rank 1 first).
constexpr std::int32_t quiet_move_bonus[64] = {
    10, 11, 12, 13, 13, 12, 11, 10,  //
    10, 21, 22, 23, 23, 22, 21, 10,  //
    10, 21, 32, 33, 33, 32, 21, 10,  //
    10, 21, 32, 43, 43, 32, 21, 10,  //
    10, 21, 32, 43, 43, 32, 21, 10,  //
    10, 21, 32, 33, 33, 32, 21, 10,  //
    10, 21, 22, 23, 23, 22, 21, 10,  //
    10, 10, 10, 10, 10, 10, 10, 10,  //
};
constexpr int CASTLING_SCORE = 50;

inline void AddQuiet(Bitboard targets, int from, int piece, int& n, MoveList& list) {
  while (targets) {
    const int t = PopLowest(targets);
    list.moves[n] = MakeMoveWord(piece, from, t, QUIET, 0);
    list.scores[n] = quiet_move_bonus[t] - quiet_move_bonus[from];
    ++n;
  }
}

template <RayDir D>
inline void RayQuiet(int s, int piece, Bitboard occupied, MoveList& list, int& n) {
  AddQuiet(RayReach<D>(s, occupied) & ~occupied, s, piece, n, list);
}

inline void OrthogonalQuiet(int s, int piece, Bitboard occ, MoveList& list, int& n) {
  RayQuiet<RayDir::UP>(s, piece, occ, list, n);
  RayQuiet<RayDir::LEFT>(s, piece, occ, list, n);
  RayQuiet<RayDir::DOWN>(s, piece, occ, list, n);
  RayQuiet<RayDir::RIGHT>(s, piece, occ, list, n);
}

inline void DiagonalQuiet(int s, int piece, Bitboard occ, MoveList& list, int& n) {
  RayQuiet<RayDir::UP_RIGHT>(s, piece, occ, list, n);
  RayQuiet<RayDir::UP_LEFT>(s, piece, occ, list, n);
  RayQuiet<RayDir::DOWN_LEFT>(s, piece, occ, list, n);
  RayQuiet<RayDir::DOWN_RIGHT>(s, piece, occ, list, n);
}

inline void AddCastling(Move word, MoveList& list, int& n) {
  list.moves[n] = word;
  list.scores[n] = CASTLING_SCORE;
  ++n;
}

template <Colour Us>
inline bool Attacked(const Position& p, int square) {
  return Us == WHITE ? SquareAttackedByBlack(p, square) != 0 : SquareAttackedByWhite(p, square) != 0;
}

// Castling needs the right, the squares between king and rook empty, and the king's start,
// passage and landing squares unattacked (tested in that order). The right stands for the rook.
template <Colour Us>
inline void Castling(const Position& p, MoveList& list, int& n) {
  const int e = Us == WHITE ? 4 : 60;
  const int queen_right = Us == WHITE ? p.castle_wq : p.castle_bq;
  const int king_right = Us == WHITE ? p.castle_wk : p.castle_bk;
  const Bitboard occ = p.occupied;
  if (queen_right && (occ & (square_bit[e - 3] | square_bit[e - 2] | square_bit[e - 1])) == 0 &&
      !Attacked<Us>(p, e - 2) && !Attacked<Us>(p, e - 1) && !Attacked<Us>(p, e)) {
    AddCastling(Us == WHITE ? WHITE_CASTLE_QUEENSIDE : BLACK_CASTLE_QUEENSIDE, list, n);
  }
  if (king_right && (occ & (square_bit[e + 1] | square_bit[e + 2])) == 0 && !Attacked<Us>(p, e) &&
      !Attacked<Us>(p, e + 1) && !Attacked<Us>(p, e + 2)) {
    AddCastling(Us == WHITE ? WHITE_CASTLE_KINGSIDE : BLACK_CASTLE_KINGSIDE, list, n);
  }
}

template <Colour Us>
inline void PawnPushes(int s, Bitboard occ, MoveList& list, int& n) {
  const int rank = RankOf(s);
  Bitboard targets = 0;
  if constexpr (Us == WHITE) {
    if (rank == 6 || rank == 7) return;
    const Bitboard one = square_bit[s + 8] & ~occ;
    targets = one;
    if (rank == 1 && one) targets |= square_bit[s + 16] & ~occ;
  } else {
    if (rank == 1 || rank == 0) return;
    const Bitboard one = square_bit[s - 8] & ~occ;
    targets = one;
    if (rank == 6 && one) targets |= square_bit[s - 16] & ~occ;
  }
  AddQuiet(targets, s, PAWN, n, list);
}

template <Colour Us>
inline void GenerateQuiet(const Position& p, MoveList& list) {
  const Bitboard* ours = Us == WHITE ? p.white_by_kind : p.black_by_kind;
  const Bitboard occ = p.occupied;
  int n = list.count;
  if (ours[KING]) {
    const int k = LowestBit(ours[KING]);
    AddQuiet(king_steps[k] & ~occ, k, KING, n, list);
    if (k == (Us == WHITE ? 4 : 60)) Castling<Us>(p, list, n);
  }
  for (Bitboard b = ours[QUEEN]; b;) {
    const int s = PopLowest(b);
    OrthogonalQuiet(s, QUEEN, occ, list, n);
    DiagonalQuiet(s, QUEEN, occ, list, n);
  }
  for (Bitboard b = ours[ROOK]; b;) OrthogonalQuiet(PopLowest(b), ROOK, occ, list, n);
  for (Bitboard b = ours[BISHOP]; b;) DiagonalQuiet(PopLowest(b), BISHOP, occ, list, n);
  for (Bitboard b = ours[KNIGHT]; b;) {
    const int s = PopLowest(b);
    AddQuiet(knight_jumps[s] & ~occ, s, KNIGHT, n, list);
  }
  for (Bitboard b = ours[PAWN]; b;) PawnPushes<Us>(PopLowest(b), occ, list, n);
  list.count = n;
}

}  // namespace

void AddQuietMoves(Bitboard targets, int from, int piece, int& n, MoveList& list) {
  AddQuiet(targets, from, piece, n, list);
}
void GenerateQuietWhite(const Position& p, MoveList& list) { GenerateQuiet<WHITE>(p, list); }
void GenerateQuietBlack(const Position& p, MoveList& list) { GenerateQuiet<BLACK>(p, list); }
