#include "board/make_move.h"

#include <array>
#include <cstddef>
#include <cstring>

#include "board/side_fields.h"

namespace {

static_assert(offsetof(Position, castle_bk) - offsetof(Position, ep_flag) == (GAME_STATE_FIELDS - 1) * sizeof(std::int32_t),
              "the game state fields lie side by side, ep_flag first and castle_bk last");

// The bytes of the game state fields within the position.
inline char* GameState(Position& p) { return reinterpret_cast<char*>(&p) + offsetof(Position, ep_flag); }

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

  std::memcpy(undo.saved_state, GameState(p), sizeof undo.saved_state);
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

  std::memcpy(GameState(p), undo.saved_state, sizeof undo.saved_state);

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
