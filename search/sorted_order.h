// The exchange sort of a move list's two segments, the captures and then the quiet moves, done
// lazily: pass j of the sort runs only when the entry at sorted position j is needed, so a node
// that ends after a few moves never pays for ordering the rest.
//
// The passes run on one word per entry, written over the list's scores (which nothing reads once
// ordering starts): the score on top, then the entry's current place (earlier places above later
// ones, so that an equal score never displaces the entry held), then the entry's index in the
// list. The moves stay where the generator put them; the order hands out their indices.
#pragma once

#include <cassert>
#include <cstdint>

#include "board/move_list.h"

class SortedOrder {
 public:
  static constexpr int PLACE_SHIFT = 11;
  static constexpr std::uint32_t INDEX_MASK = (1u << PLACE_SHIFT) - 1;

#if defined(__SSE4_1__)
  static constexpr bool HAS_FOUR_LANES = true;
#else
  static constexpr bool HAS_FOUR_LANES = false;
#endif
  // Passes four entries at a time, where the compiler may use the vector instructions; else one
  // at a time. Both give the same order; tests switch between them.
  static bool four_lanes;

  explicit SortedOrder(MoveList& list) : list_(list), keys_(reinterpret_cast<std::uint32_t*>(list.scores)) {}

  // List index of the entry at sorted position `position`, below the list's count. Quiet moves
  // may be appended between calls until a position in the quiet segment is asked for.
  int At(int position) {
    assert(position >= 0 && position < list_.count);
    // Many nodes end on their first capture: it is found without ordering the rest.
    if (position == 0 && keyed_ == 0 && list_.capture_count > 0) return FirstCapture();
    if (position >= sorted_) Sort(position);
    return static_cast<int>(keys_[position] & INDEX_MASK);
  }
  // List index of the next entry in sorted order, or -1 after the last.
  int Next() { return next_ < list_.count ? At(next_++) : -1; }

 private:
  void Sort(int position);
  // The capture that the first pass puts first: the earliest with the highest score.
  int FirstCapture() const;

  MoveList& list_;
  std::uint32_t* keys_;
  int keyed_ = 0;   // entries [0, keyed_) hold sort words
  int sorted_ = 0;  // positions [0, sorted_) hold their final sorted entries
  int next_ = 0;
};
