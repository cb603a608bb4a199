// "morva perft DEPTH [FEN]": the legal move tree counted below each root move.
#pragma once

// True when fen (the six FEN fields, or the first two to four of them) describes a position the
// move generators can walk: eight ranks of eight squares, one king a side, no pawn on the first
// or last rank, and the side not to move not in check.
bool PerftFenIsPlayable(const char* fen);

// Prints "move: count" for each legal root move, then "Nodes searched: N".
void PerftDivide(int depth, const char* fen);
