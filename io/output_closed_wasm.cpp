#include <emscripten.h>

#include "io/output.h"

// Only the host can tell; one that does not say is taken to have a reader.
EM_JS(int, HostOutputClosed, (), {
  return typeof Module['morvaOutputClosed'] == 'function' && Module['morvaOutputClosed']() ? 1 : 0;
});

bool OutputClosed() { return HostOutputClosed() != 0; }
