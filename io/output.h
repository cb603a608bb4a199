// Everything the engine says goes to standard output through here, one write per call.
#pragma once

#include <cstddef>

void WriteOutput(const char* data, std::size_t length);
void WriteText(const char* text);
// While set, WriteOutput drops what it is given: the bench runs searches whose reports nobody
// reads and prints only its own figures.
void DiscardOutput(bool discard);
