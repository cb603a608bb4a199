// What each platform provides beneath the line reader and the output: one file per platform,
// platform_posix.cpp, platform_windows.cpp and platform_wasm.cpp, and the build takes the one
// that fits. Nothing above this folder knows which it is.
#pragma once

#include <cstddef>
#include <cstdint>

// The statuses the engine ends with beside 0 (the end of input), 1 ("quit", the table) and 2
// (wrong arguments, or a processor it cannot run on).
// Standard output could not be written: nobody reads it any more, or the disk is full.
constexpr int EXIT_OUTPUT_FAILED = 3;
// Reading standard input failed other than by its end.
constexpr int EXIT_INPUT_FAILED = 4;

// Puts standard input and output into the state the engine's byte-exact protocol needs. Called
// once at start-up, before anything is read or written.
void PrepareStandardStreams();

// The one raw read of standard input, by the platform's own call. Reads up to capacity bytes,
// waiting until at least one is there. Returns the count, 0 at end of input, or a negative
// value on error.
long ReadStandardInput(char* destination, std::size_t capacity);

// The platform's own answer for standard input, ignoring what the line reader holds already:
// 0 when a read would wait; non-zero when one ReadStandardInput call returns at once (bytes
// there, the end of input, or an error). A Windows console answers by its event count
// instead, and a read there waits for the end of the typed line.
std::uint32_t PlatformInputAvailable();

// True when nobody is left to read standard output: a pipe or socket whose reader has gone.
// False when that cannot be told without writing.
bool OutputClosed();

// The one way the engine ends itself ("quit", the fatal table conditions, a reader gone).
[[noreturn]] void EndProcess(int status);
