// Morva: a UCI chess engine on standard input and output. With arguments it runs the bench or
// a perft count instead.
#include <cstdio>

#include "app/command_line.h"
#include "app/dispatch.h"
#include "board/zobrist.h"
#include "io/line_reader.h"
#include "io/platform.h"
#include "uci/position_command.h"

namespace {

// The engine's long-lived state: one position, the node counter, the current command line and
// the moves of the last position command.
Position position;
NodeCount node_count;
char line_buffer[MAX_LINE_LENGTH + 1];
char moves_text[MOVES_TEXT_SIZE];

}  // namespace

int main(int argc, char** argv) {
  PrepareStandardStreams();
  if (argc > 1) return RunCommandLine(argc, argv);
  node_count = 0;
  position = Position{};
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  InitZobrist();
  while (ReadLine(line_buffer)) DispatchCommand(line_buffer, position, moves_text, &node_count);
  if (!InputFailed()) return 0;
  std::fputs("morva: reading standard input failed; ending\n", stderr);
  return EXIT_INPUT_FAILED;
}
