#include "io/input_poll.h"

#include "io/line_reader.h"

std::uint32_t InputAvailable() {
  // A line counts only once its line feed is there: the search reads it at once and must not
  // wait in that read for the rest of a line that is still on its way. Whatever can be read
  // without waiting is moved into the line reader, where a partial line waits for its end.
  while (!ReadLineIsReady()) {
    if (PlatformInputAvailable() == 0) return 0;
    TakeWaitingInput();
  }
  // The bytes the reader holds, as the count of bytes waiting; at the end of input with
  // nothing left, still non-zero, so that the read that follows reports the end.
  const std::size_t held = BufferedInputBytes();
  return held > 0 ? static_cast<std::uint32_t>(held) : 1;
}
