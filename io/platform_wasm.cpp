// WebAssembly, under Node or in a browser worker. The JavaScript host (host_wasm.js and the
// files it names) owns the streams; these calls ask it.
#include <climits>
#include <cstdlib>

#include <emscripten.h>

#include "io/platform.h"

// The host keeps standard input in a queue: in shared memory (io/input_queue_wasm.js), where
// the read waits in place as a blocking read of a pipe does, or in the host's own event loop
// (io/host_async_input_wasm.js), where the read is an asynchronous import that sleeps.
EM_JS(int, ReadHostInput, (char* destination, int capacity), {
  return Module['morvaInput'].read(HEAPU8, destination, capacity);
});

// In the build without shared memory the host gives its event loop a turn here, which is how
// lines reach a running search.
EM_JS(int, HostInputReady, (), { return Module['morvaInput'].ready() ? 1 : 0; });

// Only the host can tell; one that does not say is taken to have a reader.
EM_JS(int, HostOutputClosed, (), {
  return typeof Module['morvaOutputClosed'] == 'function' && Module['morvaOutputClosed']() ? 1 : 0;
});

// The host's stream devices pass bytes through unchanged already.
void PrepareStandardStreams() {}

long ReadStandardInput(char* destination, std::size_t capacity) {
  return ReadHostInput(destination, capacity < INT_MAX ? static_cast<int>(capacity) : INT_MAX);
}

std::uint32_t PlatformInputAvailable() { return static_cast<std::uint32_t>(HostInputReady()); }

bool OutputClosed() { return HostOutputClosed() != 0; }

void EndProcess(int status) { std::exit(status); }
