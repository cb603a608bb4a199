// The transposition table: per position, the move that last raised the score there, so that
// it is tried first when the position comes again. It stores no scores.
#pragma once

#include <cstdint>

#include "board/move_list.h"
#include "search/prefetch.h"

// An entry belongs to the search whose number it carries; entries of earlier searches count
// as free, so emptying the table is one increment instead of a pass over every entry.
struct TTEntry {
  std::uint64_t key;
  std::int32_t move;
  std::int16_t ply;
  std::uint16_t search;
};

constexpr std::uint64_t EMPTY_KEY = ~std::uint64_t{0};
constexpr int DEFAULT_HASH_MB = 32;
constexpr int MAX_HASH_MB = 4095;

extern int hash_size_mb;

// Sets hash_size_mb, clamped into 0..MAX_HASH_MB.
void SetHashSize(int megabytes);
bool HashTableExists();
void AllocateHashTable();
void ResizeHashTable();
// Frees every entry: no entry survives from one search to the next.
void ClearHashTable();
void ReleaseHashTable();
std::uint32_t HashEntryCount();

// The table itself, for the lookups below, which the search makes at every node.
namespace hash_table_detail {
extern TTEntry* hash_table;
extern std::uint32_t hash_mask;
// Number of the current search; a zero-filled entry belongs to none.
extern std::uint16_t current_search;

inline TTEntry& EntryFor(std::uint64_t key) { return hash_table[static_cast<std::uint32_t>(key) & hash_mask]; }
}  // namespace hash_table_detail

// Starts loading the key's entry, so that the probe a little later finds it in the cache.
inline void HashPrefetch(std::uint64_t key) { PrefetchLine(&hash_table_detail::EntryFor(key)); }
// True when the entry for the key holds exactly this key.
inline bool HashProbe(std::uint64_t key) {
  const TTEntry& e = hash_table_detail::EntryFor(key);
  return e.key == key && e.search == hash_table_detail::current_search;
}
// The move stored in the key's entry (meaningful after a hit).
inline Move HashStoredMove(std::uint64_t key) { return hash_table_detail::EntryFor(key).move; }
// Moves the stored move of the key's entry to the front of the list (moves only); 1 if found.
int HashMoveToFront(MoveList& list, std::uint64_t key);
// Stores the list's move at index unless the entry holds a move from nearer the root.
void StoreHashMove(const MoveList& list, int index, std::uint64_t key, int ply);
