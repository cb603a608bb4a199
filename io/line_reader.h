// Reads command lines from standard input without a stdio buffer of its own, so that bytes
// not yet handed out as a line stay visible to the pending-input test of the search.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t MAX_LINE_LENGTH = 65535;

// Reads one line (without its line feed and without a trailing carriage return) into
// buffer, which must hold MAX_LINE_LENGTH + 1 bytes. Returns false at end of input, on a read
// error, or when the line has not ended after MAX_LINE_LENGTH characters. A last line that
// ends at end of input without a line feed is still returned.
bool ReadLine(char* buffer);

// Whether a whole line is waiting, answered without blocking: 0 while none is; non-zero when
// ReadLine returns at once: the number of bytes read and not yet handed out when a whole line
// is among them, or 1 once the input has ended or failed with nothing left. Bytes of a line
// that has not ended yet are taken into the reader and left there.
std::uint32_t InputAvailable();

// Number of bytes read from standard input but not yet handed out as a line.
std::size_t BufferedInputBytes();

// True once a read of standard input has failed other than by reaching its end.
bool InputFailed();
