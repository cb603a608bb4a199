#include "io/standard_streams.h"

// The host's stream devices (io/host_wasm.js) pass bytes through unchanged already.
void PrepareStandardStreams() {}
