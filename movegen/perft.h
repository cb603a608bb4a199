// Counts the leaves of the legal move tree the way the search walks it: both generators,
// make, reject when the mover's king is attacked, recurse, unmake. The last ply's moves are
// counted without being made, to the same total.
#pragma once

#include <cstdint>

#include "board/types.h"

std::uint64_t Perft(Position& position, int depth);
