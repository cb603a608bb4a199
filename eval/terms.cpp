#include "eval/terms.h"

#include <array>
#include <cstdint>

#include "board/slider_attacks.h"
#include "board/bitscan.h"

namespace {

int RookMobility(Bitboard rooks, Bitboard occupied) {
  int total = 0;
  while (rooks != 0) total += RookReachCount(PopLowest(rooks), occupied);
  return total;
}

int BishopMobility(Bitboard bishops, Bitboard occupied) {
  int total = 0;
  while (bishops != 0) total += BishopReachCount(PopLowest(bishops), occupied);
  return total;
}

// Tropism for every pair of squares, so the hot path is one load: 7 div the Manhattan distance,
// and 0 for equal squares.
using TropismTable = std::array<std::array<std::int8_t, 64>, 64>;

constexpr TropismTable MakeTropismTable() {
  TropismTable table{};
  for (int s = 0; s < 64; ++s) {
    for (int k = 0; k < 64; ++k) {
      const int file_gap = FileOf(s) > FileOf(k) ? FileOf(s) - FileOf(k) : FileOf(k) - FileOf(s);
      const int rank_gap = RankOf(s) > RankOf(k) ? RankOf(s) - RankOf(k) : RankOf(k) - RankOf(s);
      const int distance = file_gap + rank_gap;
      table[s][k] = static_cast<std::int8_t>(distance == 0 ? 0 : 7 / distance);
    }
  }
  return table;
}

constexpr TropismTable tropism_table = MakeTropismTable();

// For each king square, the squares whose tropism is at least 1, 2, 3 and 7: a sum of tropism
// over a set of pieces is then 1 + 1 + 1 + 4 for each piece in the innermost ring.
using TropismRings = std::array<std::array<Bitboard, 4>, 64>;

constexpr TropismRings MakeTropismRings() {
  TropismRings rings{};
  constexpr int THRESHOLDS[4] = {1, 2, 3, 7};
  for (int k = 0; k < 64; ++k) {
    for (int s = 0; s < 64; ++s) {
      for (int i = 0; i < 4; ++i) {
        if (tropism_table[s][k] >= THRESHOLDS[i]) rings[k][i] |= Bitboard{1} << s;
      }
    }
  }
  return rings;
}

constexpr TropismRings tropism_rings = MakeTropismRings();

// For each square k, the squares k - 7, k - 8 and k - 9 that exist: a Black piece on one of them
// shelters a Black king on k.
constexpr std::array<Bitboard, 64> MakeShelterSquares() {
  std::array<Bitboard, 64> squares{};
  for (int k = 0; k < 64; ++k) {
    for (const int step : {7, 8, 9}) {
      if (k - step >= 0) squares[k] |= Bitboard{1} << (k - step);
    }
  }
  return squares;
}

constexpr std::array<Bitboard, 64> shelter_squares = MakeShelterSquares();

}  // namespace

int RookMobilityWhite(const Position& position) {
  return RookMobility(position.white_by_kind[ROOK], position.occupied);
}

int RookMobilityBlack(const Position& position) {
  return RookMobility(position.black_by_kind[ROOK], position.occupied);
}

int BishopMobilityWhite(const Position& position) {
  return BishopMobility(position.white_by_kind[BISHOP], position.occupied);
}

int BishopMobilityBlack(const Position& position) {
  return BishopMobility(position.black_by_kind[BISHOP], position.occupied);
}

int KingTropism(int piece_square, int king_square) { return tropism_table[piece_square][king_square]; }

int TropismSum(Bitboard pieces, int king_square) {
  const std::array<Bitboard, 4>& ring = tropism_rings[king_square];
  return PopCount(pieces & ring[0]) + PopCount(pieces & ring[1]) + PopCount(pieces & ring[2]) +
         4 * PopCount(pieces & ring[3]);
}

int BlackKingShelter(const Position& position, int black_king_square) {
  return 60 - 20 * PopCount(position.black_occupied & shelter_squares[black_king_square]);
}
