#include "uci/output.h"

#include <cstdio>
#include <cstring>

void WriteOutput(const char* data, std::size_t length) {
  std::fwrite(data, 1, length, stdout);
  std::fflush(stdout);
}

void WriteText(const char* text) { WriteOutput(text, std::strlen(text)); }
