#include "board/fen.h"

#include "board/tables.h"

namespace {

int KindOfLetter(char c) {
  switch (c) {
    case 'p': return PAWN;
    case 'n': return KNIGHT;
    case 'b': return BISHOP;
    case 'r': return ROOK;
    case 'q': return QUEEN;
    case 'k': return KING;
    default: return NO_PIECE;
  }
}

void ClearBoard(Position& p) {
  p.occupied = p.white_occupied = p.black_occupied = 0;
  for (int k = 0; k < 7; ++k) p.white_by_kind[k] = p.black_by_kind[k] = 0;
  for (int s = 0; s < 64; ++s) p.white_board[s] = p.black_board[s] = NO_PIECE;
}

void PlacePiece(Position& p, char letter, int square) {
  const bool white = letter >= 'A' && letter <= 'Z';
  const int kind = KindOfLetter(white ? static_cast<char>(letter - 'A' + 'a') : letter);
  if (white) {
    p.white_occupied |= square_bit[square];
    p.white_by_kind[kind] |= square_bit[square];
    p.white_board[square] = kind;
  } else {
    p.black_occupied |= square_bit[square];
    p.black_by_kind[kind] |= square_bit[square];
    p.black_board[square] = kind;
  }
}

bool IsPieceLetter(char c) {
  if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return KindOfLetter(c) != NO_PIECE;
}

const char* SkipBlanks(const char* t) {
  while (*t == ' ') ++t;
  return t;
}

const char* ReadPlacement(Position& p, const char* t) {
  int rank_base = 56;
  int file = 0;
  for (; *t != ' ' && *t != '\0'; ++t) {
    const char c = *t;
    if (c == '/') {
      rank_base -= 8;
      file = 0;
    } else if (c >= '1' && c <= '8') {
      file += c - '0';
    } else if (IsPieceLetter(c)) {
      if (file < 8 && rank_base >= 0) PlacePiece(p, c, rank_base + file);
      ++file;
    }
  }
  return t;
}

// A right stands for its king and rook; without them castling would move a missing piece.
void DropRightsWithoutPieces(Position& p) {
  const bool white_king = p.white_board[4] == KING, black_king = p.black_board[60] == KING;
  if (!white_king || p.white_board[0] != ROOK) p.castle_wq = 0;
  if (!white_king || p.white_board[7] != ROOK) p.castle_wk = 0;
  if (!black_king || p.black_board[56] != ROOK) p.castle_bq = 0;
  if (!black_king || p.black_board[63] != ROOK) p.castle_bk = 0;
}

// An en-passant target lies on the square a pawn of the side not to move just passed over (rank
// 6 for White to move, rank 3 for Black): empty, with that pawn behind it. Anything else would
// let the capture take a piece that is not there, or take without promoting on the last rank.
bool EnPassantConsistent(const Position& p, int target) {
  if (p.occupied & square_bit[target]) return false;
  if (p.side_to_move == WHITE) return RankOf(target) == 5 && p.black_board[target - 8] == PAWN;
  return RankOf(target) == 2 && p.white_board[target + 8] == PAWN;
}

}  // namespace

void ReadFen(Position& p, const char* t) {
  ClearBoard(p);
  p.castle_wq = p.castle_wk = p.castle_bq = p.castle_bk = 0;
  p.ep_flag = p.ep_file = p.ep_rank = 0;

  if (*t != ' ')
    while (*t != ' ' && *t != '\0') ++t;
  t = ReadPlacement(p, SkipBlanks(t));
  p.occupied = p.white_occupied | p.black_occupied;

  t = SkipBlanks(t);
  if (*t == 'w') p.side_to_move = WHITE;
  if (*t == 'b') p.side_to_move = BLACK;
  if (*t == '\0') return;

  t = SkipBlanks(t + 1);
  for (; *t != ' ' && *t != '\0'; ++t) {
    if (*t == 'K') p.castle_wk = 1;
    if (*t == 'Q') p.castle_wq = 1;
    if (*t == 'k') p.castle_bk = 1;
    if (*t == 'q') p.castle_bq = 1;
  }
  DropRightsWithoutPieces(p);

  t = SkipBlanks(t);
  if (*t < 'a' || *t > 'h' || t[1] < '1' || t[1] > '8') return;
  const int file = *t - 'a', rank = t[1] - '1';
  if (!EnPassantConsistent(p, file + 8 * rank)) return;
  p.ep_flag = 1;
  p.ep_file = file;
  p.ep_rank = rank;
}
