// The squares a bishop or a rook on s sees, up to and including the nearest piece on each of its
// rays: the same sets as the ray reaches of its four directions together.
// - A bishop's come from one multiplication and one table load: the occupancy of its inner
//   diagonal squares, multiplied by the square's constant, gives a different index for every
//   occupancy that changes the answer.
// - A rook's rank and file are looked up apart, in tables of eight squares by the 64 occupancies
//   of a line's six inner squares: 8 KB in all, where one table for both would take 800 KB and
//   miss the cache at nearly every look.
#pragma once

#include <array>
#include <cstdint>

#include "board/types.h"

namespace slider_detail {

// Found once by a search over random sparse constants, so that no two occupancies with different
// answers share an index; the tables are filled from them when the program starts.
inline constexpr std::array<Bitboard, 64> BISHOP_MULTIPLIERS = {
    0x10102002004A1420ull, 0x8020040400584008ull, 0x10510800811201C8ull, 0x5204042080000088ull,
    0x2204106880000002ull, 0x1401042004000000ull, 0x0400880410042004ull, 0x0028208200A02020ull,
    0x1500241990010E00ull, 0x8001200182020A40ull, 0x40004101030B0000ull, 0x8002041042000100ull,
    0x4010011041020038ull, 0x0000010421044000ull, 0x1500210808020A00ull, 0x8000088400880520ull,
    0x0405004010040100ull, 0x1005823210040108ull, 0x2708008102040011ull, 0x4048200404009100ull,
    0x0018104101400024ull, 0x0003000601190101ull, 0x8004803108491000ull, 0x8014241200820800ull,
    0x0006E080100C3040ull, 0x0501044A11041800ull, 0x9020300008004045ull, 0x0894080000220040ull,
    0x1001010083104000ull, 0x5004030040900080ull, 0x000400422C012400ull, 0x0002128698404812ull,
    0x1010108404900440ull, 0x0928021182084100ull, 0x2006080409020024ull, 0x1010202020180080ull,
    0xA010008200202200ull, 0x2098015100019004ull, 0x0002041440810811ull, 0x802A02020000B098ull,
    0x0009015090004060ull, 0x4000821082081001ull, 0x0100210040420800ull, 0x0800004010488A00ull,
    0x2000081104004040ull, 0x4C8E029015000082ull, 0x0420340322224842ull, 0x1298260043400210ull,
    0x0000822802400008ull, 0x00008A0101600000ull, 0x3040003412080021ull, 0x3040290220884800ull,
    0x4A1500401041004Aull, 0x8010200282020781ull, 0x0020203142209091ull, 0x0070300600902110ull,
    0x0040808800B62048ull, 0x0000810400C44420ull, 0x00080400440C0441ull, 0x8340080020840411ull,
    0x0000000104208200ull, 0x0000800810D00080ull, 0x0400530411080200ull, 0x4040702400932244ull,
};

struct SquareEntry {
  Bitboard mask;  // the inner squares of the slider's lines: a piece on the last square blocks nothing
  int shift;      // 64 minus the number of mask squares
  int offset;     // where the square's answers start in the table
};

constexpr Bitboard Walk(int s, int file_step, int rank_step, Bitboard occupied, bool inner_only) {
  Bitboard reach = 0;
  for (int f = FileOf(s) + file_step, r = RankOf(s) + rank_step; f >= 0 && f < 8 && r >= 0 && r < 8;
       f += file_step, r += rank_step) {
    const int next_f = f + file_step, next_r = r + rank_step;
    if (inner_only && !(next_f >= 0 && next_f < 8 && next_r >= 0 && next_r < 8)) break;
    reach |= Bitboard{1} << (f + 8 * r);
    if (occupied & (Bitboard{1} << (f + 8 * r))) break;
  }
  return reach;
}

constexpr Bitboard SlowBishopAttacks(int s, Bitboard occupied, bool inner_only = false) {
  return Walk(s, 1, 1, occupied, inner_only) | Walk(s, -1, 1, occupied, inner_only) |
         Walk(s, 1, -1, occupied, inner_only) | Walk(s, -1, -1, occupied, inner_only);
}

constexpr int Bits(Bitboard b) {
  int n = 0;
  for (; b; b &= b - 1) ++n;
  return n;
}

constexpr std::array<SquareEntry, 64> MakeBishopEntries() {
  std::array<SquareEntry, 64> entries{};
  int offset = 0;
  for (int s = 0; s < 64; ++s) {
    const Bitboard mask = SlowBishopAttacks(s, 0, true);
    entries[s] = {mask, 64 - Bits(mask), offset};
    offset += 1 << Bits(mask);
  }
  return entries;
}

inline constexpr std::array<SquareEntry, 64> BISHOP_ENTRIES = MakeBishopEntries();
inline constexpr int BISHOP_TABLE_SIZE = BISHOP_ENTRIES[63].offset + (1 << (64 - BISHOP_ENTRIES[63].shift));

// Filled when the program starts.
extern Bitboard bishop_table[BISHOP_TABLE_SIZE];
// The number of squares of each answer, for the evaluation's mobility: a byte per answer keeps
// the counts eight times as dense in the cache as the answers themselves.
extern std::uint8_t bishop_reach_count[BISHOP_TABLE_SIZE];

// One line of eight squares: the reach from square `at` with the six inner squares' occupancy
// (bit i - 1 for square i), as squares 0-7 of the line.
constexpr int LineReach(int at, int inner) {
  const int occupied = inner << 1;
  int reach = 0;
  for (int i = at + 1; i < 8; ++i) {
    reach |= 1 << i;
    if (occupied >> i & 1) break;
  }
  for (int i = at - 1; i >= 0; --i) {
    reach |= 1 << i;
    if (occupied >> i & 1) break;
  }
  return reach;
}

struct LineTables {
  Bitboard rank[8][64];        // on the first rank, by the rook's file
  Bitboard file[8][64];        // on the a-file, by the rook's rank
  std::uint8_t count[8][64];   // squares of a reach, the same for a rank and a file
};

constexpr LineTables MakeLineTables() {
  LineTables t{};
  for (int at = 0; at < 8; ++at) {
    for (int inner = 0; inner < 64; ++inner) {
      const int reach = LineReach(at, inner);
      for (int i = 0; i < 8; ++i) {
        if (reach >> i & 1) {
          t.rank[at][inner] |= Bitboard{1} << i;
          t.file[at][inner] |= Bitboard{1} << (8 * i);
        }
      }
      t.count[at][inner] = static_cast<std::uint8_t>(Bits(t.rank[at][inner]));
    }
  }
  return t;
}

inline constexpr LineTables LINE_TABLES = MakeLineTables();

// The inner squares of the rook's rank and file as six-bit numbers. The file's squares of ranks 2
// to 7, moved to the a-file, are gathered into the top six bits by one multiplication: the
// constant's bits 57 - 7k take rank k + 1 to bit 57 + k, and no two other products meet.
inline int RankInner(int s, Bitboard occupied) { return static_cast<int>(occupied >> (8 * RankOf(s) + 1)) & 63; }
inline int FileInner(int s, Bitboard occupied) {
  constexpr Bitboard INNER_A_FILE = 0x0001010101010100ull;
  constexpr Bitboard GATHER = 0x0004081020408000ull;
  return static_cast<int>((((occupied >> FileOf(s)) & INNER_A_FILE) * GATHER) >> 58);
}

inline int BishopIndex(int s, Bitboard occupied) {
  const SquareEntry& e = BISHOP_ENTRIES[s];
  return e.offset + static_cast<int>(((occupied & e.mask) * BISHOP_MULTIPLIERS[s]) >> e.shift);
}

}  // namespace slider_detail

inline Bitboard BishopAttacks(int s, Bitboard occupied) {
  return slider_detail::bishop_table[slider_detail::BishopIndex(s, occupied)];
}

[[gnu::always_inline]] inline Bitboard RookAttacks(int s, Bitboard occupied) {
  using slider_detail::LINE_TABLES;
  return LINE_TABLES.rank[FileOf(s)][slider_detail::RankInner(s, occupied)] << (8 * RankOf(s)) |
         LINE_TABLES.file[RankOf(s)][slider_detail::FileInner(s, occupied)] << FileOf(s);
}

// PopCount(BishopAttacks(s, occupied)) and PopCount(RookAttacks(s, occupied)), read from the
// count tables.
inline int BishopReachCount(int s, Bitboard occupied) {
  return slider_detail::bishop_reach_count[slider_detail::BishopIndex(s, occupied)];
}

[[gnu::always_inline]] inline int RookReachCount(int s, Bitboard occupied) {
  using slider_detail::LINE_TABLES;
  return LINE_TABLES.count[FileOf(s)][slider_detail::RankInner(s, occupied)] +
         LINE_TABLES.count[RankOf(s)][slider_detail::FileInner(s, occupied)];
}
