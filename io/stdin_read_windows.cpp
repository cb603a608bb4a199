#include <windows.h>

#include "io/input_queue_windows.h"
#include "io/input_source_windows.h"
#include "io/stdin_read.h"

namespace {

// Console reads fail outright on some Windows versions when asked for a very large buffer;
// the line reader asks again for what did not fit.
constexpr std::size_t MAX_CONSOLE_READ = 32768;

}  // namespace

long ReadStandardInput(char* destination, std::size_t capacity) {
  if (!StandardInputIsConsole()) return TakeQueuedInput(destination, capacity);
  const DWORD wanted = static_cast<DWORD>(capacity < MAX_CONSOLE_READ ? capacity : MAX_CONSOLE_READ);
  DWORD got = 0;
  if (ReadFile(StandardInputHandle(), destination, wanted, &got, nullptr)) return static_cast<long>(got);
  return -1;
}
