#include "io/line_reader.h"

#include <cstring>

#include "io/platform.h"

namespace {

// Input already read from the descriptor and not yet handed out; one line at most plus one
// read's worth of what follows it.
constexpr std::size_t INPUT_CAPACITY = 2 * (MAX_LINE_LENGTH + 1);
char input[INPUT_CAPACITY];
std::size_t input_begin = 0;
std::size_t input_end = 0;
bool input_ended = false;
bool input_failed = false;

// Moves the unread bytes to the front and reads more behind them; false when nothing came.
bool Refill() {
  if (input_ended) return false;
  if (input_begin > 0) {
    std::memmove(input, input + input_begin, input_end - input_begin);
    input_end -= input_begin;
    input_begin = 0;
  }
  const long got = ReadStandardInput(input + input_end, INPUT_CAPACITY - input_end);
  if (got <= 0) {
    input_ended = true;
    input_failed = got < 0;
    return false;
  }
  input_end += static_cast<std::size_t>(got);
  return true;
}

void HandOut(char* buffer, std::size_t length, std::size_t consumed) {
  std::memcpy(buffer, input + input_begin, length);
  if (length > 0 && buffer[length - 1] == '\r') --length;
  buffer[length] = '\0';
  input_begin += consumed;
}

// True when ReadLine would return without reading: a whole line is buffered, the input has
// ended or failed, or the buffered line is already too long.
bool ReadLineIsReady() {
  if (input_ended) return true;
  const std::size_t available = input_end - input_begin;
  return available > MAX_LINE_LENGTH || std::memchr(input + input_begin, '\n', available) != nullptr;
}

}  // namespace

bool ReadLine(char* buffer) {
  std::size_t scanned = 0;
  for (;;) {
    const std::size_t available = input_end - input_begin;
    const char* start = input + input_begin;
    const void* feed = std::memchr(start + scanned, '\n', available - scanned);
    if (feed != nullptr) {
      const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(feed) - start);
      if (length > MAX_LINE_LENGTH) return false;
      HandOut(buffer, length, length + 1);
      return true;
    }
    scanned = available;
    if (available > MAX_LINE_LENGTH) return false;
    if (!Refill()) {
      if (available == 0) return false;
      HandOut(buffer, available, available);
      return true;
    }
  }
}

std::uint32_t InputAvailable() {
  // A line counts only once its line feed is there: the search reads it at once and must not
  // wait in that read for the rest of a line that is still on its way. Whatever can be read
  // without waiting is moved into the reader, where a partial line waits for its end. Refill
  // is only called while no whole line is buffered, so the buffer has room.
  while (!ReadLineIsReady()) {
    if (PlatformInputAvailable() == 0) return 0;
    Refill();
  }
  // The bytes held, as the count of bytes waiting; at the end of input with nothing left, still
  // non-zero, so that the read that follows reports the end.
  const std::size_t held = BufferedInputBytes();
  return held > 0 ? static_cast<std::uint32_t>(held) : 1;
}

std::size_t BufferedInputBytes() { return input_end - input_begin; }

bool InputFailed() { return input_failed; }
