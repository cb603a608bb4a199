// Playing a generated move on the position and taking it back. Neither looks at side_to_move
// or hash_key; the colour is the routine's own.
#pragma once

#include <cassert>
#include <cstring>

#include "board/types.h"
#include "board/move_list.h"

void MakeMoveWhite(Position& position, const MoveList& list, int index, UndoRecord& undo);
void MakeMoveBlack(Position& position, const MoveList& list, int index, UndoRecord& undo);
void UnmakeMoveWhite(Position& position, const MoveList& list, int index, const UndoRecord& undo);
void UnmakeMoveBlack(Position& position, const MoveList& list, int index, const UndoRecord& undo);

// The twin of colour Us, for routines written once for both colours.
template <Colour Us>
inline void MakeMoveOf(Position& position, const MoveList& list, int index, UndoRecord& undo) {
  if constexpr (Us == WHITE) MakeMoveWhite(position, list, index, undo);
  else MakeMoveBlack(position, list, index, undo);
}
template <Colour Us>
inline void UnmakeMoveOf(Position& position, const MoveList& list, int index, const UndoRecord& undo) {
  if constexpr (Us == WHITE) UnmakeMoveWhite(position, list, index, undo);
  else UnmakeMoveBlack(position, list, index, undo);
}

// In builds with assertions, checks that the position is left as it was found: when the check
// goes out of scope, every field, the key included, must be what it was when the check began.
// The search keeps one around each move it makes and takes back. Release builds drop it.
class RestoredCheck {
 public:
#ifdef NDEBUG
  explicit RestoredCheck(const Position&) {}
#else
  explicit RestoredCheck(const Position& position) : position_(position), before_(position) {}
  ~RestoredCheck() { assert(std::memcmp(&position_, &before_, sizeof before_) == 0 && "position not restored"); }

 private:
  const Position& position_;
  const Position before_;
#endif
};
