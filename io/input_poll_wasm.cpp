#include <emscripten.h>

#include "io/input_poll.h"

// In the build without shared memory the host gives its event loop a turn here, which is how
// lines reach a running search.
EM_JS(int, HostInputReady, (), { return Module['morvaInput'].ready() ? 1 : 0; });

std::uint32_t PlatformInputAvailable() { return static_cast<std::uint32_t>(HostInputReady()); }
