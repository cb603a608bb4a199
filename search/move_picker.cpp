#include "search/move_picker.h"

#include "movegen/generate.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Sets index[i] to the list index of moves[i] (the killers and the hash move), -1 where the list
// does not hold it. Four entries at a time where the processor can: they are looked for at every
// node, in lists of forty moves and more.
void FindListed(const MoveList& list, const Move (&moves)[3], int (&index)[3]) {
  index[0] = index[1] = index[2] = -1;
  auto note = [&](int i) {
    for (int k = 0; k < 3; ++k)
      if (list.moves[i] == moves[k] && index[k] < 0) index[k] = i;
  };
  int i = 0;
#if defined(__SSE2__)
  const __m128i p = _mm_set1_epi32(moves[0]), s = _mm_set1_epi32(moves[1]), h = _mm_set1_epi32(moves[2]);
  for (; i + 4 <= list.count; i += 4) {
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(list.moves + i));
    const __m128i any = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi32(m, p), _mm_cmpeq_epi32(m, s)), _mm_cmpeq_epi32(m, h));
    if (_mm_movemask_epi8(any) == 0) continue;
    for (int k = i; k < i + 4; ++k) note(k);
  }
#endif
  for (; i < list.count; ++i) note(i);
}

}  // namespace

MovePicker::MovePicker(MoveList& list, Move killer_primary, Move killer_secondary, int start, Move hash_move)
    : list_(list), order_(list) {
  FindListed(list, {killer_primary, killer_secondary, hash_move}, special_);
  StartOrder(start);
}

MovePicker::MovePicker(MoveList& list, const Position& position, Colour us, Move killer_primary,
                       Move killer_secondary, int start, Move hash_move)
    : list_(list), order_(list), position_(&position), us_(us) {
  // Without a hash move, the best capture comes first whatever the killers: many nodes end on
  // it, and the killers are looked for only when a second move is asked for.
  if (hash_move == 0 && start == 1) {
    pending_killers_[0] = killer_primary;
    pending_killers_[1] = killer_secondary;
    head_[head_count_++] = order_.At(0);
    deferred_start_ = start;
    return;
  }
  FindSpecials(killer_primary, killer_secondary, hash_move);
  StartOrder(start);
}

void MovePicker::FindSpecials(Move killer_primary, Move killer_secondary, Move hash_move) {
  MoveList& list = list_;
  const Position& position = *position_;
  const Colour us = us_;
  const Move moves[3] = {killer_primary, killer_secondary, hash_move};
  FindListed(list, moves, special_);
  // A quiet move the generator would list waits in a spare entry until the quiet moves exist.
  for (int i = 0; i < 3; ++i) {
    if (special_[i] >= 0 || moves[i] == 0) continue;
    for (int j = 0; j < i; ++j) {
      if (moves[j] == moves[i]) special_[i] = special_[j];
    }
    if (special_[i] >= 0) continue;
    const bool quiet_listed = us == WHITE ? QuietListedWhite(position, moves[i]) : QuietListedBlack(position, moves[i]);
    if (!quiet_listed) continue;
    special_[i] = MAX_MOVES - SPARE_ENTRIES + i;
    list.moves[special_[i]] = moves[i];
    spares_used_ |= 1 << i;
  }
}

void MovePicker::StartOrder(int start) {
  const int hash = special_[2];
  if (hash < 0) {
    PlaceHead(start);
    return;
  }
  // The hash move comes first whatever the order behind it, and most nodes that have one end
  // on it: the order of the rest waits until it is asked for.
  head_[head_count_++] = hash;
  deferred_start_ = start;
}

void MovePicker::PlaceHead(int start) {
  // Read again after every step that may generate the quiet moves, which moves the spares.
  const int& primary = special_[0];
  const int& secondary = special_[1];
  const int& hash = special_[2];
  // The order after the primary killer goes to `start`: the sorted entries before `start`, the
  // killer (unless it already sits before `start`), then the sorted rest without it.
  int first[2];
  int first_count = 0;
  if (start == 1 && list_.count > 0) first[first_count++] = SortedIndex(0);
  tail_ = first_count;
  if (primary >= 0 && !(first_count == 1 && first[0] == primary)) {
    first[first_count++] = primary;
    pulled_[pulled_count_++] = primary;
  }
  // The first start + 1 entries of that order stay in front of the secondary killer.
  for (int i = 0; i < first_count && head_count_ < start + 1; ++i) head_[head_count_++] = first[i];
  while (head_count_ < start + 1) {
    const int index = NextFromTail();
    if (index < 0) break;
    head_[head_count_++] = index;
  }
  if (secondary >= 0) {
    bool in_front = false;
    for (int i = 0; i < head_count_; ++i) in_front |= head_[i] == secondary;
    if (!in_front) {
      head_[head_count_++] = secondary;
      pulled_[pulled_count_++] = secondary;
    }
  }
  // The hash move goes before everything and is skipped wherever else it would come.
  if (hash >= 0) {
    int kept = 0;
    for (int i = 0; i < head_count_; ++i)
      if (head_[i] != hash) head_[kept++] = head_[i];
    for (int i = kept; i > 0; --i) head_[i] = head_[i - 1];
    head_[0] = hash;
    head_count_ = kept + 1;
    if (!Pulled(hash)) pulled_[pulled_count_++] = hash;
  }
}

void MovePicker::GenerateQuietMoves() {
  const Position& position = *position_;
  position_ = nullptr;
  const int first_quiet = list_.count;
  if (us_ == WHITE) GenerateQuietWhite(position, list_);
  else GenerateQuietBlack(position, list_);
  // The spare entries' moves now have their own places in the list.
  for (int i = 0; i < SPARE_ENTRIES; ++i) {
    if ((spares_used_ >> i & 1) == 0) continue;
    const int spare = MAX_MOVES - SPARE_ENTRIES + i;
    int index = -1;
    for (int i = first_quiet; i < list_.count && index < 0; ++i)
      if (list_.moves[i] == list_.moves[spare]) index = i;
    for (int i = 0; i < head_count_; ++i)
      if (head_[i] == spare) head_[i] = index;
    for (int i = 0; i < pulled_count_; ++i)
      if (pulled_[i] == spare) pulled_[i] = index;
    for (int& special : special_)
      if (special == spare) special = index;
  }
}

int MovePicker::SortedIndex(int position) {
  if (position >= list_.count && position_ != nullptr) GenerateQuietMoves();
  return order_.At(position);
}

bool MovePicker::Pulled(int index) const {
  for (int i = 0; i < pulled_count_; ++i)
    if (pulled_[i] == index) return true;
  return false;
}

int MovePicker::NextFromTail() {
  for (;;) {
    if (tail_ == list_.count) {
      if (position_ == nullptr) return -1;
      GenerateQuietMoves();
      continue;
    }
    const int index = SortedIndex(tail_++);
    if (!Pulled(index)) return index;
  }
}

int MovePicker::Next() {
  if (head_next_ < head_count_) return head_[head_next_++];
  if (deferred_start_ >= 0) {
    // The hash move or the best capture is handed out: build the whole head and go on after its
    // first entry, that move again.
    if (pending_killers_[0] != 0 || pending_killers_[1] != 0) {
      FindSpecials(pending_killers_[0], pending_killers_[1], 0);
      pending_killers_[0] = pending_killers_[1] = 0;
    }
    head_count_ = 0;
    PlaceHead(deferred_start_);
    deferred_start_ = -1;
    head_next_ = 1;
    if (head_next_ < head_count_) return head_[head_next_++];
  }
  return NextFromTail();
}
