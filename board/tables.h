// Per-square bitboard tables, computed at compile time from their rules.
#pragma once

#include <array>

#include "board/types.h"

namespace tables_detail {

using Table = std::array<Bitboard, 64>;

constexpr bool OnBoard(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

constexpr Table Steps(const int (&offsets)[8][2]) {
  Table t{};
  for (int s = 0; s < 64; ++s) {
    for (const auto& o : offsets) {
      const int f = FileOf(s) + o[0], r = RankOf(s) + o[1];
      if (OnBoard(f, r)) t[s] |= Bitboard{1} << (f + 8 * r);
    }
  }
  return t;
}

constexpr Table Ray(int file_step, int rank_step) {
  Table t{};
  for (int s = 0; s < 64; ++s) {
    int f = FileOf(s) + file_step, r = RankOf(s) + rank_step;
    while (OnBoard(f, r)) {
      t[s] |= Bitboard{1} << (f + 8 * r);
      f += file_step;
      r += rank_step;
    }
  }
  return t;
}

constexpr Table SquareBits() {
  Table t{};
  for (int s = 0; s < 64; ++s) t[s] = Bitboard{1} << s;
  return t;
}

constexpr int KING_OFFSETS[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
constexpr int KNIGHT_OFFSETS[8][2] = {{-2, -1}, {-1, -2}, {1, -2}, {2, -1}, {-2, 1}, {-1, 2}, {1, 2}, {2, 1}};

}  // namespace tables_detail

inline constexpr tables_detail::Table square_bit = tables_detail::SquareBits();
inline constexpr tables_detail::Table king_steps = tables_detail::Steps(tables_detail::KING_OFFSETS);
inline constexpr tables_detail::Table knight_jumps = tables_detail::Steps(tables_detail::KNIGHT_OFFSETS);
inline constexpr tables_detail::Table ray_up = tables_detail::Ray(0, 1);
inline constexpr tables_detail::Table ray_down = tables_detail::Ray(0, -1);
inline constexpr tables_detail::Table ray_left = tables_detail::Ray(-1, 0);
inline constexpr tables_detail::Table ray_right = tables_detail::Ray(1, 0);
inline constexpr tables_detail::Table ray_up_right = tables_detail::Ray(1, 1);
inline constexpr tables_detail::Table ray_up_left = tables_detail::Ray(-1, 1);
inline constexpr tables_detail::Table ray_down_right = tables_detail::Ray(1, -1);
inline constexpr tables_detail::Table ray_down_left = tables_detail::Ray(-1, -1);

namespace tables_detail {
constexpr Table Union(const Table& a, const Table& b, const Table& c, const Table& d) {
  Table t{};
  for (int s = 0; s < 64; ++s) t[s] = a[s] | b[s] | c[s] | d[s];
  return t;
}
}  // namespace tables_detail

// Every square a rook, or a bishop, on s would see on an empty board.
inline constexpr tables_detail::Table orthogonal_lines = tables_detail::Union(ray_up, ray_down, ray_left, ray_right);
inline constexpr tables_detail::Table diagonal_lines =
    tables_detail::Union(ray_up_right, ray_up_left, ray_down_right, ray_down_left);

// Rays whose squares lie above the origin find their nearest square with the lowest set bit,
// the others with the highest.
enum class RayDir { UP, DOWN, LEFT, RIGHT, UP_RIGHT, UP_LEFT, DOWN_RIGHT, DOWN_LEFT };

template <RayDir D>
constexpr const tables_detail::Table& RayTable() {
  if constexpr (D == RayDir::UP) return ray_up;
  else if constexpr (D == RayDir::DOWN) return ray_down;
  else if constexpr (D == RayDir::LEFT) return ray_left;
  else if constexpr (D == RayDir::RIGHT) return ray_right;
  else if constexpr (D == RayDir::UP_RIGHT) return ray_up_right;
  else if constexpr (D == RayDir::UP_LEFT) return ray_up_left;
  else if constexpr (D == RayDir::DOWN_RIGHT) return ray_down_right;
  else return ray_down_left;
}

template <RayDir D>
constexpr bool RayAscends() {
  return D == RayDir::UP || D == RayDir::RIGHT || D == RayDir::UP_RIGHT || D == RayDir::UP_LEFT;
}

constexpr bool IsDiagonal(RayDir d) {
  return d == RayDir::UP_RIGHT || d == RayDir::UP_LEFT || d == RayDir::DOWN_RIGHT || d == RayDir::DOWN_LEFT;
}
