#include "io/output.h"

#include <cstdio>
#include <cstring>

namespace {
bool output_discarded = false;
}

void WriteOutput(const char* data, std::size_t length) {
  if (output_discarded) return;
  std::fwrite(data, 1, length, stdout);
  std::fflush(stdout);
}

void WriteText(const char* text) { WriteOutput(text, std::strlen(text)); }

void DiscardOutput(bool discard) { output_discarded = discard; }
