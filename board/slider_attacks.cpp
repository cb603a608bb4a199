#include "board/slider_attacks.h"

namespace slider_detail {

Bitboard bishop_table[BISHOP_TABLE_SIZE];
std::uint8_t bishop_reach_count[BISHOP_TABLE_SIZE];

namespace {

// Runs before main: the tables are read only by the search.
struct FillAtStart {
  FillAtStart() {
    for (int s = 0; s < 64; ++s) {
      const SquareEntry& e = BISHOP_ENTRIES[s];
      Bitboard subset = 0;
      do {
        const int index = e.offset + static_cast<int>((subset * BISHOP_MULTIPLIERS[s]) >> e.shift);
        bishop_table[index] = SlowBishopAttacks(s, subset);
        bishop_reach_count[index] = static_cast<std::uint8_t>(Bits(bishop_table[index]));
        subset = (subset - e.mask) & e.mask;
      } while (subset != 0);
    }
  }
} fill_at_start;

}  // namespace
}  // namespace slider_detail
