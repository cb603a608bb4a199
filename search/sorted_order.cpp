#include "search/sorted_order.h"

#if defined(__SSE4_1__)
#include <smmintrin.h>
#endif

namespace {

// Sort word: score (biased to be unsigned) in bits 22-31, place in bits 11-21, index in bits 0-10.
constexpr int PLACE_SHIFT = SortedOrder::PLACE_SHIFT;
constexpr std::uint32_t INDEX_MASK = SortedOrder::INDEX_MASK;
constexpr int SCORE_SHIFT = 22;
constexpr std::uint32_t PLACE_MASK = INDEX_MASK << PLACE_SHIFT;
constexpr std::int32_t SCORE_BIAS = 64;
static_assert(MAX_MOVES <= (1 << PLACE_SHIFT), "places and indices need more bits");
static_assert(SPARE_ENTRIES >= 3, "a group of four reads up to three entries past its segment");
static_assert(MIN_MOVE_SCORE + SCORE_BIAS >= 0 && MAX_MOVE_SCORE + SCORE_BIAS < (1 << (32 - SCORE_SHIFT)),
              "scores need more bits");

constexpr std::uint32_t PlaceBits(int place) { return (INDEX_MASK - place) << PLACE_SHIFT; }

// One exchange pass on [j, last): the held word is the running maximum, and each later entry
// keeps the smaller of itself and the word held before it, so an entry that beats the held word
// is where the old holder is left. Places are added for the comparisons and removed on storing.
void ScalarPass(std::uint32_t* keys, int j, int last) {
  std::uint32_t held = keys[j] | PlaceBits(j);
  for (int k = j + 1; k < last; ++k) {
    const std::uint32_t key = keys[k] | PlaceBits(k);
    keys[k] = (key < held ? key : held) & ~PLACE_MASK;
    held = key < held ? held : key;
  }
  keys[j] = held & ~PLACE_MASK;
}

#if defined(__SSE4_1__)
// The same pass on groups of four words. Lanes past the segment's end are zero, which loses
// every comparison (a word with its place is never zero), and are written back unchanged.
// Groups of eight with AVX2, chosen at start-up, were measured side by side too: over seven
// rounds of bench 5 their median speed per CPU second was at most 2.4% ahead and mostly
// behind, short of the 3% that would pay for a second width.

// One group of words with their places: each lane keeps the smaller of itself and the largest
// word before it in the pass. `held`, the largest word before the group in every lane, becomes
// the largest up to the group's end.
inline __m128i GroupStep(__m128i x, __m128i& held) {
  __m128i upto = _mm_max_epu32(x, _mm_slli_si128(x, 4));
  upto = _mm_max_epu32(upto, _mm_slli_si128(upto, 8));
  upto = _mm_max_epu32(upto, held);
  const __m128i before = _mm_alignr_epi8(upto, held, 12);
  held = _mm_shuffle_epi32(upto, 0xFF);
  return _mm_min_epu32(x, before);
}

inline __m128i Live(__m128i lanes, int count) { return _mm_cmpgt_epi32(_mm_set1_epi32(count), lanes); }
inline __m128i Places(__m128i lanes, int first) {
  return _mm_sub_epi32(_mm_set1_epi32(static_cast<int>(PlaceBits(first))), _mm_slli_epi32(lanes, PLACE_SHIFT));
}
inline __m128i WithoutPlaces(__m128i x) { return _mm_and_si128(x, _mm_set1_epi32(static_cast<int>(~PLACE_MASK))); }

void FourLanePass(std::uint32_t* keys, int j, int last) {
  const __m128i lanes = _mm_setr_epi32(0, 1, 2, 3);
  __m128i held = _mm_set1_epi32(static_cast<int>(keys[j] | PlaceBits(j)));
  __m128i places = Places(lanes, j + 1);
  auto group = [&](int k, __m128i live) {
    __m128i* at = reinterpret_cast<__m128i*>(keys + k);
    const __m128i stored = _mm_loadu_si128(at);
    const __m128i kept = GroupStep(_mm_and_si128(_mm_or_si128(stored, places), live), held);
    _mm_storeu_si128(at, _mm_blendv_epi8(stored, WithoutPlaces(kept), live));
    places = _mm_sub_epi32(places, _mm_set1_epi32(4 << PLACE_SHIFT));
  };
  int k = j + 1;
  for (; k + 4 <= last; k += 4) group(k, _mm_set1_epi32(-1));
  if (k < last) group(k, Live(lanes, last - k));
  keys[j] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(WithoutPlaces(held)));
}

// The rest of a segment, at most eight entries, sorted at once: every pass runs on two
// registers, and memory is read and written once. A word that moves takes its new lane's place.
// Pass j starts with nothing held: lane j keeps nothing and then takes the maximum.
constexpr int REGISTER_SORT_ENTRIES = 8;

// Pass j on one register: the live lanes from j on take part.
inline void RegisterGroup(__m128i& words, __m128i lanes, __m128i live, __m128i pass, __m128i& held) {
  const __m128i active = _mm_andnot_si128(_mm_cmpgt_epi32(pass, lanes), live);
  const __m128i kept = WithoutPlaces(GroupStep(_mm_and_si128(words, active), held));
  words = _mm_blendv_epi8(words, _mm_or_si128(kept, Places(lanes, 0)), active);
}

void SortInRegisters(std::uint32_t* keys, int count) {
  const __m128i lanes_lo = _mm_setr_epi32(0, 1, 2, 3), lanes_hi = _mm_setr_epi32(4, 5, 6, 7);
  const __m128i live_lo = Live(lanes_lo, count), live_hi = Live(lanes_hi, count);
  const __m128i stored_lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys));
  const __m128i stored_hi =
      count > 4 ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys + 4)) : _mm_setzero_si128();
  __m128i lo = _mm_and_si128(_mm_or_si128(stored_lo, Places(lanes_lo, 0)), live_lo);
  __m128i hi = _mm_and_si128(_mm_or_si128(stored_hi, Places(lanes_hi, 0)), live_hi);
  for (int j = 0; j < count - 1; ++j) {
    const __m128i pass = _mm_set1_epi32(j);
    __m128i held = _mm_setzero_si128();
    if (j < 4) RegisterGroup(lo, lanes_lo, live_lo, pass, held);
    if (count > 4) RegisterGroup(hi, lanes_hi, live_hi, pass, held);
    lo = _mm_blendv_epi8(lo, held, _mm_cmpeq_epi32(lanes_lo, pass));
    hi = _mm_blendv_epi8(hi, held, _mm_cmpeq_epi32(lanes_hi, pass));
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(keys), _mm_blendv_epi8(stored_lo, WithoutPlaces(lo), live_lo));
  if (count > 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(keys + 4),
                     _mm_blendv_epi8(stored_hi, WithoutPlaces(hi), live_hi));
  }
}
#endif

}  // namespace

bool SortedOrder::four_lanes = SortedOrder::HAS_FOUR_LANES;

void SortedOrder::Sort(int position) {
  // Sort words for the entries appended since the last call.
  std::uint32_t* keys = keys_;
  const int count = list_.count;
  for (int i = keyed_; i < count; ++i) keys[i] = (keys[i] + SCORE_BIAS) << SCORE_SHIFT | static_cast<std::uint32_t>(i);
  keyed_ = count;
  while (sorted_ <= position) {
    const int last = sorted_ < list_.capture_count ? list_.capture_count : count;
#if defined(__SSE4_1__)
    if (four_lanes) {
      if (last - sorted_ <= REGISTER_SORT_ENTRIES) {
        SortInRegisters(keys + sorted_, last - sorted_);
        sorted_ = last;
      } else {
        FourLanePass(keys, sorted_++, last);
      }
      continue;
    }
#endif
    ScalarPass(keys, sorted_++, last);
  }
}

int SortedOrder::FirstCapture() const {
  int first = 0;
  for (int i = 1; i < list_.capture_count; ++i) {
    if (list_.scores[i] > list_.scores[first]) first = i;
  }
  return first;
}
