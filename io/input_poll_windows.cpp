#include <windows.h>

#include "io/console_input.h"
#include "io/input_poll.h"

namespace {

// Whether standard input is a console or a pipe (or file) is decided on the first call and
// kept for the rest of the run.
std::int32_t input_initialised = 0;
std::int32_t input_is_pipe = 0;
HANDLE input_handle = nullptr;

void ExamineStandardInput() {
  input_initialised = 1;
  input_handle = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(input_handle, &mode)) {
    input_is_pipe = 1;
    return;
  }
  input_is_pipe = 0;
  // Window-size and mouse events would otherwise be counted as pending input.
  SetConsoleMode(input_handle, mode & ~static_cast<DWORD>(ENABLE_WINDOW_INPUT | ENABLE_MOUSE_INPUT));
  FlushConsoleInputBuffer(input_handle);
}

}  // namespace

std::uint32_t PlatformInputAvailable() {
  if (!input_initialised) ExamineStandardInput();
  if (input_is_pipe) {
    DWORD bytes_available = 0;
    // A pipe that cannot be examined (closed, broken) answers yes: the read that follows
    // meets the end of input or the error and reports it.
    if (!PeekNamedPipe(input_handle, nullptr, 0, nullptr, &bytes_available, nullptr)) return 1;
    return bytes_available;
  }
  DWORD events = 0;
  GetNumberOfConsoleInputEvents(input_handle, &events);
  return ConsoleEventsAsInput(events);
}
