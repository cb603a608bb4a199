// Zobrist keys of the piece placement (side to move, castling and en passant are not keyed).
#pragma once

#include <cstdint>

#include "board/types.h"
#include "board/move_list.h"

constexpr std::uint64_t KEY_BASE = 0xF3218F1C9510786CULL;

// [colour][kind][square]; the kind-0 rows stay zero.
extern std::uint64_t zobrist_keys[2][7][64];

// Fills the key table from a fixed generator, so that keys are the same on every run.
void InitZobrist();
std::uint64_t ComputeKeyOf(const Position& position);
void ComputeKey(Position& position);
// The keys of the move's placement change, xored together: the same for every position.
// Quiet moves and captures, nearly all the moves searched, are keyed here; the other types
// (castling, en passant, promotions) by SpecialKeyChange.
std::uint64_t SpecialKeyChange(int colour, Move move);
[[gnu::always_inline]] inline std::uint64_t KeyChange(int colour, Move move) {
  const int type = MoveTypeOf(move);
  if (type != QUIET && type != CAPTURE) return SpecialKeyChange(colour, move);
  const std::uint64_t(&ours)[64] = zobrist_keys[colour][MovePiece(move)];
  const std::uint64_t step = ours[MoveTo(move)] ^ ours[MoveFrom(move)];
  // A quiet move names kind 0, whose row is zero: both types take the same way, without a branch.
  return step ^ zobrist_keys[1 - colour][MoveCaptured(move)][MoveTo(move)];
}
// Xors the keys of the move's placement change into hash_key; applying it twice undoes it.
void UpdateKey(int colour, const MoveList& list, int index, Position& position);
