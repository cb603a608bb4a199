#include "io/input_source_windows.h"

namespace {

bool examined = false;
bool is_console = false;
HANDLE handle = nullptr;

void Examine() {
  examined = true;
  handle = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  is_console = GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

HANDLE StandardInputHandle() {
  if (!examined) Examine();
  return handle;
}

bool StandardInputIsConsole() {
  if (!examined) Examine();
  return is_console;
}
