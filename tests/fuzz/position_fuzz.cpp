// libFuzzer target: the position command on an arbitrary line, followed, as in the dispatcher,
// by the copy of the text behind "moves " that the go command reads later. The seeds are the
// position lines of the recorded sessions, so most inputs are a FEN or startpos with mutated
// bytes behind "moves". Whatever the line, the record stays consistent and the copy is exactly
// the text behind the first "moves ".
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "board/zobrist.h"
#include "io/output.h"
#include "io/line_reader.h"
#include "tests/board/position_invariants.h"
#include "tests/fuzz/fuzz_support.h"
#include "uci/position_command.h"

namespace {
char moves_text[MOVES_TEXT_SIZE];
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The "ignoring illegal move" notes are not checked here.
  DiscardOutput(true);
  InitZobrist();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The line reader hands out no longer line.
  if (size > MAX_LINE_LENGTH) return 0;
  const std::string line = fuzz::TextOf(data, size);
  Position position{};
  PositionCommand(line.c_str(), position);
  if (const char* broken = board_test::BrokenInvariant(position)) fuzz::Fail(broken, line);

  CopyMovesText(line.c_str(), moves_text);
  const std::size_t moves = line.find("moves ");
  const std::string expected = moves == std::string::npos ? "" : line.substr(moves + 6);
  if (expected != moves_text) fuzz::Fail("moves text is not the text behind the first \"moves \"", line);
  return 0;
}
