#include "eval/terms.h"

#include <array>
#include <cstdlib>

#include "board/bitscan.h"
#include "board/rays.h"

namespace {

// The rays are disjoint, so counting their union counts each reach once.
template <RayDir A, RayDir B, RayDir C, RayDir D>
int SliderMobility(Bitboard pieces, Bitboard occupied) {
  int total = 0;
  while (pieces != 0) {
    const int s = PopLowest(pieces);
    total += PopCount(RayReach<A>(s, occupied) | RayReach<B>(s, occupied) | RayReach<C>(s, occupied) |
                      RayReach<D>(s, occupied));
  }
  return total;
}

int RookMobility(Bitboard rooks, Bitboard occupied) {
  return SliderMobility<RayDir::UP, RayDir::LEFT, RayDir::DOWN, RayDir::RIGHT>(rooks, occupied);
}

int BishopMobility(Bitboard bishops, Bitboard occupied) {
  return SliderMobility<RayDir::UP_RIGHT, RayDir::UP_LEFT, RayDir::DOWN_LEFT, RayDir::DOWN_RIGHT>(bishops,
                                                                                                   occupied);
}

// Tropism by Manhattan distance 0..14, so the hot path needs no division.
constexpr std::array<int, 15> TropismByDistance() {
  std::array<int, 15> table{};
  for (int d = 1; d < 15; ++d) table[d] = 7 / d;
  return table;
}

constexpr std::array<int, 15> tropism_by_distance = TropismByDistance();

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

int KingTropism(int piece_square, int king_square) {
  const int distance =
      std::abs(FileOf(piece_square) - FileOf(king_square)) + std::abs(RankOf(piece_square) - RankOf(king_square));
  return tropism_by_distance[distance];
}

int BlackKingShelter(const Position& position, int black_king_square) {
  int shelter = 0;
  for (const int step : {7, 8, 9}) {
    const int s = black_king_square - step;
    if (s < 0 || position.black_board[s] == NO_PIECE) shelter += 20;
  }
  return shelter;
}
