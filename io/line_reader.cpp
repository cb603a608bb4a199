#include "io/line_reader.h"

#include <cstring>

#include "io/stdin_read.h"

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

bool ReadLineIsReady() {
  if (input_ended) return true;
  const std::size_t available = input_end - input_begin;
  return available > MAX_LINE_LENGTH || std::memchr(input + input_begin, '\n', available) != nullptr;
}

void TakeWaitingInput() { Refill(); }

std::size_t BufferedInputBytes() { return input_end - input_begin; }

bool InputFailed() { return input_failed; }
