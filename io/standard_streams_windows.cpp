#include "io/standard_streams.h"

#include <cstdio>

#include <fcntl.h>
#include <io.h>

// In text mode the C runtime writes every line feed as CR LF and eats CRs on input; the
// engine's replies must be the same bytes on every platform, so both streams go binary.
void PrepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
}
