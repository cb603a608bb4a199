// The engine's command-line forms besides the plain UCI engine: "bench [DEPTH]" and
// "perft DEPTH [FEN]".
#pragma once

// Carries out the command the arguments name and returns the process's exit status: 0 after
// the command, 2 with a one-line usage message on standard error when the arguments are wrong.
int RunCommandLine(int argc, char** argv);
