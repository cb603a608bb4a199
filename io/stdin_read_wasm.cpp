#include <climits>

#include <emscripten.h>

#include "io/stdin_read.h"

// The host keeps standard input in a queue: in shared memory (io/input_queue_wasm.js), where
// the read waits in place as a blocking read of a pipe does, or in the host's own event loop
// (io/host_async_input_wasm.js), where the read is an asynchronous import that sleeps.
EM_JS(int, ReadHostInput, (char* destination, int capacity), {
  return Module['morvaInput'].read(HEAPU8, destination, capacity);
});

long ReadStandardInput(char* destination, std::size_t capacity) {
  return ReadHostInput(destination, capacity < INT_MAX ? static_cast<int>(capacity) : INT_MAX);
}
