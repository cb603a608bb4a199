// The squares a bishop or a rook on s sees, up to and including the nearest piece on each of its
// rays: the same sets as the ray reaches of its four directions together, found with one
// multiplication and one table load. The occupancy of the slider's inner line squares,
// multiplied by the square's constant, gives a different index for every occupancy that changes
// the answer.
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

inline constexpr std::array<Bitboard, 64> ROOK_MULTIPLIERS = {
    0x1080004008801020ull, 0x0840092002C03000ull, 0x1900200010400900ull, 0x0880100008000480ull,
    0x4200100420080200ull, 0x8100020100080400ull, 0x0200040110886200ull, 0x0200008040220411ull,
    0x0404800084400220ull, 0x0000401000402000ull, 0x0086001081220440ull, 0x0408800800100280ull,
    0x000A001201040820ull, 0x8848800200840080ull, 0x4001000100040200ull, 0x0442000102105084ull,
    0x9080010020804100ull, 0x0040404000201009ull, 0x0000808010002009ull, 0x2200090021D00100ull,
    0x0008008008040080ull, 0x0004004002010040ull, 0x0011040008015042ull, 0x00000A0001768104ull,
    0x0000800080204009ull, 0x2010004140002001ull, 0x9800200280100080ull, 0x1000100080080080ull,
    0x0442000A00049020ull, 0x2100040080020080ull, 0x0800120400900148ull, 0x0010040A00128541ull,
    0x2800804000800030ull, 0x1010002000400041ull, 0x4000200011004100ull, 0x0610008410800800ull,
    0x0400802402800800ull, 0xC100020080800400ull, 0x0002000802000401ull, 0x0182085882000401ull,
    0x0220204000808000ull, 0x2860100040024022ull, 0x0001002004110040ull, 0x99101042000A0020ull,
    0x0004080004008080ull, 0x0010040002008080ull, 0x2012004881020004ull, 0x8300842444820011ull,
    0x0088403882010200ull, 0x0820400080210100ull, 0x0110910040A00300ull, 0x0801100280080480ull,
    0x0242009008200600ull, 0x1002000489500200ull, 0x0040800200010080ull, 0x0091800041000080ull,
    0x0000209300488001ull, 0x04C1002414824001ull, 0x020020000B001041ull, 0x7000100004200901ull,
    0x8002002004100802ull, 0x30010002084C0007ull, 0x0888221800813004ull, 0x4000002840840112ull,
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

constexpr Bitboard SlowAttacks(bool diagonal, int s, Bitboard occupied, bool inner_only = false) {
  if (diagonal) {
    return Walk(s, 1, 1, occupied, inner_only) | Walk(s, -1, 1, occupied, inner_only) |
           Walk(s, 1, -1, occupied, inner_only) | Walk(s, -1, -1, occupied, inner_only);
  }
  return Walk(s, 0, 1, occupied, inner_only) | Walk(s, 0, -1, occupied, inner_only) |
         Walk(s, 1, 0, occupied, inner_only) | Walk(s, -1, 0, occupied, inner_only);
}

constexpr int Bits(Bitboard b) {
  int n = 0;
  for (; b; b &= b - 1) ++n;
  return n;
}

constexpr std::array<SquareEntry, 64> MakeEntries(bool diagonal) {
  std::array<SquareEntry, 64> entries{};
  int offset = 0;
  for (int s = 0; s < 64; ++s) {
    const Bitboard mask = SlowAttacks(diagonal, s, 0, true);
    entries[s] = {mask, 64 - Bits(mask), offset};
    offset += 1 << Bits(mask);
  }
  return entries;
}

inline constexpr std::array<SquareEntry, 64> BISHOP_ENTRIES = MakeEntries(true);
inline constexpr std::array<SquareEntry, 64> ROOK_ENTRIES = MakeEntries(false);
inline constexpr int BISHOP_TABLE_SIZE = BISHOP_ENTRIES[63].offset + (1 << (64 - BISHOP_ENTRIES[63].shift));
inline constexpr int ROOK_TABLE_SIZE = ROOK_ENTRIES[63].offset + (1 << (64 - ROOK_ENTRIES[63].shift));

// Filled when the program starts (the rook table is too large to build at compile time).
extern Bitboard bishop_table[BISHOP_TABLE_SIZE];
extern Bitboard rook_table[ROOK_TABLE_SIZE];
// The number of squares of each answer, for the evaluation's mobility: a byte per answer keeps
// the counts eight times as dense in the cache as the answers themselves.
extern std::uint8_t bishop_reach_count[BISHOP_TABLE_SIZE];
extern std::uint8_t rook_reach_count[ROOK_TABLE_SIZE];

inline int BishopIndex(int s, Bitboard occupied) {
  const SquareEntry& e = BISHOP_ENTRIES[s];
  return e.offset + static_cast<int>(((occupied & e.mask) * BISHOP_MULTIPLIERS[s]) >> e.shift);
}

inline int RookIndex(int s, Bitboard occupied) {
  const SquareEntry& e = ROOK_ENTRIES[s];
  return e.offset + static_cast<int>(((occupied & e.mask) * ROOK_MULTIPLIERS[s]) >> e.shift);
}

}  // namespace slider_detail

inline Bitboard BishopAttacks(int s, Bitboard occupied) {
  return slider_detail::bishop_table[slider_detail::BishopIndex(s, occupied)];
}

inline Bitboard RookAttacks(int s, Bitboard occupied) {
  return slider_detail::rook_table[slider_detail::RookIndex(s, occupied)];
}

// PopCount(BishopAttacks(s, occupied)) and PopCount(RookAttacks(s, occupied)), read from the
// count tables.
inline int BishopReachCount(int s, Bitboard occupied) {
  return slider_detail::bishop_reach_count[slider_detail::BishopIndex(s, occupied)];
}

inline int RookReachCount(int s, Bitboard occupied) {
  return slider_detail::rook_reach_count[slider_detail::RookIndex(s, occupied)];
}
