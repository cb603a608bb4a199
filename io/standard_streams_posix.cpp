#include "io/standard_streams.h"

#include <csignal>

// POSIX streams pass bytes through unchanged already. A write to a pipe nobody reads must fail
// and end the engine with its own status, whatever disposition of SIGPIPE the parent left.
void PrepareStandardStreams() { std::signal(SIGPIPE, SIG_IGN); }
