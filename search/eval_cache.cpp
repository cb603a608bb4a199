#include "search/eval_cache.h"

#include <cstdint>
#include <cstring>

#include "eval/evaluate.h"

using eval_cache_detail::cache;
using eval_cache_detail::CACHE_ENTRIES;

namespace {

// An entry is one word: the key's bits above the index, with the score in the low 16 bits. The
// index supplies the low bits of the key, so a match compares the whole key. Half the size of a
// key-and-score pair, the cache stays in the core's own second-level cache.
constexpr std::uint64_t SCORE_MASK = 0xFFFF;

}  // namespace

std::uint64_t eval_cache_detail::cache[CACHE_ENTRIES];

void NewEvaluationCache() { std::memset(cache, 0, sizeof cache); }

int CachedEvaluation(const Position& position) { return CachedEvaluation(position, PlacementOf(position)); }

int CachedEvaluation(const Position& position, Placement sums) {
  const std::uint64_t key = position.hash_key;
  const std::uint64_t high = key & ~SCORE_MASK;
  std::uint64_t& e = cache[key & (CACHE_ENTRIES - 1)];
  // An empty entry is 0, which a key with no high bits would match: such keys bypass the cache.
  if (high == 0) return EvaluatePosition(position, sums);
  if ((e & ~SCORE_MASK) == high) return static_cast<std::int16_t>(e & SCORE_MASK);
  const int score = EvaluatePosition(position, sums);
  // A score beyond 16 bits is not remembered.
  if (score == static_cast<std::int16_t>(score)) e = high | (static_cast<std::uint64_t>(score) & SCORE_MASK);
  return score;
}
