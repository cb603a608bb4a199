#include "board/slider_attacks.h"

namespace slider_detail {

Bitboard bishop_table[BISHOP_TABLE_SIZE];
Bitboard rook_table[ROOK_TABLE_SIZE];
std::uint8_t bishop_reach_count[BISHOP_TABLE_SIZE];
std::uint8_t rook_reach_count[ROOK_TABLE_SIZE];

namespace {

void Fill(Bitboard* table, std::uint8_t* counts, bool diagonal, const std::array<SquareEntry, 64>& entries,
          const std::array<Bitboard, 64>& multipliers) {
  for (int s = 0; s < 64; ++s) {
    const SquareEntry& e = entries[s];
    Bitboard subset = 0;
    do {
      const int index = e.offset + static_cast<int>((subset * multipliers[s]) >> e.shift);
      table[index] = SlowAttacks(diagonal, s, subset);
      counts[index] = static_cast<std::uint8_t>(Bits(table[index]));
      subset = (subset - e.mask) & e.mask;
    } while (subset != 0);
  }
}

// Runs before main: the tables are read only by the search.
struct FillAtStart {
  FillAtStart() {
    Fill(bishop_table, bishop_reach_count, true, BISHOP_ENTRIES, BISHOP_MULTIPLIERS);
    Fill(rook_table, rook_reach_count, false, ROOK_ENTRIES, ROOK_MULTIPLIERS);
  }
} fill_at_start;

}  // namespace
}  // namespace slider_detail
