#include "board/make_move.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstring>

#include "board/side_fields.h"

namespace {

// The en-passant fields lie side by side in the position and in the record, and so do each
// colour's two rights and their saved values: every group is copied as one block.
static_assert(offsetof(Position, ep_rank) - offsetof(Position, ep_flag) == 2 * sizeof(std::int32_t) &&
              offsetof(UndoRecord, saved_ep_rank) - offsetof(UndoRecord, saved_ep_flag) == 2 * sizeof(std::int32_t));
static_assert(offsetof(Position, castle_wk) - offsetof(Position, castle_wq) == sizeof(std::int32_t) &&
              offsetof(Position, castle_bk) - offsetof(Position, castle_bq) == sizeof(std::int32_t) &&
              offsetof(UndoRecord, saved_castle_k) - offsetof(UndoRecord, saved_castle_q) == sizeof(std::int32_t) &&
              offsetof(UndoRecord, saved_opponent_castle_k) - offsetof(UndoRecord, saved_opponent_castle_q) ==
                  sizeof(std::int32_t));

constexpr std::size_t EP_FIELDS_SIZE = 3 * sizeof(std::int32_t);
constexpr std::size_t RIGHTS_SIZE = 2 * sizeof(std::int32_t);

// The bytes of the position's fields from the one at offset on.
inline char* Bytes(Position& p, std::size_t offset) { return reinterpret_cast<char*>(&p) + offset; }
template <Colour C>
constexpr std::size_t RIGHTS_OFFSET = C == WHITE ? offsetof(Position, castle_wq) : offsetof(Position, castle_bq);

// The en-passant state and every castling right as they were, saved before any move and
// restored after it whatever the move changed.
template <Colour Us>
inline void SaveGameState(Position& p, UndoRecord& undo) {
  constexpr Colour Them = Us == WHITE ? BLACK : WHITE;
  std::memcpy(&undo.saved_ep_flag, Bytes(p, offsetof(Position, ep_flag)), EP_FIELDS_SIZE);
  std::memcpy(&undo.saved_castle_q, Bytes(p, RIGHTS_OFFSET<Us>), RIGHTS_SIZE);
  std::memcpy(&undo.saved_opponent_castle_q, Bytes(p, RIGHTS_OFFSET<Them>), RIGHTS_SIZE);
}

template <Colour Us>
inline void RestoreGameState(Position& p, const UndoRecord& undo) {
  constexpr Colour Them = Us == WHITE ? BLACK : WHITE;
  std::memcpy(Bytes(p, offsetof(Position, ep_flag)), &undo.saved_ep_flag, EP_FIELDS_SIZE);
  std::memcpy(Bytes(p, RIGHTS_OFFSET<Us>), &undo.saved_castle_q, RIGHTS_SIZE);
  std::memcpy(Bytes(p, RIGHTS_OFFSET<Them>), &undo.saved_opponent_castle_q, RIGHTS_SIZE);
}

// Castling rights as bits: the queenside right is bit 0, the kingside right bit 1.
constexpr int QUEENSIDE_RIGHT = 1, KINGSIDE_RIGHT = 2;

// The right whose rook starts on each square of side C's back rank.
template <Colour C>
constexpr std::array<std::int32_t, 64> MakeCornerRights() {
  std::array<std::int32_t, 64> rights{};
  rights[SideSquares<C>::QUEEN_CORNER] = QUEENSIDE_RIGHT;
  rights[SideSquares<C>::KING_CORNER] = KINGSIDE_RIGHT;
  return rights;
}
template <Colour C>
constexpr std::array<std::int32_t, 64> corner_rights = MakeCornerRights<C>();

// Clears the rights named by the bits, computed without branches: which piece moves where is as
// good as random from one move to the next. A cleared right becomes 0 and a kept one stays.
template <Colour C>
inline void ClearRights(const SideFields<C>& side, int rights) {
  side.castle_q &= (rights & QUEENSIDE_RIGHT) - 1;
  side.castle_k &= (rights >> 1 & 1) - 1;
}

// A king move clears both rights of its colour; a rook leaving its corner clears that wing.
template <Colour Us>
inline void ClearMoverRights(const SideFields<Us>& us, int kind, int from) {
  const int king = -static_cast<int>(kind == KING), rook = -static_cast<int>(kind == ROOK);
  ClearRights(us, (king & (QUEENSIDE_RIGHT | KINGSIDE_RIGHT)) | (rook & corner_rights<Us>[from]));
}

// Taking a rook on its corner clears the opponent's right of that wing.
template <Colour Them>
inline void ClearCapturedRookRight(const SideFields<Them>& them, int captured, int to) {
  ClearRights(them, -static_cast<int>(captured == ROOK) & corner_rights<Them>[to]);
}

template <Colour Us>
inline void MakeMove(Position& p, Move m, UndoRecord& undo) {
  constexpr Colour Them = Us == WHITE ? BLACK : WHITE;
  using Sq = SideSquares<Us>;
  const SideFields<Us> us(p);
  const SideFields<Them> them(p);
  const int from = MoveFrom(m), to = MoveTo(m), type = MoveTypeOf(m);

  SaveGameState<Us>(p, undo);
  p.ep_flag = 0;

  // Quiet moves and captures are nearly all the moves made: plain tests go before the table
  // jump of the other types.
  if (type == QUIET) {
    us.Relocate(from, to);
    const int kind = us.board[to];
    // A pawn's double step opens en passant on the square it passed.
    const bool double_step = (kind == PAWN) & (to - from == 2 * Sq::PAWN_STEP);
    const int passed = from + Sq::PAWN_STEP;
    p.ep_flag = double_step;
    p.ep_file = double_step ? passed % 8 : p.ep_file;
    p.ep_rank = double_step ? passed / 8 : p.ep_rank;
    ClearMoverRights(us, kind, from);
  } else if (type == CAPTURE) {
    them.Toggle(to);
    them.board[to] = NO_PIECE;
    us.Relocate(from, to);
    ClearMoverRights(us, us.board[to], from);
    ClearCapturedRookRight(them, MoveCaptured(m), to);
  } else switch (type) {
    case CASTLE_QUEENSIDE:
    case CASTLE_KINGSIDE: {
      us.Relocate(from, to);
      if (type == CASTLE_QUEENSIDE) us.Relocate(Sq::QUEEN_CORNER, Sq::QUEEN_ROOK_LANDING);
      else us.Relocate(Sq::KING_CORNER, Sq::KING_ROOK_LANDING);
      us.castle_q = us.castle_k = 0;
      break;
    }
    case EN_PASSANT: {
      us.Relocate(from, to);
      const int taken = to - Sq::PAWN_STEP;
      them.Toggle(taken);
      them.board[taken] = NO_PIECE;
      break;
    }
    case PROMOTE_KNIGHT:
    case PROMOTE_BISHOP:
    case PROMOTE_ROOK:
    case PROMOTE_QUEEN:
      us.Toggle(from);
      us.board[to] = PromotedKind(type);
      us.board[from] = NO_PIECE;
      us.Toggle(to);
      break;
    case CAPTURE_PROMOTE_KNIGHT:
    case CAPTURE_PROMOTE_BISHOP:
    case CAPTURE_PROMOTE_ROOK:
    case CAPTURE_PROMOTE_QUEEN:
      us.Toggle(from);
      them.Toggle(to);
      us.board[to] = PromotedKind(type);
      them.board[to] = NO_PIECE;
      us.board[from] = NO_PIECE;
      us.Toggle(to);
      ClearCapturedRookRight(them, MoveCaptured(m), to);
      break;
    default:
      assert(false && "MakeMove: unknown move type");
      return;
  }
  p.occupied = p.white_occupied | p.black_occupied;
}

// Puts a piece of the kind the move word names back on s.
template <Colour Them>
inline void PutBack(const SideFields<Them>& them, int kind, int s) {
  them.board[s] = kind;
  them.Toggle(s);
}

template <Colour Us>
inline void UnmakeMove(Position& p, Move m, const UndoRecord& undo) {
  constexpr Colour Them = Us == WHITE ? BLACK : WHITE;
  using Sq = SideSquares<Us>;
  const SideFields<Us> us(p);
  const SideFields<Them> them(p);
  const int from = MoveFrom(m), to = MoveTo(m), type = MoveTypeOf(m), captured = MoveCaptured(m);

  RestoreGameState<Us>(p, undo);

  if (type == QUIET) {
    us.Relocate(to, from);
  } else if (type == CAPTURE) {
    us.Relocate(to, from);
    PutBack(them, captured, to);
  } else switch (type) {
    case CASTLE_QUEENSIDE:
    case CASTLE_KINGSIDE:
      us.Relocate(to, from);
      if (type == CASTLE_QUEENSIDE) us.Relocate(Sq::QUEEN_ROOK_LANDING, Sq::QUEEN_CORNER);
      else us.Relocate(Sq::KING_ROOK_LANDING, Sq::KING_CORNER);
      break;
    case EN_PASSANT:
      us.Relocate(to, from);
      PutBack(them, captured, to - Sq::PAWN_STEP);
      break;
    case PROMOTE_KNIGHT:
    case PROMOTE_BISHOP:
    case PROMOTE_ROOK:
    case PROMOTE_QUEEN:
      us.Toggle(to);
      us.board[from] = PAWN;
      us.board[to] = NO_PIECE;
      us.Toggle(from);
      break;
    case CAPTURE_PROMOTE_KNIGHT:
    case CAPTURE_PROMOTE_BISHOP:
    case CAPTURE_PROMOTE_ROOK:
    case CAPTURE_PROMOTE_QUEEN:
      us.Toggle(to);
      us.board[from] = PAWN;
      us.board[to] = NO_PIECE;
      us.Toggle(from);
      PutBack(them, captured, to);
      break;
    default:
      assert(false && "UnmakeMove: unknown move type");
      return;
  }
  p.occupied = p.white_occupied | p.black_occupied;
}

}  // namespace

void MakeMoveWhite(Position& p, const MoveList& list, int index, UndoRecord& undo) {
  MakeMove<WHITE>(p, list.moves[index], undo);
}
void MakeMoveBlack(Position& p, const MoveList& list, int index, UndoRecord& undo) {
  MakeMove<BLACK>(p, list.moves[index], undo);
}
void UnmakeMoveWhite(Position& p, const MoveList& list, int index, const UndoRecord& undo) {
  UnmakeMove<WHITE>(p, list.moves[index], undo);
}
void UnmakeMoveBlack(Position& p, const MoveList& list, int index, const UndoRecord& undo) {
  UnmakeMove<BLACK>(p, list.moves[index], undo);
}
