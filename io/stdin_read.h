// The one raw read of standard input, by the platform's own call.
#pragma once

#include <cstddef>

// Reads up to capacity bytes, waiting until at least one is there. Returns the count, 0 at end
// of input, or a negative value on error.
long ReadStandardInput(char* destination, std::size_t capacity);
