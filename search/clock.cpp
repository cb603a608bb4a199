#include "search/clock.h"

#include <chrono>

namespace {
const auto program_start = std::chrono::steady_clock::now();
}

std::int64_t ElapsedMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - program_start)
      .count();
}
