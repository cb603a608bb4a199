// Playing a generated move on the position and taking it back. Neither looks at side_to_move
// or hash_key; the colour is the routine's own.
#pragma once

#include "board/types.h"
#include "board/move_list.h"

void MakeMoveWhite(Position& position, const MoveList& list, int index, UndoRecord& undo);
void MakeMoveBlack(Position& position, const MoveList& list, int index, UndoRecord& undo);
void UnmakeMoveWhite(Position& position, const MoveList& list, int index, const UndoRecord& undo);
void UnmakeMoveBlack(Position& position, const MoveList& list, int index, const UndoRecord& undo);
