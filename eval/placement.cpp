#include "eval/placement.h"

Placement PlacementOf(const Position& position) {
  using namespace placement_detail;
  Placement sums{0, 0};
  for (int s = 0; s < 64; ++s) {
    sums.white += white_values[position.white_board[s]][s];
    sums.black += black_values[position.black_board[s]][s];
  }
  return sums;
}
