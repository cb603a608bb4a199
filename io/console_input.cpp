#include "io/console_input.h"

std::uint32_t ConsoleEventsAsInput(std::uint32_t events) { return events >= 2 ? events : 0; }
