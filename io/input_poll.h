// Whether a whole line is waiting on standard input, answered without blocking.
#pragma once

#include <cstdint>

// 0 while no whole line is waiting; non-zero when ReadLine returns at once: the number of
// bytes read and not yet handed out when a whole line is among them, or 1 once the input has
// ended or failed with nothing left. Bytes of a line that has not ended yet are taken into
// the line reader and left there.
std::uint32_t InputAvailable();

// The platform's own answer for standard input, ignoring what the line reader holds already:
// 0 when a read would wait; non-zero when one ReadStandardInput call returns at once (bytes
// there, the end of input, or an error). A Windows console answers by its event count
// instead, and a read there waits for the end of the typed line.
std::uint32_t PlatformInputAvailable();
