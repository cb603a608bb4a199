// The exchange sort of a move list's two segments, the captures and then the quiet moves, done
// lazily: pass j of the sort runs only when the entry at sorted position j is needed, so a node
// that ends after a few moves never pays for ordering the rest.
//
// The passes run on one word per entry, written over the list's scores (which nothing reads once
// ordering starts): the score on top, then the entry's current place (earlier places above later
// ones, so that an equal score never displaces the entry held), then the entry's index in the
// list. The moves stay where the generator put them; the order hands out their indices.
#pragma once

#include <cstdint>

#include "board/move_list.h"

class SortedOrder {
 public:
  static constexpr int PLACE_SHIFT = 11;
  static constexpr std::uint32_t INDEX_MASK = (1u << PLACE_SHIFT) - 1;

  // Passes eight entries at a time: set when the processor has AVX2, and on x86-64 only.
  // Both widths give the same order.
  static bool wide_passes;

  explicit SortedOrder(MoveList& list) : list_(list), keys_(reinterpret_cast<std::uint32_t*>(list.scores)) {}

  // List index of the entry at sorted position `position`, below the list's count. Quiet moves
  // may be appended between calls until a position in the quiet segment is asked for.
  int At(int position) {
    if (position < sorted_) return static_cast<int>(keys_[position] & INDEX_MASK);
    // Many nodes end on their first capture: it is found without ordering the rest.
    if (position == 0 && keyed_ == 0 && list_.capture_count > 0) {
      if (first_capture_ < 0) first_capture_ = FirstCapture();
      return first_capture_;
    }
    return Sort(position);
  }
  // List index of the next entry in sorted order, or -1 after the last.
  int Next() { return next_ < list_.count ? At(next_++) : -1; }

 private:
  int Sort(int position);
  // The capture that the first pass puts first, the earliest with the highest score, found from
  // the scores without changing them.
  int FirstCapture() const;
  void MakeNewKeys();

  MoveList& list_;
  std::uint32_t* keys_;
  int keyed_ = 0;   // entries [0, keyed_) hold sort words
  int sorted_ = 0;  // positions [0, sorted_) hold their final sorted entries
  int next_ = 0;
  int first_capture_ = -1;  // FirstCapture once found, while no entry holds a sort word
};
