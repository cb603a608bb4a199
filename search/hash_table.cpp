#include "search/hash_table.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "io/output.h"
#include "io/platform.h"
#include "search/ordering.h"

int hash_size_mb = DEFAULT_HASH_MB;

namespace hash_table_detail {
TTEntry* hash_table = nullptr;
std::uint32_t hash_mask = 0;
std::uint16_t current_search = 0;
}  // namespace hash_table_detail

using hash_table_detail::current_search;
using hash_table_detail::EntryFor;
using hash_table_detail::hash_mask;
using hash_table_detail::hash_table;

namespace {

// "no memory" and "nothing to release", in the Windows-1251 bytes the messages were written in.
constexpr char NO_MEMORY_MESSAGE[] = "\xEF\xE0\xEC\xFF\xF2\xE8\x20\xED\xE5\xF2\x20\n";
constexpr char NOTHING_TO_RELEASE_MESSAGE[] =
    "\xEE\xF1\xE2\xEE\xE1\xEE\xE6\xE4\xE0\xF2\xFC\x20\xED\xE5\xF7\xE5\xE3\xEE\x20\n";

// Every probe lands on a random entry, so address translation misses dominate a probe. Large
// pages spare most of them; the table is touched once here, so that the search never waits for
// the kernel to find and clear a large page.
void UseLargePages([[maybe_unused]] void* start, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t LARGE_PAGE = std::uintptr_t{2} << 20;
  const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(start) + LARGE_PAGE - 1) & ~(LARGE_PAGE - 1);
  const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(start) + bytes;
  if (end < first + LARGE_PAGE) return;
  madvise(reinterpret_cast<void*>(first), (end - first) & ~(LARGE_PAGE - 1), MADV_HUGEPAGE);
  std::memset(start, 0, bytes);
#endif
}

inline bool IsFree(const TTEntry& e) { return e.search != current_search || e.key == EMPTY_KEY; }

}  // namespace

void SetHashSize(int megabytes) {
  hash_size_mb = megabytes < 0 ? 0 : megabytes > MAX_HASH_MB ? MAX_HASH_MB : megabytes;
}

bool HashTableExists() { return hash_table != nullptr; }

void AllocateHashTable() {
  ReleaseHashTable();
  const std::uint32_t n = static_cast<std::uint32_t>(hash_size_mb) * (1u << 20) / 16u;
  std::uint32_t entries = 2;
  while (entries <= n) entries *= 2;
  entries /= 2;
  hash_mask = entries - 1;
  hash_table = static_cast<TTEntry*>(std::calloc(entries + 2, sizeof(TTEntry)));
  if (hash_table == nullptr) {
    WriteText(NO_MEMORY_MESSAGE);
    EndProcess(1);
  }
  UseLargePages(hash_table, (entries + 2) * sizeof(TTEntry));
}

void ResizeHashTable() {
  if (hash_table == nullptr) {
    WriteText(NOTHING_TO_RELEASE_MESSAGE);
    EndProcess(1);
  }
  AllocateHashTable();
}

void ClearHashTable() {
  if (++current_search != 0) return;
  // The numbers have gone round: mark every entry free for real and start again.
  for (std::uint32_t i = 0; i <= hash_mask; ++i) {
    hash_table[i].key = EMPTY_KEY;
    hash_table[i].search = 0;
  }
  current_search = 1;
}

void ReleaseHashTable() {
  std::free(hash_table);
  hash_table = nullptr;
}

std::uint32_t HashEntryCount() { return hash_mask + 1; }

int HashMoveToFront(MoveList& list, std::uint64_t key) { return MoveToIndex(list, EntryFor(key).move, 0) ? 1 : 0; }

void StoreHashMove(const MoveList& list, int index, std::uint64_t key, int ply) {
  TTEntry& e = EntryFor(key);
  if (IsFree(e) || e.ply >= ply) {
    e.key = key;
    e.move = list.moves[index];
    e.ply = static_cast<std::int16_t>(ply);
    e.search = current_search;
  }
}
