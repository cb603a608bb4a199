// Hands out the moves of an interior node in exactly the order that sorting both segments,
// pulling the killers forward and then the hash move to the front would give. The sort itself
// is the lazy SortedOrder; the killers and the hash move are handed out around it.
//
// The picker can also start from the captures alone and generate the quiet moves only when its
// order reaches them: most nodes end with the hash move or a capture. The killers and the hash
// move are then looked for by asking whether the quiet generator would list them.
#pragma once

#include <cstdint>

#include "board/move_list.h"
#include "search/sorted_order.h"

class MovePicker {
 public:
  // The spare entry where a hash move the quiet generator would list waits for the quiet moves.
  static constexpr int HASH_MOVE_SPARE = MAX_MOVES - SPARE_ENTRIES + 2;

  // killer_primary/killer_secondary/hash_move are 0 when absent. start is where the killers go
  // (1 when the capture segment is not empty, else 0).
  MovePicker(MoveList& list, Move killer_primary, Move killer_secondary, int start, Move hash_move);
  // The same order for a list that holds the captures of `us` only; the quiet moves of `us` in
  // `position` are appended when needed. The position must be as it was whenever Next is called.
  MovePicker(MoveList& list, const Position& position, Colour us, Move killer_primary, Move killer_secondary,
             int start, Move hash_move);

  // Index in the list of the next move in order, or -1 when every move has been handed out.
  // The index stays valid until the next call.
  int Next();

 private:
  // List index of the entry at sorted position `position`.
  int SortedIndex(int position);
  // The next entry of the sorted order that was not pulled forward, as a list index; -1 at end.
  int NextFromTail();
  bool Pulled(int index) const;
  // Finds the killers and the hash move in the list, or in the quiet moves to come.
  void FindSpecials(Move killer_primary, Move killer_secondary, Move hash_move);
  // Hands out the hash move first and leaves the rest of the head for later, or places the head.
  void StartOrder(int start);
  void PlaceHead(int start);
  // Appends the quiet moves, and gives the killers and hash move waiting in the spare entries
  // their places among them.
  void GenerateQuietMoves();

  MoveList& list_;
  SortedOrder order_;
  const Position* position_ = nullptr;  // set while the quiet moves are still to be generated
  Colour us_ = WHITE;
  int special_[3] = {-1, -1, -1};  // list indices of the primary and secondary killers and the hash move
  int spares_used_ = 0;  // bit i: spare entry i holds a move waiting for the quiet moves
  int tail_ = 0;         // next sorted position to hand out from the tail
  int head_[4] = {};     // list indices handed out before the tail
  int head_count_ = 0;
  int head_next_ = 0;
  int deferred_start_ = -1;  // the start for PlaceHead once the first move is handed out; -1 when placed
  int pulled_[3] = {};   // list indices of the killers and hash move taken out of the tail
  int pulled_count_ = 0;
  Move pending_killers_[2] = {};  // killers still to be looked for, when the best capture went first
};
