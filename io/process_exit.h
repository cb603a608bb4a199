// The one way the engine ends itself ("quit" and the fatal table conditions), and the statuses
// it ends with beside 0 (the end of input), 1 ("quit", the table) and 2 (wrong arguments).
#pragma once

// Standard output could not be written: nobody reads it any more, or the disk is full.
constexpr int EXIT_OUTPUT_FAILED = 3;
// Reading standard input failed other than by its end.
constexpr int EXIT_INPUT_FAILED = 4;

[[noreturn]] void EndProcess(int status);
