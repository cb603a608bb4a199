// The platform hooks of the engine's code, for the targets that must never reach them: a target
// that reads standard input, polls it or ends the process has strayed out of its surface, and
// that is a finding.
#include <cstdio>
#include <cstdlib>

#include "io/platform.h"

namespace {
[[noreturn]] void Strayed(const char* hook) {
  std::fprintf(stderr, "fuzz target reached %s, which its surface never calls\n", hook);
  std::abort();
}
}  // namespace

long ReadStandardInput(char*, std::size_t) { Strayed("ReadStandardInput"); }
std::uint32_t PlatformInputAvailable() { Strayed("PlatformInputAvailable"); }
void EndProcess(int) { Strayed("EndProcess"); }
bool OutputClosed() { Strayed("OutputClosed"); }
