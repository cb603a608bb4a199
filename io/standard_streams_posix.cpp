#include "io/standard_streams.h"

// POSIX streams pass bytes through unchanged already.
void PrepareStandardStreams() {}
