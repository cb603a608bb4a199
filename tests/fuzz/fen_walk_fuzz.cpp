// libFuzzer target: the FEN reader on arbitrary text, then a walk of two plies over whatever
// position it built. Every generated move is made and taken back; after make the record must be
// consistent and the incremental key equal to the key computed afresh, and after unmake the
// record must be the one before, byte for byte. Only legal moves are walked into, as the
// position command and the search do.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "board/attacks.h"
#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate.h"
#include "tests/board/position_invariants.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr int WALK_PLIES = 2;

std::string input;
// One list per ply, kept out of the stack: a list is some nine kilobytes.
MoveList lists[WALK_PLIES];

void Walk(Position& p, int plies) {
  MoveList& list = lists[WALK_PLIES - plies];
  list = MoveList{};
  GenerateAllMoves(p, list);
  if (list.count < 0 || list.count > MAX_MOVES - SPARE_ENTRIES) fuzz::Fail("move count out of range", input);
  const int us = p.side_to_move;
  for (int i = 0; i < list.count; ++i) {
    const Position before = p;
    UndoRecord undo{};
    if (us == WHITE) MakeMoveWhite(p, list, i, undo);
    else MakeMoveBlack(p, list, i, undo);
    if (const char* broken = board_test::BrokenInvariant(p)) fuzz::Fail(broken, input);
    UpdateKey(us, list, i, p);
    if (p.hash_key != ComputeKeyOf(p)) fuzz::Fail("incremental key differs from the computed one", input);

    const bool legal = us == WHITE ? !WhiteKingAttacked(p) : !BlackKingAttacked(p);
    if (legal && plies > 1) {
      p.side_to_move = 1 - us;
      Walk(p, plies - 1);
      p.side_to_move = us;
    }
    if (us == WHITE) UnmakeMoveWhite(p, list, i, undo);
    else UnmakeMoveBlack(p, list, i, undo);
    UpdateKey(us, list, i, p);
    if (std::memcmp(&p, &before, sizeof p) != 0) fuzz::Fail("unmake did not restore the position", input);
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
  Walk(position, WALK_PLIES);
  return 0;
}
