// Hands out the moves of an interior node in exactly the order that generating the captures and
// the quiet moves, sorting each segment, pulling the killers forward and then the hash move to
// the front would give, one stage at a time:
//   1. the hash move;
//   2. the best capture, when there are captures;
//   3. the primary killer, or else the next entry in sorted order;
//   4. the secondary killer;
//   5. the rest in sorted order, the captures and then the quiet moves, without the moves
//      handed out already.
// Most nodes end on the hash move or the best capture, so a stage does its work only when it is
// reached: the hash move and the killers are handed out from spare entries of the list once the
// generators are known to list them, the captures are generated after the hash move, and the
// quiet moves when the sorted order reaches them.
#pragma once

#include <cassert>

#include "board/move_list.h"
#include "board/types.h"
#include "search/sorted_order.h"

class MovePicker {
 public:
  // The moves of `us` in `position`, which must be as it is now whenever Next or Peek runs.
  // hash_move and the killers are 0 when absent.
  MovePicker(MoveList& list, const Position& position, Colour us, Move hash_move, Move killer_primary,
             Move killer_secondary)
      : list_(list),
        position_(position),
        us_(us),
        order_(list),
        hash_(hash_move),
        killers_{killer_primary, killer_secondary} {}

  // Index in the list of the next move, or -1 when every move has been handed out. Entries never
  // move: an index stays valid as long as the list.
  int Next() {
    const int index = peeked_ == NOT_PEEKED ? Pick() : peeked_;
    peeked_ = NOT_PEEKED;
    assert(index == -1 || (index >= 0 && index < list_.count) ||
           (index >= MAX_MOVES - SPARE_ENTRIES && index < MAX_MOVES));
    return index;
  }
  // The index that Next will give next.
  int Peek() {
    if (peeked_ == NOT_PEEKED) peeked_ = Pick();
    return peeked_;
  }

 private:
  enum class Stage { HASH_MOVE, BEST_CAPTURE, PRIMARY_KILLER, SECONDARY_KILLER, REST };
  enum class Generated { NOTHING, CAPTURES, ALL };
  static constexpr int NOT_PEEKED = -2;

  int Pick();
  // Where the list holds m, or will: its spare entry for a quiet move or a plain capture, which
  // can be told without generating, or its index among the captures; -1 when m is not listed.
  int Locate(Move m, int spare);
  void GenerateCaptures();
  // List index of the entry at this sorted position, generating the quiet moves when it is the
  // first of them; -1 past the end.
  int SortedAt(int position) {
    if (position == list_.count && generated_ == Generated::CAPTURES) GenerateQuietMoves();
    return position < list_.count ? order_.At(position) : -1;
  }
  // Kept out of line: most nodes never get there.
  [[gnu::noinline]] void GenerateQuietMoves();

  MoveList& list_;
  const Position& position_;
  const Colour us_;
  SortedOrder order_;
  Stage stage_ = Stage::HASH_MOVE;
  Generated generated_ = Generated::NOTHING;
  int tail_ = 0;       // the next sorted position to hand out
  int peeked_ = NOT_PEEKED;
  // The hash move and the killers; each is 0 from its stage on unless it was handed out or
  // pulled forward, so that the sorted order skips exactly those.
  Move hash_;
  Move killers_[2];
  // The moves placed before the secondary killer's place: the best capture and the primary
  // killer or the entry that took its place.
  Move front_[2] = {};
};
