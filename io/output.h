// Everything the engine says goes to standard output through here, one write per call. A write
// that fails ends the process at once with EXIT_OUTPUT_FAILED: whatever was being worked on had
// nobody left to tell.
#pragma once

#include <cstddef>

void WriteOutput(const char* data, std::size_t length);
void WriteText(const char* text);
// While set, WriteOutput drops what it is given: the bench runs searches whose reports nobody
// reads and prints only its own figures.
void DiscardOutput(bool discard);
// For text written with stdio's own calls (the bench, perft): sends what stdio holds, and ends
// the process like a failed WriteOutput when any of it could not be written.
void FlushOutput();
