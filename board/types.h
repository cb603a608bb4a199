// Squares, piece kinds, colours, the board record, the move word and the undo record.
#pragma once

#include <cstdint>

using Bitboard = std::uint64_t;
using Move = std::int32_t;

// Squares run 0 = a1 .. 7 = h1, 8 = a2 .. 63 = h8.
constexpr int FileOf(int square) { return square & 7; }
constexpr int RankOf(int square) { return square >> 3; }

enum PieceKind : int { NO_PIECE = 0, PAWN = 1, KNIGHT = 2, BISHOP = 3, ROOK = 4, QUEEN = 5, KING = 6 };
enum Colour : int { BLACK = 0, WHITE = 1 };

enum MoveType : int {
  QUIET = 1,
  CAPTURE = 2,
  CASTLE_QUEENSIDE = 3,
  CASTLE_KINGSIDE = 4,
  EN_PASSANT = 5,
  PROMOTE_KNIGHT = 12,
  PROMOTE_BISHOP = 13,
  PROMOTE_ROOK = 14,
  PROMOTE_QUEEN = 15,
  CAPTURE_PROMOTE_KNIGHT = 22,
  CAPTURE_PROMOTE_BISHOP = 23,
  CAPTURE_PROMOTE_ROOK = 24,
  CAPTURE_PROMOTE_QUEEN = 25,
};

// The four castling moves are fixed words: king from e1/e8 to c/g, piece KING, nothing captured.
constexpr Move WHITE_CASTLE_QUEENSIDE = 0x60840C0;
constexpr Move WHITE_CASTLE_KINGSIDE = 0x6184100;
constexpr Move BLACK_CASTLE_QUEENSIDE = 0x6EBC0C0;
constexpr Move BLACK_CASTLE_KINGSIDE = 0x6FBC100;

constexpr int MoveCaptured(Move m) { return m & 0x3f; }
constexpr int MoveTypeOf(Move m) { return (m >> 6) & 0x3f; }
constexpr int MoveFrom(Move m) { return (m >> 12) & 0x3f; }
constexpr int MoveTo(Move m) { return (m >> 18) & 0x3f; }
constexpr int MovePiece(Move m) { return (m >> 24) & 7; }

constexpr Move MakeMoveWord(int piece, int from, int to, int type, int captured) {
  return static_cast<Move>((static_cast<unsigned>(piece) << 24) | (static_cast<unsigned>(to) << 18) |
                           (static_cast<unsigned>(from) << 12) | (static_cast<unsigned>(type) << 6) |
                           static_cast<unsigned>(captured));
}

constexpr bool IsPromotion(int type) { return (type >= 12 && type <= 15) || (type >= 22 && type <= 25); }
// Promoted kind of a promotion type: 12..15 and 22..25 give KNIGHT..QUEEN.
constexpr int PromotedKind(int type) { return type >= 20 ? type - 20 : type - 10; }

struct Position {
  Bitboard occupied;
  Bitboard white_occupied;
  Bitboard black_occupied;
  Bitboard white_by_kind[7];
  Bitboard black_by_kind[7];
  std::int32_t white_board[64];
  std::int32_t black_board[64];
  std::int32_t side_to_move;
  std::int32_t ep_flag;
  std::int32_t ep_file;
  std::int32_t ep_rank;
  std::int32_t castle_wq;
  std::int32_t castle_wk;
  std::int32_t castle_bq;
  std::int32_t castle_bk;
  std::uint64_t hash_key;
};

// What make move saves for unmake move: the en-passant state and the castling rights of both
// colours, all of them at every move, so that saving and restoring them takes no branch.
// One move can clear a right of both colours on the same wing (a rook taking the opposing
// corner rook, a king taking a corner rook): the opponent's rights have fields of their own.
struct UndoRecord {
  std::int32_t saved_ep_flag;
  std::int32_t saved_ep_file;
  std::int32_t saved_ep_rank;
  std::int32_t saved_castle_q;
  std::int32_t saved_castle_k;
  std::int32_t saved_opponent_castle_q;
  std::int32_t saved_opponent_castle_k;
};
