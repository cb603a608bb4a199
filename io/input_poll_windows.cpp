#include <windows.h>

#include "io/console_input.h"
#include "io/input_poll.h"
#include "io/input_queue_windows.h"
#include "io/input_source_windows.h"

namespace {

bool console_prepared = false;

// Window-size and mouse events would otherwise be counted as pending input. Done once, at the
// first question.
void PrepareConsole(HANDLE console) {
  console_prepared = true;
  DWORD mode = 0;
  GetConsoleMode(console, &mode);
  SetConsoleMode(console, mode & ~static_cast<DWORD>(ENABLE_WINDOW_INPUT | ENABLE_MOUSE_INPUT));
  FlushConsoleInputBuffer(console);
}

}  // namespace

std::uint32_t PlatformInputAvailable() {
  if (!StandardInputIsConsole()) return QueuedInputAvailable();
  const HANDLE console = StandardInputHandle();
  if (!console_prepared) PrepareConsole(console);
  DWORD events = 0;
  GetNumberOfConsoleInputEvents(console, &events);
  return ConsoleEventsAsInput(events);
}
