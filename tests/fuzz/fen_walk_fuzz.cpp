// libFuzzer target: the FEN reader on arbitrary text, then a walk of one ply over whatever
// position it built. Every generated move is made and taken back; after make the record must be
// consistent and the incremental key equal to the key computed afresh, and after unmake the
// record must be the one before, byte for byte. One ply is enough: the reader builds every
// state a move can lead to (an en-passant square behind a pawn that just passed it, castling
// rights only with king and rook at home), and the unit tests walk three plies from the perft
// positions. Two plies would cost up to a million moves a run in positions full of queens.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate.h"
#include "tests/board/position_invariants.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

std::string input;
// Kept out of the stack: a list is some nine kilobytes.
MoveList list;

// The key of the placement from the key table, over the occupied squares only: the same value
// as ComputeKeyOf, without its pass over every square, whose traced comparisons would cost most
// of each run here. The two are compared once a run.
std::uint64_t KeyOfPlacement(const Position& p) {
  std::uint64_t key = KEY_BASE;
  for (Bitboard b = p.occupied; b != 0; b &= b - 1) {
    const int s = __builtin_ctzll(b);
    key ^= zobrist_keys[WHITE][p.white_board[s]][s] ^ zobrist_keys[BLACK][p.black_board[s]][s];
  }
  return key;
}

// Byte for byte, a word at a time: the library's memcmp, like its memcpy, goes through the
// address sanitizer's checked interceptor, which cost more than the comparison itself.
bool SameRecord(const Position& a, const Position& b) {
  static_assert(sizeof(Position) % 8 == 0, "the record is compared a word at a time");
  const auto* x = reinterpret_cast<const unsigned char*>(&a);
  const auto* y = reinterpret_cast<const unsigned char*>(&b);
  std::uint64_t differ = 0;
  for (std::size_t i = 0; i < sizeof(Position); i += 8) {
    std::uint64_t u, v;
    std::memcpy(&u, x + i, 8);
    std::memcpy(&v, y + i, 8);
    differ |= u ^ v;
  }
  return differ == 0;
}

void WalkOnePly(Position& p) {
  list.count = list.capture_count = 0;
  GenerateAllMoves(p, list);
  if (list.count < 0 || list.count > MAX_MOVES - SPARE_ENTRIES) fuzz::Fail("move count out of range", input);
  const int us = p.side_to_move;
  // Every unmake must give back this record exactly.
  const Position before = p;
  for (int i = 0; i < list.count; ++i) {
    UndoRecord undo{};
    if (us == WHITE) MakeMoveWhite(p, list, i, undo);
    else MakeMoveBlack(p, list, i, undo);
    if (const char* broken = board_test::BrokenInvariant(p)) fuzz::Fail(broken, input);
    UpdateKey(us, list, i, p);
    if (p.hash_key != KeyOfPlacement(p)) fuzz::Fail("incremental key differs from the computed one", input);
    if (us == WHITE) UnmakeMoveWhite(p, list, i, undo);
    else UnmakeMoveBlack(p, list, i, undo);
    UpdateKey(us, list, i, p);
    if (!SameRecord(p, before)) fuzz::Fail("unmake did not restore the position", input);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InitZobrist();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  input = fuzz::TextOf(data, size);
  Position position{};
  ReadFen(position, input.c_str());
  if (const char* broken = board_test::BrokenInvariant(position)) fuzz::Fail(broken, input);
  ComputeKey(position);
  if (position.hash_key != KeyOfPlacement(position)) fuzz::Fail("computed key differs from the table's", input);
  WalkOnePly(position);
  return 0;
}
