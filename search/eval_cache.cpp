#include "search/eval_cache.h"

#include <cstdint>

#include "eval/evaluate.h"

namespace {

struct EvaluationEntry {
  std::uint64_t key;
  std::int32_t score;
  std::uint32_t search;
};

constexpr std::uint32_t CACHE_ENTRIES = 1u << 16;
EvaluationEntry cache[CACHE_ENTRIES];
// Entries of earlier searches do not count: a search number of 0 belongs to none.
std::uint32_t current_search = 0;

}  // namespace

void NewEvaluationCache() {
  if (++current_search != 0) return;
  for (EvaluationEntry& e : cache) e.search = 0;
  current_search = 1;
}

void PrefetchEvaluation(std::uint64_t key) { __builtin_prefetch(&cache[key & (CACHE_ENTRIES - 1)]); }

int CachedEvaluation(const Position& position) {
  EvaluationEntry& e = cache[position.hash_key & (CACHE_ENTRIES - 1)];
  if (e.search == current_search && e.key == position.hash_key) return e.score;
  const int score = EvaluatePosition(position);
  e = EvaluationEntry{position.hash_key, score, current_search};
  return score;
}
