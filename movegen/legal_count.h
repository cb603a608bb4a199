// Counting the legal moves of a generated list without making them, for the last ply of perft:
// the same count as making each move and asking whether the mover's king is attacked.
#pragma once

#include <cstdint>

#include "board/move_list.h"
#include "board/types.h"

// The list holds both generators' moves of that colour in this position.
std::uint64_t CountLegalWhite(Position& position, const MoveList& list);
std::uint64_t CountLegalBlack(Position& position, const MoveList& list);
