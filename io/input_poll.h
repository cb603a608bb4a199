// Whether a line may be waiting on standard input, answered without blocking.
#pragma once

#include <cstdint>

// 0 when nothing is waiting; non-zero when a read should be attempted (bytes waiting, or the
// input has ended or failed).
std::uint32_t InputAvailable();

// The platform's own answer for the descriptor, ignoring what the line reader holds already.
std::uint32_t PlatformInputAvailable();
