#include "board/make_move.h"

#include "board/side_fields.h"

namespace {

// A king move clears both rights of its colour; a rook leaving its corner clears that wing.
template <Colour Us>
inline void ClearMoverRights(const SideFields<Us>& us, int kind, int from, UndoRecord& undo) {
  using Sq = SideSquares<Us>;
  if (kind == KING) {
    undo.saved_castle_q = us.castle_q;
    undo.saved_castle_k = us.castle_k;
    us.castle_q = us.castle_k = 0;
  } else if (kind == ROOK) {
    if (from == Sq::QUEEN_CORNER) {
      undo.saved_castle_q = us.castle_q;
      us.castle_q = 0;
    } else if (from == Sq::KING_CORNER) {
      undo.saved_castle_k = us.castle_k;
      us.castle_k = 0;
    }
  }
}

// Taking a rook on its corner clears the opponent's right of that wing.
template <Colour Them>
inline void ClearCapturedRookRight(const SideFields<Them>& them, int captured, int to, UndoRecord& undo) {
  using Sq = SideSquares<Them>;
  if (captured != ROOK) return;
  if (to == Sq::QUEEN_CORNER) {
    undo.saved_opponent_castle_q = them.castle_q;
    them.castle_q = 0;
  } else if (to == Sq::KING_CORNER) {
    undo.saved_opponent_castle_k = them.castle_k;
    them.castle_k = 0;
  }
}

template <Colour Us>
inline void MakeMove(Position& p, Move m, UndoRecord& undo) {
  constexpr Colour Them = Us == WHITE ? BLACK : WHITE;
  using Sq = SideSquares<Us>;
  const SideFields<Us> us(p);
  const SideFields<Them> them(p);
  const int from = MoveFrom(m), to = MoveTo(m), type = MoveTypeOf(m);

  undo.saved_ep_flag = p.ep_flag;
  p.ep_flag = 0;

  // Quiet moves and captures are nearly all the moves made: plain tests go before the table
  // jump of the other types.
  if (type == QUIET) {
    us.Relocate(from, to);
    const int kind = us.board[to];
    if (kind == PAWN) {
      if (to - from == 2 * Sq::PAWN_STEP) {
        undo.saved_ep_file = p.ep_file;
        undo.saved_ep_rank = p.ep_rank;
        p.ep_flag = 1;
        p.ep_file = (from + Sq::PAWN_STEP) % 8;
        p.ep_rank = (from + Sq::PAWN_STEP) / 8;
      }
    } else {
      ClearMoverRights(us, kind, from, undo);
    }
  } else if (type == CAPTURE) {
    them.Toggle(to);
    them.board[to] = NO_PIECE;
    us.Relocate(from, to);
    ClearMoverRights(us, us.board[to], from, undo);
    ClearCapturedRookRight(them, MoveCaptured(m), to, undo);
  } else switch (type) {
    case CASTLE_QUEENSIDE:
    case CASTLE_KINGSIDE: {
      us.Relocate(from, to);
      if (type == CASTLE_QUEENSIDE) us.Relocate(Sq::QUEEN_CORNER, Sq::QUEEN_ROOK_LANDING);
      else us.Relocate(Sq::KING_CORNER, Sq::KING_ROOK_LANDING);
      undo.saved_castle_q = us.castle_q;
      undo.saved_castle_k = us.castle_k;
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
      ClearCapturedRookRight(them, MoveCaptured(m), to, undo);
      break;
    default:
      return;
  }
  p.occupied = p.white_occupied | p.black_occupied;
}

template <Colour Us>
inline void RestoreMoverRights(const SideFields<Us>& us, int kind, int from, const UndoRecord& undo) {
  using Sq = SideSquares<Us>;
  if (kind == KING) {
    us.castle_k = undo.saved_castle_k;
    us.castle_q = undo.saved_castle_q;
  } else if (kind == ROOK) {
    if (from == Sq::QUEEN_CORNER) us.castle_q = undo.saved_castle_q;
    else if (from == Sq::KING_CORNER) us.castle_k = undo.saved_castle_k;
  }
}

template <Colour Them>
inline void RestoreCapturedRookRight(const SideFields<Them>& them, int captured, int to, const UndoRecord& undo) {
  using Sq = SideSquares<Them>;
  if (captured != ROOK) return;
  if (to == Sq::QUEEN_CORNER) them.castle_q = undo.saved_opponent_castle_q;
  else if (to == Sq::KING_CORNER) them.castle_k = undo.saved_opponent_castle_k;
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

  p.ep_flag = undo.saved_ep_flag;

  if (type == QUIET) {
    const int kind = us.board[to];
    if (kind == PAWN) {
      if (to - from == 2 * Sq::PAWN_STEP) {
        p.ep_file = undo.saved_ep_file;
        p.ep_rank = undo.saved_ep_rank;
      }
    } else {
      RestoreMoverRights(us, kind, from, undo);
    }
    us.Relocate(to, from);
  } else if (type == CAPTURE) {
    RestoreMoverRights(us, us.board[to], from, undo);
    RestoreCapturedRookRight(them, captured, to, undo);
    us.Relocate(to, from);
    PutBack(them, captured, to);
  } else switch (type) {
    case CASTLE_QUEENSIDE:
    case CASTLE_KINGSIDE:
      us.castle_q = undo.saved_castle_q;
      us.castle_k = undo.saved_castle_k;
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
      RestoreCapturedRookRight(them, captured, to, undo);
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
