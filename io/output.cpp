#include "io/output.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "io/platform.h"

namespace {

bool output_discarded = false;

[[noreturn]] void OutputFailed() {
  // A reader that has gone (an interface that quit, "morva bench | head") is told nothing, as a
  // program ended by SIGPIPE tells nothing; a full disk or a device error is worth a line.
  if (errno != EPIPE) {
    std::fprintf(stderr, "morva: cannot write to standard output (%s); ending\n", std::strerror(errno));
  }
  // Not exit(): it would try once more to flush what could not be written.
  std::_Exit(EXIT_OUTPUT_FAILED);
}

}  // namespace

void WriteOutput(const char* data, std::size_t length) {
  if (output_discarded) return;
  if (std::fwrite(data, 1, length, stdout) != length || std::fflush(stdout) != 0) OutputFailed();
}

void WriteText(const char* text) { WriteOutput(text, std::strlen(text)); }

void DiscardOutput(bool discard) { output_discarded = discard; }

void FlushOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) OutputFailed();
}
