// How a console's queue of input events is read as pending input.
#pragma once

#include <cstdint>

// A console queues key presses and releases (and whatever other events its mode lets through)
// as separate events. A single queued event is not yet input: the pending-input test answers
// with the event count only from two events on, and 0 below that.
std::uint32_t ConsoleEventsAsInput(std::uint32_t events);
