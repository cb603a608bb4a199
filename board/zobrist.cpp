#include "board/zobrist.h"

#include <initializer_list>

std::uint64_t zobrist_keys[2][7][64];

namespace {

// The classic 32-bit linear congruential generator, written out so that no platform's own
// generator can change the table.
struct KeyDraws {
  std::uint32_t state = 1;
  std::uint64_t Next() {
    state = state * 214013u + 2531011u;
    return (state >> 16) & 0x7FFF;
  }
};

}  // namespace

void InitZobrist() {
  KeyDraws draws;
  for (int colour : {BLACK, WHITE}) {
    for (int kind = PAWN; kind <= KING; ++kind) {
      for (int s = 0; s < 64; ++s) {
        const std::uint64_t r1 = draws.Next(), r2 = draws.Next(), r3 = draws.Next(), r4 = draws.Next(),
                            r5 = draws.Next();
        zobrist_keys[colour][kind][s] = ((((r1 << 12) ^ r2) << 16 ^ r3) << 16 ^ r4) << 15 ^ r5;
      }
    }
  }
}

std::uint64_t ComputeKeyOf(const Position& p) {
  std::uint64_t key = KEY_BASE;
  for (int s = 0; s < 64; ++s) {
    if (p.white_board[s] > 0) key ^= zobrist_keys[WHITE][p.white_board[s]][s];
    if (p.black_board[s] > 0) key ^= zobrist_keys[BLACK][p.black_board[s]][s];
  }
  return key;
}

void ComputeKey(Position& p) { p.hash_key = ComputeKeyOf(p); }

std::uint64_t SpecialKeyChange(int colour, Move m) {
  const int c = colour, them = 1 - colour, piece = MovePiece(m), from = MoveFrom(m), to = MoveTo(m);
  const int type = MoveTypeOf(m), captured = MoveCaptured(m);
  std::uint64_t key = 0;
  switch (type) {
    case QUIET:
      key ^= zobrist_keys[c][piece][to] ^ zobrist_keys[c][piece][from];
      break;
    case CAPTURE:
      key ^= zobrist_keys[c][piece][to] ^ zobrist_keys[c][piece][from] ^ zobrist_keys[them][captured][to];
      break;
    case CASTLE_QUEENSIDE: {
      const int corner = c == WHITE ? 0 : 56;
      key ^= zobrist_keys[c][piece][to] ^ zobrist_keys[c][piece][from];
      key ^= zobrist_keys[c][ROOK][corner] ^ zobrist_keys[c][ROOK][corner + 3];
      break;
    }
    case CASTLE_KINGSIDE: {
      const int corner = c == WHITE ? 7 : 63;
      key ^= zobrist_keys[c][piece][to] ^ zobrist_keys[c][piece][from];
      key ^= zobrist_keys[c][ROOK][corner - 2] ^ zobrist_keys[c][ROOK][corner];
      break;
    }
    case EN_PASSANT:
      key ^= zobrist_keys[c][piece][to] ^ zobrist_keys[c][piece][from];
      key ^= zobrist_keys[them][captured][c == WHITE ? to - 8 : to + 8];
      break;
    case PROMOTE_KNIGHT:
    case PROMOTE_BISHOP:
    case PROMOTE_ROOK:
    case PROMOTE_QUEEN:
      key ^= zobrist_keys[c][PAWN][from] ^ zobrist_keys[c][PromotedKind(type)][to];
      break;
    case CAPTURE_PROMOTE_KNIGHT:
    case CAPTURE_PROMOTE_BISHOP:
    case CAPTURE_PROMOTE_ROOK:
    case CAPTURE_PROMOTE_QUEEN:
      key ^= zobrist_keys[c][PAWN][from] ^ zobrist_keys[c][PromotedKind(type)][to] ^
             zobrist_keys[them][captured][to];
      break;
    default:
      break;
  }
  return key;
}

void UpdateKey(int colour, const MoveList& list, int index, Position& p) {
  p.hash_key ^= KeyChange(colour, list.moves[index]);
}
