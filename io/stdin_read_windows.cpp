#include <windows.h>

#include "io/stdin_read.h"

namespace {

// Console reads fail outright on some Windows versions when asked for a very large buffer;
// the line reader asks again for what did not fit.
constexpr std::size_t MAX_READ = 32768;

}  // namespace

long ReadStandardInput(char* destination, std::size_t capacity) {
  const DWORD wanted = static_cast<DWORD>(capacity < MAX_READ ? capacity : MAX_READ);
  DWORD got = 0;
  if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), destination, wanted, &got, nullptr)) return static_cast<long>(got);
  // The writer of a pipe closing its end is the end of input, not an error.
  return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
}
