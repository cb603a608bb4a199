#include "board/slider_attacks.h"

namespace slider_detail {

Bitboard bishop_table[BISHOP_TABLE_SIZE];
Bitboard rook_table[ROOK_TABLE_SIZE];

namespace {

void Fill(Bitboard* table, bool diagonal, const std::array<SquareEntry, 64>& entries,
          const std::array<Bitboard, 64>& multipliers) {
  for (int s = 0; s < 64; ++s) {
    const SquareEntry& e = entries[s];
    Bitboard subset = 0;
    do {
      table[e.offset + static_cast<int>((subset * multipliers[s]) >> e.shift)] = SlowAttacks(diagonal, s, subset);
      subset = (subset - e.mask) & e.mask;
    } while (subset != 0);
  }
}

// Runs before main: the tables are read only by the search.
struct FillAtStart {
  FillAtStart() {
    Fill(bishop_table, true, BISHOP_ENTRIES, BISHOP_MULTIPLIERS);
    Fill(rook_table, false, ROOK_ENTRIES, ROOK_MULTIPLIERS);
  }
} fill_at_start;

}  // namespace
}  // namespace slider_detail
