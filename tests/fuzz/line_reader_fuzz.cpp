// libFuzzer target: the line reader over an arbitrary byte stream, compared with a plain model:
// the stream cut at each line feed, one carriage return before it dropped, a last line without
// a line feed still handed out, and the reading stopped by a line of more than MAX_LINE_LENGTH
// characters. After every line the bytes the reader holds must be those read and not handed
// out, and the pending-input test must see them.
//
// The input is a recipe for the stream: its first byte chooses how many bytes each read
// delivers and whether the stream ends with the end of input or a read error; byte 0x01
// followed by n stands for n * 512 letters, so that short inputs reach overlong lines.
//
// The reader's source is compiled into this file so that its state can be set back to a fresh
// process's before each stream: once it has met the end of input it never reads again.
#include "io/line_reader.cpp"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "io/input_poll.h"
#include "io/stdin_read.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::size_t READ_SIZES[] = {1, 2, 3, 7, 64, 4096, 65536, INPUT_CAPACITY};
constexpr std::size_t LETTERS_PER_COUNT = 512;

std::string stream;
std::size_t delivered = 0;
std::size_t read_size = 1;
bool ends_in_error = false;
char line[MAX_LINE_LENGTH + 1];

std::string StreamOf(const std::uint8_t* data, std::size_t size) {
  std::string out;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0x01 && i + 1 < size) {
      out.append(LETTERS_PER_COUNT * data[++i], 'a');
    } else {
      out.push_back(static_cast<char>(data[i]));
    }
  }
  return out;
}

void StartProcess() {
  input_begin = input_end = 0;
  input_ended = false;
  delivered = 0;
}

// Checks the reader's account of what it holds after `handed_out` bytes of the stream have
// left it as lines.
void CheckHeld(std::size_t handed_out) {
  if (BufferedInputBytes() != delivered - handed_out) fuzz::Fail("buffered count is not read minus handed out", stream);
  if (BufferedInputBytes() > 0 && InputAvailable() == 0) fuzz::Fail("buffered bytes not seen as pending input", stream);
  if (InputEnded() && delivered != stream.size()) fuzz::Fail("input ended with bytes still to come", stream);
}

}  // namespace

long ReadStandardInput(char* destination, std::size_t capacity) {
  if (delivered == stream.size()) return ends_in_error ? -1 : 0;
  std::size_t n = stream.size() - delivered;
  if (n > capacity) n = capacity;
  if (n > read_size) n = read_size;
  std::memcpy(destination, stream.data() + delivered, n);
  delivered += n;
  return static_cast<long>(n);
}

// The descriptor always has something to say: more bytes, or the end.
std::uint32_t PlatformInputAvailable() { return 1; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  read_size = READ_SIZES[data[0] % std::size(READ_SIZES)];
  ends_in_error = (data[0] & 0x80) != 0;
  stream = StreamOf(data + 1, size - 1);
  StartProcess();

  std::size_t at = 0;  // start of the next line in the stream
  for (;;) {
    const std::size_t feed = stream.find('\n', at);
    const std::size_t end = feed == std::string::npos ? stream.size() : feed;
    const bool expected = at < stream.size() && end - at <= MAX_LINE_LENGTH;
    const bool got = ReadLine(line);
    if (got != expected) fuzz::Fail(got ? "a line handed out where none was due" : "a due line was not handed out", stream);
    if (!got) break;
    std::size_t length = end - at;
    if (length > 0 && stream[end - 1] == '\r') --length;
    if (std::memcmp(line, stream.data() + at, length) != 0 || line[length] != '\0')
      fuzz::Fail("line differs from the stream", stream);
    at = feed == std::string::npos ? stream.size() : feed + 1;
    CheckHeld(at);
  }
  return 0;
}
