#include "board/bitscan.h"
#include "board/slider_attacks.h"
#include "board/tables.h"
#include "movegen/generate.h"

namespace {

constexpr Bitboard FILE_A = 0x0101010101010101ULL;
constexpr Bitboard FILE_H = FILE_A << 7;
constexpr Bitboard RANK_1 = 0xFFULL;
constexpr Bitboard RANK_8 = RANK_1 << 56;
constexpr int PROMOTION_SCORE = 50;

template <Colour Us>
inline void AddCapture(int to, int from, int piece, const Position& p, MoveList& list, int& n) {
  const int captured = Us == WHITE ? p.black_board[to] : p.white_board[to];
  list.moves[n] = MakeMoveWord(piece, from, to, CAPTURE, captured);
  list.scores[n] = 100 * captured - piece;
  ++n;
}

template <Colour Us>
inline void AddCaptures(Bitboard targets, int from, int piece, const Position& p, MoveList& list, int& n) {
  while (targets) AddCapture<Us>(PopLowest(targets), from, piece, p, list, n);
}

// The captures of a slider, ray by ray in the generator's order: on each ray the reach ends at
// the nearest piece, which is a capture when it is the opponent's. A slider with no opposing
// piece anywhere on its lines has nothing to take.
template <Colour Us>
inline void OrthogonalCaptures(int s, int piece, const Position& p, Bitboard theirs, MoveList& list, int& n) {
  if ((orthogonal_lines[s] & theirs) == 0) return;
  const Bitboard targets = RookAttacks(s, p.occupied) & theirs;
  if (targets == 0) return;
  // A single capture needs no ray order.
  if ((targets & (targets - 1)) == 0) return AddCapture<Us>(LowestBit(targets), s, piece, p, list, n);
  AddCaptures<Us>(targets & ray_up[s], s, piece, p, list, n);
  AddCaptures<Us>(targets & ray_left[s], s, piece, p, list, n);
  AddCaptures<Us>(targets & ray_down[s], s, piece, p, list, n);
  AddCaptures<Us>(targets & ray_right[s], s, piece, p, list, n);
}

template <Colour Us>
inline void DiagonalCaptures(int s, int piece, const Position& p, Bitboard theirs, MoveList& list, int& n) {
  if ((diagonal_lines[s] & theirs) == 0) return;
  const Bitboard targets = BishopAttacks(s, p.occupied) & theirs;
  if (targets == 0) return;
  if ((targets & (targets - 1)) == 0) return AddCapture<Us>(LowestBit(targets), s, piece, p, list, n);
  AddCaptures<Us>(targets & ray_up_right[s], s, piece, p, list, n);
  AddCaptures<Us>(targets & ray_up_left[s], s, piece, p, list, n);
  AddCaptures<Us>(targets & ray_down_left[s], s, piece, p, list, n);
  AddCaptures<Us>(targets & ray_down_right[s], s, piece, p, list, n);
}

inline void AddPromotions(int from, int to, int captured, MoveList& list, int& n) {
  const int base = captured ? CAPTURE_PROMOTE_QUEEN : PROMOTE_QUEEN;
  for (int type = base; type > base - 4; --type) {
    list.moves[n] = MakeMoveWord(PAWN, from, to, type, captured);
    list.scores[n] = PROMOTION_SCORE;
    ++n;
  }
}

inline void AddEnPassant(int from, int to, int captured, MoveList& list, int& n) {
  list.moves[n] = MakeMoveWord(PAWN, from, to, EN_PASSANT, captured);
  list.scores[n] = PROMOTION_SCORE;
  ++n;
}

// The two squares a pawn on s takes on.
template <Colour Us>
inline Bitboard PawnDiagonals(int s) {
  const Bitboard b = square_bit[s];
  if constexpr (Us == WHITE) return ((b & ~FILE_H) << 9) | ((b & ~FILE_A) << 7);
  else return ((b & ~FILE_A) >> 9) | ((b & ~FILE_H) >> 7);
}

template <Colour Us>
inline void PawnCaptures(int s, const Position& p, Bitboard theirs, MoveList& list, int& n) {
  const int file = FileOf(s);
  const std::int32_t* their_board = Us == WHITE ? p.black_board : p.white_board;
  const Bitboard diagonals = PawnDiagonals<Us>(s);
  const Bitboard last_rank = Us == WHITE ? RANK_8 : RANK_1;
  AddCaptures<Us>(diagonals & theirs & ~last_rank, s, PAWN, p, list, n);

  const int seventh = Us == WHITE ? 6 : 1;
  const int ahead = Us == WHITE ? s + 8 : s - 8;
  if (RankOf(s) == seventh && (p.occupied & square_bit[ahead]) == 0) AddPromotions(s, ahead, 0, list, n);

  Bitboard promotion_targets = diagonals & theirs & last_rank;
  while (promotion_targets) {
    const int t = PopLowest(promotion_targets);
    AddPromotions(s, t, their_board[t], list, n);
  }

  if (p.ep_flag != 1) return;
  const int e = p.ep_file + 8 * p.ep_rank;
  if constexpr (Us == WHITE) {
    if (e == s + 9 && file != 7) AddEnPassant(s, e, their_board[e - 8], list, n);
    if (e == s + 7 && file != 0) AddEnPassant(s, e, their_board[e - 8], list, n);
  } else {
    if (e == s - 9 && file != 0) AddEnPassant(s, e, their_board[e + 8], list, n);
    if (e == s - 7 && file != 7) AddEnPassant(s, e, their_board[e + 8], list, n);
  }
}

// The pawns that have anything to add: a piece to take, a promotion square ahead, or an
// en-passant right to look at. The others would append nothing, so skipping them keeps the order.
template <Colour Us>
inline Bitboard PawnsWithForcingMoves(Bitboard pawns, Bitboard theirs, const Position& p) {
  if (p.ep_flag == 1) return pawns;
  if constexpr (Us == WHITE) {
    return pawns & (((theirs >> 7) & ~FILE_A) | ((theirs >> 9) & ~FILE_H) | (RANK_1 << 48));
  } else {
    return pawns & (((theirs << 9) & ~FILE_A) | ((theirs << 7) & ~FILE_H) | (RANK_1 << 8));
  }
}

template <Colour Us>
inline void GenerateCaptures(const Position& p, MoveList& list) {
  const Bitboard* ours = Us == WHITE ? p.white_by_kind : p.black_by_kind;
  const Bitboard theirs = Us == WHITE ? p.black_occupied : p.white_occupied;
  int n = 0;
  if (ours[KING]) {
    const int k = LowestBit(ours[KING]);
    AddCaptures<Us>(king_steps[k] & theirs, k, KING, p, list, n);
  }
  for (Bitboard b = ours[QUEEN]; b;) {
    const int s = PopLowest(b);
    OrthogonalCaptures<Us>(s, QUEEN, p, theirs, list, n);
    DiagonalCaptures<Us>(s, QUEEN, p, theirs, list, n);
  }
  for (Bitboard b = ours[ROOK]; b;) OrthogonalCaptures<Us>(PopLowest(b), ROOK, p, theirs, list, n);
  for (Bitboard b = ours[BISHOP]; b;) DiagonalCaptures<Us>(PopLowest(b), BISHOP, p, theirs, list, n);
  for (Bitboard b = ours[KNIGHT]; b;) {
    const int s = PopLowest(b);
    AddCaptures<Us>(knight_jumps[s] & theirs, s, KNIGHT, p, list, n);
  }
  for (Bitboard b = PawnsWithForcingMoves<Us>(ours[PAWN], theirs, p); b;) PawnCaptures<Us>(PopLowest(b), p, theirs, list, n);
  list.capture_count = list.count = n;
}

// Whether GenerateCaptures<Us> would list m as a plain capture, answered from the move word and
// the position alone.
template <Colour Us>
inline bool PlainCaptureListed(const Position& p, Move m) {
  const Bitboard* ours = Us == WHITE ? p.white_by_kind : p.black_by_kind;
  const std::int32_t* our_board = Us == WHITE ? p.white_board : p.black_board;
  const std::int32_t* their_board = Us == WHITE ? p.black_board : p.white_board;
  const int piece = MovePiece(m), from = MoveFrom(m), to = MoveTo(m);
  if (piece < PAWN || piece > KING || our_board[from] != piece) return false;
  const int captured = their_board[to];
  if (captured == NO_PIECE || m != MakeMoveWord(piece, from, to, CAPTURE, captured)) return false;
  const Bitboard occ = p.occupied;
  Bitboard targets;
  switch (piece) {
    // Only the lowest king of a side moves.
    case KING: targets = from == LowestBit(ours[KING]) ? king_steps[from] : 0; break;
    case QUEEN: targets = RookAttacks(from, occ) | BishopAttacks(from, occ); break;
    case ROOK: targets = RookAttacks(from, occ); break;
    case BISHOP: targets = BishopAttacks(from, occ); break;
    case KNIGHT: targets = knight_jumps[from]; break;
    default:
      // A pawn's capture onto the last rank is a promotion.
      targets = PawnDiagonals<Us>(from) & ~(Us == WHITE ? RANK_8 : RANK_1);
      break;
  }
  return (targets & square_bit[to]) != 0;
}

}  // namespace

bool PlainCaptureListedWhite(const Position& p, Move m) { return PlainCaptureListed<WHITE>(p, m); }
bool PlainCaptureListedBlack(const Position& p, Move m) { return PlainCaptureListed<BLACK>(p, m); }
void AddCapturesWhite(Bitboard targets, int from, int piece, const Position& p, MoveList& list, int& n) {
  AddCaptures<WHITE>(targets, from, piece, p, list, n);
}
void AddCapturesBlack(Bitboard targets, int from, int piece, const Position& p, MoveList& list, int& n) {
  AddCaptures<BLACK>(targets, from, piece, p, list, n);
}
void GenerateCapturesWhite(const Position& p, MoveList& list) { GenerateCaptures<WHITE>(p, list); }
void GenerateCapturesBlack(const Position& p, MoveList& list) { GenerateCaptures<BLACK>(p, list); }
