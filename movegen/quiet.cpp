#include "board/attacks.h"
#include "board/bitscan.h"
#include "board/slider_attacks.h"
#include "board/tables.h"
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

// The empty squares a slider reaches, ray by ray in the generator's order: the part of the whole
// reach on one ray is that ray's reach.
inline void OrthogonalQuiet(int s, int piece, Bitboard occ, MoveList& list, int& n) {
  const Bitboard reach = RookAttacks(s, occ) & ~occ;
  AddQuiet(reach & ray_up[s], s, piece, n, list);
  AddQuiet(reach & ray_left[s], s, piece, n, list);
  AddQuiet(reach & ray_down[s], s, piece, n, list);
  AddQuiet(reach & ray_right[s], s, piece, n, list);
}

inline void DiagonalQuiet(int s, int piece, Bitboard occ, MoveList& list, int& n) {
  const Bitboard reach = BishopAttacks(s, occ) & ~occ;
  AddQuiet(reach & ray_up_right[s], s, piece, n, list);
  AddQuiet(reach & ray_up_left[s], s, piece, n, list);
  AddQuiet(reach & ray_down_left[s], s, piece, n, list);
  AddQuiet(reach & ray_down_right[s], s, piece, n, list);
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
// Both for a king already standing on its start square.
template <Colour Us>
inline bool CanCastleQueenside(const Position& p) {
  constexpr int e = Us == WHITE ? 4 : 60;
  const int right = Us == WHITE ? p.castle_wq : p.castle_bq;
  return right && (p.occupied & (square_bit[e - 3] | square_bit[e - 2] | square_bit[e - 1])) == 0 &&
         !Attacked<Us>(p, e - 2) && !Attacked<Us>(p, e - 1) && !Attacked<Us>(p, e);
}

template <Colour Us>
inline bool CanCastleKingside(const Position& p) {
  constexpr int e = Us == WHITE ? 4 : 60;
  const int right = Us == WHITE ? p.castle_wk : p.castle_bk;
  return right && (p.occupied & (square_bit[e + 1] | square_bit[e + 2])) == 0 && !Attacked<Us>(p, e) &&
         !Attacked<Us>(p, e + 1) && !Attacked<Us>(p, e + 2);
}

template <Colour Us>
inline void Castling(const Position& p, MoveList& list, int& n) {
  if (CanCastleQueenside<Us>(p)) AddCastling(Us == WHITE ? WHITE_CASTLE_QUEENSIDE : BLACK_CASTLE_QUEENSIDE, list, n);
  if (CanCastleKingside<Us>(p)) AddCastling(Us == WHITE ? WHITE_CASTLE_KINGSIDE : BLACK_CASTLE_KINGSIDE, list, n);
}

// Single and double pushes that do not promote.
template <Colour Us>
inline Bitboard PawnPushTargets(int s, Bitboard occ) {
  const int rank = RankOf(s);
  Bitboard targets = 0;
  if constexpr (Us == WHITE) {
    if (rank == 6 || rank == 7) return 0;
    const Bitboard one = square_bit[s + 8] & ~occ;
    targets = one;
    if (rank == 1 && one) targets |= square_bit[s + 16] & ~occ;
  } else {
    if (rank == 1 || rank == 0) return 0;
    const Bitboard one = square_bit[s - 8] & ~occ;
    targets = one;
    if (rank == 6 && one) targets |= square_bit[s - 16] & ~occ;
  }
  return targets;
}

template <Colour Us>
inline void PawnPushes(int s, Bitboard occ, MoveList& list, int& n) {
  AddQuiet(PawnPushTargets<Us>(s, occ), s, PAWN, n, list);
}

// Whether GenerateQuiet<Us> would list m, answered from the move word and the position alone.
template <Colour Us>
inline bool QuietListed(const Position& p, Move m) {
  const Bitboard* ours = Us == WHITE ? p.white_by_kind : p.black_by_kind;
  const std::int32_t* our_board = Us == WHITE ? p.white_board : p.black_board;
  const int type = MoveTypeOf(m);
  // Only the lowest king of a side moves, and it castles only from its start square.
  const int king = ours[KING] ? LowestBit(ours[KING]) : -1;
  if (type == CASTLE_QUEENSIDE) {
    return m == (Us == WHITE ? WHITE_CASTLE_QUEENSIDE : BLACK_CASTLE_QUEENSIDE) && king == (Us == WHITE ? 4 : 60) &&
           CanCastleQueenside<Us>(p);
  }
  if (type == CASTLE_KINGSIDE) {
    return m == (Us == WHITE ? WHITE_CASTLE_KINGSIDE : BLACK_CASTLE_KINGSIDE) && king == (Us == WHITE ? 4 : 60) &&
           CanCastleKingside<Us>(p);
  }
  const int piece = MovePiece(m), from = MoveFrom(m), to = MoveTo(m);
  if (type != QUIET || m != MakeMoveWord(piece, from, to, QUIET, 0)) return false;
  if (piece < PAWN || piece > KING || our_board[from] != piece) return false;
  const Bitboard occ = p.occupied;
  Bitboard targets;
  switch (piece) {
    case KING: targets = from == king ? king_steps[from] : 0; break;
    case QUEEN: targets = RookAttacks(from, occ) | BishopAttacks(from, occ); break;
    case ROOK: targets = RookAttacks(from, occ); break;
    case BISHOP: targets = BishopAttacks(from, occ); break;
    case KNIGHT: targets = knight_jumps[from]; break;
    default: targets = PawnPushTargets<Us>(from, occ); break;
  }
  return (targets & ~occ & square_bit[to]) != 0;
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
bool QuietListedWhite(const Position& p, Move m) { return QuietListed<WHITE>(p, m); }
bool QuietListedBlack(const Position& p, Move m) { return QuietListed<BLACK>(p, m); }
