#include "io/input_poll.h"

#include "io/line_reader.h"

std::uint32_t InputAvailable() {
  // Bytes that the line reader took from the descriptor along with an earlier line are
  // waiting just the same, though the descriptor no longer shows them.
  if (const std::size_t buffered = BufferedInputBytes()) return static_cast<std::uint32_t>(buffered);
  if (InputEnded()) return 1;
  return PlatformInputAvailable();
}
