#include <emscripten.h>

#include "io/input_poll.h"

EM_JS(int, HostInputReady, (), { return Module['morvaInput'].ready() ? 1 : 0; });

std::uint32_t PlatformInputAvailable() { return static_cast<std::uint32_t>(HostInputReady()); }
