#include "search/eval_cache.h"

#include <cstdint>
#include <cstring>

#include "eval/evaluate.h"

namespace {

// An entry is one word: the key's bits above the index, with the score in the low 16 bits. The
// index supplies the low bits of the key, so a match compares the whole key. Half the size of a
// key-and-score pair, the cache stays in the core's own second-level cache.
constexpr int INDEX_BITS = 16;
constexpr std::uint32_t CACHE_ENTRIES = 1u << INDEX_BITS;
constexpr std::uint64_t SCORE_MASK = 0xFFFF;
std::uint64_t cache[CACHE_ENTRIES];

}  // namespace

void NewEvaluationCache() { std::memset(cache, 0, sizeof cache); }

void PrefetchEvaluation(std::uint64_t key) { __builtin_prefetch(&cache[key & (CACHE_ENTRIES - 1)]); }

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
