#include "search/move_picker.h"

#include "search/ordering.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct Listed {
  bool primary, secondary, hash;
};

// Which of the three moves the list holds. Four entries at a time where the processor can: the
// killers and the hash move are looked for at every node, in lists of forty moves and more.
Listed FindListed(const MoveList& list, Move primary, Move secondary, Move hash) {
  int i = 0;
  Listed found{false, false, false};
#if defined(__SSE2__)
  const __m128i p = _mm_set1_epi32(primary), s = _mm_set1_epi32(secondary), h = _mm_set1_epi32(hash);
  __m128i any_p = _mm_setzero_si128(), any_s = _mm_setzero_si128(), any_h = _mm_setzero_si128();
  for (; i + 4 <= list.count; i += 4) {
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(list.moves + i));
    any_p = _mm_or_si128(any_p, _mm_cmpeq_epi32(m, p));
    any_s = _mm_or_si128(any_s, _mm_cmpeq_epi32(m, s));
    any_h = _mm_or_si128(any_h, _mm_cmpeq_epi32(m, h));
  }
  found = {_mm_movemask_epi8(any_p) != 0, _mm_movemask_epi8(any_s) != 0, _mm_movemask_epi8(any_h) != 0};
#endif
  for (; i < list.count; ++i) {
    const Move m = list.moves[i];
    found.primary |= m == primary;
    found.secondary |= m == secondary;
    found.hash |= m == hash;
  }
  return found;
}

}  // namespace

MovePicker::MovePicker(MoveList& list) : list_(list) {}

MovePicker::MovePicker(MoveList& list, Move killer_primary, Move killer_secondary, int start, Move hash_move)
    : list_(list) {
  const Listed listed = FindListed(list, killer_primary, killer_secondary, hash_move);
  const bool primary_listed = listed.primary, secondary_listed = listed.secondary, hash_listed = listed.hash;

  // The order after the primary killer goes to `start`: the sorted entries before `start`, the
  // killer (unless it already sits before `start`), then the sorted rest without it.
  Move first[2];
  int first_count = 0;
  if (start == 1 && list.count > 0) first[first_count++] = list.moves[SortedIndex(0)];
  tail_ = first_count;
  if (primary_listed && !(first_count == 1 && first[0] == killer_primary)) {
    first[first_count++] = killer_primary;
    pulled_[pulled_count_++] = killer_primary;
  }
  // The first start + 1 entries of that order stay in front of the secondary killer.
  for (int i = 0; i < first_count && head_count_ < start + 1; ++i) head_[head_count_++] = first[i];
  while (head_count_ < start + 1) {
    const int index = NextFromTail();
    if (index < 0) break;
    head_[head_count_++] = list.moves[index];
  }
  if (secondary_listed) {
    bool in_front = false;
    for (int i = 0; i < head_count_; ++i) in_front |= head_[i] == killer_secondary;
    if (!in_front) {
      head_[head_count_++] = killer_secondary;
      pulled_[pulled_count_++] = killer_secondary;
    }
  }
  // The hash move goes before everything and is skipped wherever else it would come.
  if (hash_listed) {
    int kept = 0;
    for (int i = 0; i < head_count_; ++i)
      if (head_[i] != hash_move) head_[kept++] = head_[i];
    for (int i = kept; i > 0; --i) head_[i] = head_[i - 1];
    head_[0] = hash_move;
    head_count_ = kept + 1;
    if (!Pulled(hash_move)) pulled_[pulled_count_++] = hash_move;
  }
}

int MovePicker::SortedIndex(int position) {
  while (sorted_ <= position) {
    const int last = sorted_ < list_.capture_count ? list_.capture_count : list_.count;
    ExchangePass(list_, sorted_, last);
    ++sorted_;
  }
  return position;
}

int MovePicker::IndexOf(Move move) const {
  for (int i = 0; i < list_.count; ++i)
    if (list_.moves[i] == move) return i;
  return -1;
}

bool MovePicker::Pulled(Move move) const {
  for (int i = 0; i < pulled_count_; ++i)
    if (pulled_[i] == move) return true;
  return false;
}

int MovePicker::NextFromTail() {
  while (tail_ < list_.count) {
    const int index = SortedIndex(tail_++);
    if (!Pulled(list_.moves[index])) return index;
  }
  return -1;
}

int MovePicker::Next() {
  if (head_next_ < head_count_) return IndexOf(head_[head_next_++]);
  return NextFromTail();
}
