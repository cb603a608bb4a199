// The "position" command: sets up the start position or a FEN position and plays the moves.
#pragma once

#include "board/types.h"

constexpr int MOVES_TEXT_SIZE = 65536;

// Plays the moves after "moves " one by one. A move that is not a legal move of the side to
// move stops the list there: the position stays as after the last good move and one
// "info string ignoring illegal move <token>" line is written.
void PositionCommand(const char* line, Position& position);
// Applies one move token (four characters and an optional promotion letter). Returns false,
// changing nothing, when the token names no legal move.
bool ApplyMoveText(Position& position, const char* token, int length);
// Keeps the text after the first "moves " for the go command.
void CopyMovesText(const char* line, char* moves_text);
