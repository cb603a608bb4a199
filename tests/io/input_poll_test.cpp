// The pending-input test over a real pipe in place of standard input: only whole lines count,
// and what it takes in while a line is unfinished is handed out by the line reader unchanged.
#include "io/input_poll.h"

#include <gtest/gtest.h>

#include <string>

#include <unistd.h>

#include "io/line_reader.h"

namespace {

class PipeAsStandardInput {
 public:
  PipeAsStandardInput() {
    int ends[2];
    if (pipe(ends) != 0) std::abort();
    saved_ = dup(0);
    dup2(ends[0], 0);
    close(ends[0]);
    writer_ = ends[1];
  }
  ~PipeAsStandardInput() {
    close(writer_);
    dup2(saved_, 0);
    close(saved_);
  }
  void Write(const std::string& bytes) { ASSERT_EQ(write(writer_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }

 private:
  int saved_ = -1;
  int writer_ = -1;
};

std::string NextLine() {
  static char line[MAX_LINE_LENGTH + 1];
  return ReadLine(line) ? line : "<failed>";
}

// The line reader's state lasts for the process, so the cases run in one sequence; the line
// that never ends comes last, because the reader refuses every line after it.
TEST(InputAvailable, CountsOnlyWholeLines) {
  PipeAsStandardInput input;
  EXPECT_EQ(InputAvailable(), 0u) << "an empty pipe";

  input.Write("isre");
  EXPECT_EQ(InputAvailable(), 0u) << "a line without its line feed";
  EXPECT_EQ(BufferedInputBytes(), 4u) << "the readable bytes are taken in";
  input.Write("ady\r\nsto");
  EXPECT_NE(InputAvailable(), 0u);
  EXPECT_EQ(NextLine(), "isready");
  EXPECT_EQ(InputAvailable(), 0u) << "the rest of the read is a partial line";
  input.Write("p\nquit\n");
  EXPECT_EQ(InputAvailable(), 10u) << "the bytes waiting";
  EXPECT_EQ(NextLine(), "stop");
  EXPECT_NE(InputAvailable(), 0u) << "a whole line left over from an earlier read";
  EXPECT_EQ(NextLine(), "quit");
  EXPECT_EQ(InputAvailable(), 0u);

  // Longer than the pipe holds at once: taken in over several polls.
  const std::string long_line(MAX_LINE_LENGTH, 'x');
  for (std::size_t at = 0; at < long_line.size(); at += 4096) {
    input.Write(long_line.substr(at, 4096));
    EXPECT_EQ(InputAvailable(), 0u) << "after " << at + 4096 << " bytes";
  }
  input.Write("\n");
  EXPECT_NE(InputAvailable(), 0u);
  EXPECT_EQ(NextLine(), long_line);

  // A line past the limit: the read that refuses it must not wait for a line feed either.
  for (std::size_t at = 0; at <= MAX_LINE_LENGTH; at += 4096) {
    input.Write(std::string(4096, 'y'));
    InputAvailable();
  }
  EXPECT_NE(InputAvailable(), 0u);
  EXPECT_EQ(NextLine(), "<failed>");
}

}  // namespace
