#pragma once

#include <cstdint>

// Milliseconds of real time since the program started, from a monotonic clock.
std::int64_t ElapsedMilliseconds();
