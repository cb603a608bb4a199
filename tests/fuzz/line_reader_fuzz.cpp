// libFuzzer target: the line reader over an arbitrary byte stream, compared with a plain model:
// the stream cut at each line feed, one carriage return before it dropped, a last line without
// a line feed still handed out, and the reading stopped by a line of more than MAX_LINE_LENGTH
// characters. After every line the bytes the reader holds must be those read and not handed
// out, and the pending-input test must gather the next whole line.
//
// The input is a recipe for the stream: its first byte chooses how many bytes each of the reads
// of the first SMALL_READS_END bytes delivers (later reads fill the reader's room, so that long
// streams stay fast) and whether the stream ends with the end of input or a read error; byte
// 0x01 followed by n stands for n * 512 letters, so that short inputs reach overlong lines. The
// stream is cut at MAX_STREAM bytes, room for two overlong lines.
//
// The reader's source is compiled into this file so that its state can be set back to a fresh
// process's before each stream: once it has met the end of input it never reads again.
#include "io/line_reader.cpp"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "io/platform.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::size_t READ_SIZES[] = {1, 2, 3, 7, 64, 4096, 65536, INPUT_CAPACITY};
constexpr std::size_t SMALL_READS_END = 128;
constexpr std::size_t LETTERS_PER_COUNT = 512;
constexpr std::size_t MAX_STREAM = 2 * INPUT_CAPACITY;

std::string stream(MAX_STREAM + LETTERS_PER_COUNT * 255, '\0');
std::size_t delivered = 0;
std::size_t read_size = 1;
bool ends_in_error = false;
char line[MAX_LINE_LENGTH + 1];

// Writes the stream into `stream`, whose room is kept from one run to the next.
void BuildStream(const std::uint8_t* data, std::size_t size) {
  stream.clear();
  const std::uint8_t* const end = data + size;
  while (data < end && stream.size() < MAX_STREAM) {
    const void* mark = std::memchr(data, 0x01, static_cast<std::size_t>(end - data));
    const std::uint8_t* const plain_end = mark ? static_cast<const std::uint8_t*>(mark) : end;
    stream.append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(plain_end - data));
    data = plain_end;
    if (data == end) break;
    if (data + 1 == end) {
      stream.push_back('\x01');
      break;
    }
    stream.append(LETTERS_PER_COUNT * data[1], 'a');
    data += 2;
  }
  if (stream.size() > MAX_STREAM) stream.resize(MAX_STREAM);
}

void StartProcess() {
  input_begin = input_end = 0;
  input_ended = false;
  delivered = 0;
}

// Checks the reader's account of what it holds after `handed_out` bytes of the stream have
// left it as lines, and the pending-input test: the descriptor here always has bytes or the end
// to give, so the test must gather a whole line (or the end) without losing or inventing bytes.
void CheckHeld(std::size_t handed_out) {
  if (BufferedInputBytes() != delivered - handed_out) fuzz::Fail("buffered count is not read minus handed out", stream);
  if (InputAvailable() == 0 || !ReadLineIsReady()) fuzz::Fail("pending test did not gather a whole line", stream);
  if (BufferedInputBytes() != delivered - handed_out) fuzz::Fail("pending test lost or invented bytes", stream);
  if (input_ended && delivered != stream.size()) fuzz::Fail("input ended with bytes still to come", stream);
}

}  // namespace

long ReadStandardInput(char* destination, std::size_t capacity) {
  if (delivered == stream.size()) return ends_in_error ? -1 : 0;
  std::size_t n = stream.size() - delivered;
  if (n > capacity) n = capacity;
  if (delivered < SMALL_READS_END && n > read_size) n = read_size;
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
  BuildStream(data + 1, size - 1);
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
