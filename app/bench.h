// The bench: every bench position searched to a fixed depth through the engine's own command
// handling, one after another in one process.
#pragma once

constexpr int DEFAULT_BENCH_DEPTH = 5;

// Prints the nodes of each search (all iterations), then the time, and as the last two lines
// "Nodes searched: N" and "Nodes/second: N", the form match managers read.
void RunBench(int depth);
