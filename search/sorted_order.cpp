#include "search/sorted_order.h"

#include <cstring>

#if defined(__SSE4_1__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Sort word: score (biased to be unsigned) in bits 22-31, place in bits 11-21, index in bits 0-10.
constexpr int PLACE_SHIFT = SortedOrder::PLACE_SHIFT;
constexpr std::uint32_t INDEX_MASK = SortedOrder::INDEX_MASK;
constexpr int SCORE_SHIFT = 22;
constexpr std::uint32_t PLACE_MASK = INDEX_MASK << PLACE_SHIFT;
constexpr std::int32_t SCORE_BIAS = 64;
static_assert(MAX_MOVES <= (1 << PLACE_SHIFT), "places and indices need more bits");
static_assert(SPARE_ENTRIES >= 3, "the last group of a pass reads up to three entries past its segment");
static_assert(MIN_MOVE_SCORE + SCORE_BIAS >= 0 && MAX_MOVE_SCORE + SCORE_BIAS < (1 << (32 - SCORE_SHIFT)),
              "scores need more bits");

// The entries of one wide group, which are also the zeros kept after the list's last word for it.
constexpr int WIDE_GROUP = 8;

inline std::uint32_t PlaceBits(int place) { return static_cast<std::uint32_t>(INDEX_MASK - place) << PLACE_SHIFT; }

// Turns count scores into sort words in place, without places; the first is entry `first`.
[[gnu::noinline]] void MakeKeys(const std::int32_t* scores, std::uint32_t* keys, int first, int count) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i bias = _mm_set1_epi32(SCORE_BIAS);
  const __m128i step = _mm_set1_epi32(4);
  __m128i indices = _mm_add_epi32(_mm_setr_epi32(0, 1, 2, 3), _mm_set1_epi32(first));
  for (; i + 4 <= count; i += 4) {
    const __m128i score = _mm_loadu_si128(reinterpret_cast<const __m128i*>(scores + i));
    const __m128i key = _mm_or_si128(_mm_slli_epi32(_mm_add_epi32(score, bias), SCORE_SHIFT), indices);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(keys + i), key);
    indices = _mm_add_epi32(indices, step);
  }
#endif
  for (; i < count; ++i)
    keys[i] = static_cast<std::uint32_t>(scores[i] + SCORE_BIAS) << SCORE_SHIFT | static_cast<std::uint32_t>(first + i);
}

// The rest of an exchange pass, entry by entry from k; returns the word that ends at the pass's
// position.
inline std::uint32_t ScalarPassRest(std::uint32_t* keys, int k, int last, std::uint32_t held) {
  for (; k < last; ++k) {
    const std::uint32_t key = keys[k] | PlaceBits(k);
    keys[k] = (key < held ? key : held) & ~PLACE_MASK;
    held = key < held ? held : key;
  }
  return held & ~PLACE_MASK;
}

// One exchange pass on sort words: the held word is the running maximum, and each later entry
// keeps the smaller of itself and the word held before it, so an entry that beats the held word
// is where the old holder is left. Places are added for the comparisons and removed on storing.
// Four entries at a time where the processor can, as a running maximum within the four.
void KeyPass(std::uint32_t* keys, int j, int last) {
  std::uint32_t held = keys[j] | PlaceBits(j);
  int k = j + 1;
#if defined(__SSE4_1__)
  if (k < last) {
    __m128i carry = _mm_set1_epi32(static_cast<int>(held));
    __m128i places = _mm_setr_epi32(static_cast<int>(PlaceBits(k)), static_cast<int>(PlaceBits(k + 1)),
                                    static_cast<int>(PlaceBits(k + 2)), static_cast<int>(PlaceBits(k + 3)));
    const __m128i place_step = _mm_set1_epi32(4 << PLACE_SHIFT);
    const __m128i without_place = _mm_set1_epi32(static_cast<int>(~PLACE_MASK));
    // One group of four: each entry keeps the smaller of itself and the running maximum before
    // it. Entries outside `live` count as zero, which loses every comparison, and are stored back
    // unchanged.
    auto group = [&](__m128i* at, __m128i live) {
      const __m128i stored = _mm_loadu_si128(at);
      const __m128i x = _mm_and_si128(_mm_or_si128(stored, places), live);
      __m128i upto = _mm_max_epu32(x, _mm_slli_si128(x, 4));
      upto = _mm_max_epu32(upto, _mm_slli_si128(upto, 8));
      upto = _mm_max_epu32(upto, carry);
      const __m128i before = _mm_alignr_epi8(upto, carry, 12);
      const __m128i kept = _mm_and_si128(_mm_min_epu32(x, before), without_place);
      _mm_storeu_si128(at, _mm_blendv_epi8(stored, kept, live));
      carry = _mm_shuffle_epi32(upto, 0xFF);
      places = _mm_sub_epi32(places, place_step);
    };
    for (; k + 4 <= last; k += 4) group(reinterpret_cast<__m128i*>(keys + k), _mm_set1_epi32(-1));
    // The last one to three entries as one group more. The list's arrays reach at least three
    // entries past any segment's end (the spare entries lie beyond every generated one).
    if (k < last) {
      const __m128i lanes = _mm_setr_epi32(0, 1, 2, 3);
      group(reinterpret_cast<__m128i*>(keys + k), _mm_cmpgt_epi32(_mm_set1_epi32(last - k), lanes));
    }
    k = last;
    held = static_cast<std::uint32_t>(_mm_cvtsi128_si32(carry));
  }
#endif
  keys[j] = ScalarPassRest(keys, k, last, held);
}

#if defined(__SSE4_1__) && defined(__x86_64__) && defined(__GNUC__)
#define MORVA_WIDE_PASSES 1
// The passes eight entries at a time, on processors with AVX2: chosen when the program starts,
// since the portable build may not assume it.

// One group of eight: each entry keeps the smaller of itself and the running maximum before it,
// which takes three shifts across the lanes. Entries outside `live` count as zero, which loses
// every comparison, and are stored back unchanged.
[[gnu::target("avx2"), gnu::always_inline]] inline void WideGroup(__m256i* at, __m256i live, __m256i& carry,
                                                                   __m256i& places) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i one_up = _mm256_setr_epi32(0, 0, 1, 2, 3, 4, 5, 6);
  const __m256i two_up = _mm256_setr_epi32(0, 0, 0, 1, 2, 3, 4, 5);
  const __m256i stored = _mm256_loadu_si256(at);
  const __m256i x = _mm256_and_si256(_mm256_or_si256(stored, places), live);
  __m256i prefix = _mm256_max_epu32(x, _mm256_blend_epi32(_mm256_permutevar8x32_epi32(x, one_up), zero, 0x01));
  prefix = _mm256_max_epu32(prefix, _mm256_blend_epi32(_mm256_permutevar8x32_epi32(prefix, two_up), zero, 0x03));
  prefix = _mm256_max_epu32(prefix, _mm256_permute2x128_si256(prefix, prefix, 0x08));
  const __m256i upto = _mm256_max_epu32(prefix, carry);
  const __m256i before = _mm256_blend_epi32(_mm256_permutevar8x32_epi32(upto, one_up), carry, 0x01);
  const __m256i kept = _mm256_and_si256(_mm256_min_epu32(x, before), _mm256_set1_epi32(static_cast<int>(~PLACE_MASK)));
  _mm256_storeu_si256(at, _mm256_blendv_epi8(stored, kept, live));
  // The next group waits only for one maximum: the group's largest word is found apart from
  // the carry it came with.
  carry = _mm256_max_epu32(carry, _mm256_permutevar8x32_epi32(prefix, _mm256_set1_epi32(7)));
  places = _mm256_sub_epi32(places, _mm256_set1_epi32(8 << PLACE_SHIFT));
}

// Passes j to j + passes - 1 of the exchange sort on [j, last). With `padded`, the eight words
// from last on are zero: they lose every comparison and stay zero, so the last group needs no
// mask.
[[gnu::target("avx2")]] void WideKeyPasses(std::uint32_t* keys, int j, int passes, int last, bool padded) {
  const __m256i lane_places = _mm256_setr_epi32(0, 1 << PLACE_SHIFT, 2 << PLACE_SHIFT, 3 << PLACE_SHIFT,
                                                4 << PLACE_SHIFT, 5 << PLACE_SHIFT, 6 << PLACE_SHIFT,
                                                7 << PLACE_SHIFT);
  const __m256i all = _mm256_set1_epi32(-1);
  const int full_end = padded ? last + WIDE_GROUP - 1 : last;
  for (const int end = j + passes; j < end; ++j) {
    std::uint32_t held = keys[j] | PlaceBits(j);
    int k = j + 1;
    if (k < last) {
      __m256i carry = _mm256_set1_epi32(static_cast<int>(held));
      __m256i places = _mm256_sub_epi32(_mm256_set1_epi32(static_cast<int>(PlaceBits(k))), lane_places);
      for (; k + WIDE_GROUP <= full_end; k += WIDE_GROUP) {
        WideGroup(reinterpret_cast<__m256i*>(keys + k), all, carry, places);
      }
      // Unpadded, the last one to seven entries as one group more where the list's arrays reach
      // that far.
      if (k < last && k + WIDE_GROUP <= MAX_MOVES) {
        const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
        WideGroup(reinterpret_cast<__m256i*>(keys + k), _mm256_cmpgt_epi32(_mm256_set1_epi32(last - k), lanes),
                  carry, places);
        k = last;
      }
      held = static_cast<std::uint32_t>(_mm256_cvtsi256_si32(carry));
    }
    keys[j] = ScalarPassRest(keys, k, last, held);
  }
}
#endif

#if defined(__SSE4_1__)
// The rest of a segment, at most eight entries, sorted at once: every remaining pass runs on
// two registers, and memory is read and written once. Places are those of the lanes, set
// again after each pass for the entries that moved.
constexpr int REGISTER_SORT_ENTRIES = 8;

struct EightLanes {
  __m128i lo, hi;
};

// Pass J over the lanes: lane J holds the running maximum, each later lane keeps the smaller of
// itself and the maximum before it.
template <int J>
[[gnu::always_inline]] inline void RegisterPass(EightLanes& v, const EightLanes& places, bool high_lanes) {
  const __m128i without_place = _mm_set1_epi32(static_cast<int>(~PLACE_MASK));
  __m128i carry = J < 4 ? _mm_shuffle_epi32(v.lo, J * 0x55) : _mm_shuffle_epi32(v.hi, (J - 4) * 0x55);
  const __m128i held_lane = J < 4 ? _mm_setr_epi32(J == 0 ? -1 : 0, J == 1 ? -1 : 0, J == 2 ? -1 : 0, J == 3 ? -1 : 0)
                                  : _mm_setr_epi32(J == 4 ? -1 : 0, J == 5 ? -1 : 0, J == 6 ? -1 : 0, J == 7 ? -1 : 0);
  auto step = [&](__m128i& lanes, __m128i lane_places, __m128i after) {
    const __m128i x = _mm_and_si128(lanes, after);
    __m128i upto = _mm_max_epu32(x, _mm_slli_si128(x, 4));
    upto = _mm_max_epu32(upto, _mm_slli_si128(upto, 8));
    upto = _mm_max_epu32(upto, carry);
    const __m128i before = _mm_alignr_epi8(upto, carry, 12);
    const __m128i kept = _mm_or_si128(_mm_and_si128(_mm_min_epu32(x, before), without_place), lane_places);
    lanes = _mm_blendv_epi8(lanes, kept, after);
    carry = _mm_shuffle_epi32(upto, 0xFF);
  };
  if constexpr (J < 3) {
    step(v.lo, places.lo, _mm_setr_epi32(0, J < 1 ? -1 : 0, J < 2 ? -1 : 0, -1));
  }
  if constexpr (J < 4) {
    if (high_lanes) step(v.hi, places.hi, _mm_set1_epi32(-1));
    v.lo = _mm_blendv_epi8(v.lo, carry, held_lane);
  } else if constexpr (J < 7) {
    step(v.hi, places.hi, _mm_setr_epi32(0, J < 5 ? -1 : 0, J < 6 ? -1 : 0, -1));
    v.hi = _mm_blendv_epi8(v.hi, carry, held_lane);
  }
}

template <int J>
[[gnu::always_inline]] inline void RegisterPasses(EightLanes& v, const EightLanes& places, int count) {
  if constexpr (J < REGISTER_SORT_ENTRIES - 1) {
    if (J >= count - 1) return;
    RegisterPass<J>(v, places, count > 4);
    RegisterPasses<J + 1>(v, places, count);
  }
}

// Sorts words[0, count) for count at most eight; the eight words from `words` must be readable,
// and those from count on are written back unchanged. With FromScores the words are still the
// list's scores, of the entries from list index `first` on, and become sort words here.
template <bool FromScores>
void SortInRegisters(std::uint32_t* words, int first, int count) {
  const __m128i lanes = _mm_setr_epi32(0, 1, 2, 3);
  const __m128i live_lo = _mm_cmpgt_epi32(_mm_set1_epi32(count), lanes);
  const __m128i live_hi = _mm_cmpgt_epi32(_mm_set1_epi32(count - 4), lanes);
  const EightLanes places = {_mm_setr_epi32(static_cast<int>(PlaceBits(0)), static_cast<int>(PlaceBits(1)),
                                            static_cast<int>(PlaceBits(2)), static_cast<int>(PlaceBits(3))),
                             _mm_setr_epi32(static_cast<int>(PlaceBits(4)), static_cast<int>(PlaceBits(5)),
                                            static_cast<int>(PlaceBits(6)), static_cast<int>(PlaceBits(7)))};
  const __m128i stored_lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words));
  const __m128i stored_hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words + 4));
  __m128i keys_lo = stored_lo, keys_hi = stored_hi;
  if constexpr (FromScores) {
    const __m128i bias = _mm_set1_epi32(SCORE_BIAS);
    const __m128i indices = _mm_add_epi32(lanes, _mm_set1_epi32(first));
    keys_lo = _mm_or_si128(_mm_slli_epi32(_mm_add_epi32(stored_lo, bias), SCORE_SHIFT), indices);
    keys_hi = _mm_or_si128(_mm_slli_epi32(_mm_add_epi32(stored_hi, bias), SCORE_SHIFT),
                           _mm_add_epi32(indices, _mm_set1_epi32(4)));
  }
  // Entries beyond count are zero, which loses every comparison.
  EightLanes v = {_mm_and_si128(_mm_or_si128(keys_lo, places.lo), live_lo),
                  _mm_and_si128(_mm_or_si128(keys_hi, places.hi), live_hi)};
  RegisterPasses<0>(v, places, count);
  const __m128i without_place = _mm_set1_epi32(static_cast<int>(~PLACE_MASK));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(words),
                   _mm_blendv_epi8(stored_lo, _mm_and_si128(v.lo, without_place), live_lo));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(words + 4),
                   _mm_blendv_epi8(stored_hi, _mm_and_si128(v.hi, without_place), live_hi));
}
#endif

}  // namespace

#if defined(MORVA_WIDE_PASSES)
namespace {
// Static initialisers may run before the library has looked at the processor.
bool ProcessorHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}
}  // namespace

bool SortedOrder::wide_passes = ProcessorHasAvx2();
#else
bool SortedOrder::wide_passes = false;
#endif

int SortedOrder::Sort(int position) {
  while (sorted_ <= position) {
    const int last = sorted_ < list_.capture_count ? list_.capture_count : list_.count;
#if defined(__SSE4_1__)
    if (last - sorted_ <= REGISTER_SORT_ENTRIES && sorted_ + REGISTER_SORT_ENTRIES <= MAX_MOVES) {
      // The rest of the segment at once; entries not yet turned into sort words are turned here.
      if (keyed_ == sorted_ && last == list_.count) {
        SortInRegisters<true>(keys_ + sorted_, sorted_, last - sorted_);
        keyed_ = last;
      } else {
        MakeNewKeys();
        SortInRegisters<false>(keys_ + sorted_, sorted_, last - sorted_);
      }
      sorted_ = last;
      continue;
    }
#endif
    MakeNewKeys();
#if defined(MORVA_WIDE_PASSES)
    if (wide_passes) {
      // A node that has gone this far into a segment mostly goes on: as many passes as the
      // segment has had run together, but none into the last eight entries unless asked for.
      const int first = sorted_ < list_.capture_count ? 0 : list_.capture_count;
      const int needed = (position < last ? position : last - 1) - sorted_ + 1;
      int passes = sorted_ - first;
      if (passes > last - REGISTER_SORT_ENTRIES - sorted_) passes = last - REGISTER_SORT_ENTRIES - sorted_;
      if (passes < needed) passes = needed;
      WideKeyPasses(keys_, sorted_, passes, last, last == list_.count && last + WIDE_GROUP <= MAX_MOVES);
      sorted_ += passes;
      continue;
    }
#endif
    KeyPass(keys_, sorted_, last);
    ++sorted_;
  }
  return static_cast<int>(keys_[position] & INDEX_MASK);
}

int SortedOrder::FirstCapture() const {
  int first = 0;
  for (int i = 1; i < list_.capture_count; ++i) {
    if (list_.scores[i] > list_.scores[first]) first = i;
  }
  return first;
}

void SortedOrder::MakeNewKeys() {
  if (keyed_ == list_.count) return;
  MakeKeys(list_.scores + keyed_, keys_ + keyed_, keyed_, list_.count - keyed_);
  keyed_ = list_.count;
  // Zeros after the last word spare the wide passes their masked last group. Quiet moves
  // appended later write over them and are padded in turn.
  if (wide_passes && keyed_ + WIDE_GROUP <= MAX_MOVES) {
    std::memset(keys_ + keyed_, 0, WIDE_GROUP * sizeof(std::uint32_t));
  }
}
