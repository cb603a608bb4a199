// The static evaluation of the horizon nodes of one search, remembered by position key. Half of
// the horizon nodes of a search are visits of a placement met before (the re-search of a move
// after its null window, the null move's own horizon), and the evaluation depends on the
// placement alone, which the key stands for.
#pragma once

#include <cstdint>

#include "board/types.h"
#include "eval/placement.h"
#include "search/prefetch.h"

// The cache itself, for the prefetch below, which the search makes at nearly every node.
namespace eval_cache_detail {
constexpr int INDEX_BITS = 16;
constexpr std::uint32_t CACHE_ENTRIES = 1u << INDEX_BITS;
extern std::uint64_t cache[CACHE_ENTRIES];
}  // namespace eval_cache_detail

// Forgets every remembered evaluation; called when a search starts.
void NewEvaluationCache();
// Starts loading the entry of a key whose position may soon be evaluated.
inline void PrefetchEvaluation(std::uint64_t key) {
  PrefetchLine(&eval_cache_detail::cache[key & (eval_cache_detail::CACHE_ENTRIES - 1)]);
}
// EvaluatePosition of the position, looked up by its hash_key first.
int CachedEvaluation(const Position& position);
// The same, given the position's square-table sums for the evaluation.
int CachedEvaluation(const Position& position, Placement sums);
