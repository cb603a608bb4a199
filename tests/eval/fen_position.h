// Builds positions from FEN text for the evaluation tests.
#pragma once

#include <string>

#include "board/fen.h"
#include "board/types.h"

inline Position FromFen(const std::string& fen) {
  Position position{};
  ReadFen(position, ("fen " + fen).c_str());
  return position;
}
