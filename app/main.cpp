// Morva: a UCI chess engine on standard input and output.
#include <cstdio>

#include "app/dispatch.h"
#include "app/standard_streams.h"
#include "board/zobrist.h"
#include "uci/line_reader.h"
#include "uci/position_command.h"

namespace {

// The engine's long-lived state: one position, the node counter, the current command line and
// the moves of the last position command.
Position position;
NodeCount node_count;
char line_buffer[MAX_LINE_LENGTH + 1];
char moves_text[MOVES_TEXT_SIZE];

}  // namespace

int main() {
  node_count = 0;
  position = Position{};
  PrepareStandardStreams();
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  InitZobrist();
  while (ReadLine(line_buffer)) DispatchCommand(line_buffer, position, moves_text, &node_count);
  return 0;
}
