// Hands out the moves of a node in exactly the order that sorting both segments, pulling the
// killers forward and then the hash move to the front would give, but sorts lazily: pass j of
// the exchange sort runs only when the move at sorted position j is needed. A node that cuts
// off after a few moves never pays for ordering the rest.
//
// The passes run on one word per entry, written over the list's scores (which nothing reads once
// ordering starts): the score on top, then the entry's current place (earlier places above later
// ones, so that an equal score never displaces the entry held), then the entry's index in the
// list. The moves stay where the generator put them, and the picker hands out their indices.
//
// An interior node's picker can also start from the captures alone and generate the quiet moves
// only when its order reaches them: most nodes end with the hash move or a capture. The killers
// and the hash move are then looked for by asking whether the quiet generator would list them.
#pragma once

#include <cstdint>

#include "board/move_list.h"

class MovePicker {
 public:
  // killer_primary/killer_secondary/hash_move are 0 when absent. start is where the killers go
  // (1 when the capture segment is not empty, else 0).
  MovePicker(MoveList& list, Move killer_primary, Move killer_secondary, int start, Move hash_move);
  // The same order for a list that holds the captures of `us` only; the quiet moves of `us` in
  // `position` are appended when needed. The position must be as it was whenever Next is called.
  MovePicker(MoveList& list, const Position& position, Colour us, Move killer_primary, Move killer_secondary,
             int start, Move hash_move);
  // Only the exchange sort of both segments (no killers, no hash move).
  explicit MovePicker(MoveList& list);

  // Index in the list of the next move in order, or -1 when every move has been handed out.
  // The index stays valid until the next call.
  int Next();

 private:
  // List index of the entry at sorted position `position`.
  int SortedIndex(int position);
  // The next entry of the sorted order that was not pulled forward, as a list index; -1 at end.
  int NextFromTail();
  bool Pulled(int index) const;
  // Hands out the hash move first and leaves the rest of the head for later, or places the head.
  void StartOrder(int start);
  void PlaceHead(int start);
  // Appends the quiet moves, and gives the killers and hash move waiting in the spare entries
  // their places among them.
  void GenerateQuietMoves();

  MoveList& list_;
  const Position* position_ = nullptr;  // set while the quiet moves are still to be generated
  Colour us_ = WHITE;
  int special_[3] = {-1, -1, -1};  // list indices of the primary and secondary killers and the hash move
  int spares_used_ = 0;  // bit i: spare entry i holds a move waiting for the quiet moves
  int keyed_ = 0;        // entries [0, keyed_) hold sort words
  std::uint32_t* keys_;  // the list's scores, once turned into sort words
  int sorted_ = 0;       // positions [0, sorted_) hold their final sorted entries
  int tail_ = 0;         // next sorted position to hand out from the tail
  int head_[4] = {};     // list indices handed out before the tail
  int head_count_ = 0;
  int head_next_ = 0;
  int deferred_start_ = -1;  // the start for PlaceHead once the hash move is handed out; -1 when placed
  int pulled_[3] = {};   // list indices of the killers and hash move taken out of the tail
  int pulled_count_ = 0;
};
