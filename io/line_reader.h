// Reads command lines from standard input without a stdio buffer of its own, so that bytes
// not yet handed out as a line stay visible to the pending-input test of the search.
#pragma once

#include <cstddef>

constexpr std::size_t MAX_LINE_LENGTH = 65535;

// Reads one line (without its line feed and without a trailing carriage return) into
// buffer, which must hold MAX_LINE_LENGTH + 1 bytes. Returns false at end of input, on a read
// error, or when the line has not ended after MAX_LINE_LENGTH characters. A last line that
// ends at end of input without a line feed is still returned.
bool ReadLine(char* buffer);

// True when ReadLine would return without reading: a whole line is buffered, the input has
// ended or failed, or the buffered line is already too long.
bool ReadLineIsReady();

// One read of standard input into the buffer, behind what it holds. It waits like any read,
// so the caller makes it only when the platform says bytes (or the end) are there. Only
// called while ReadLineIsReady() is false, when the buffer has room.
void TakeWaitingInput();

// Number of bytes read from standard input but not yet handed out as a line.
std::size_t BufferedInputBytes();

// True once a read of standard input has failed other than by reaching its end.
bool InputFailed();
