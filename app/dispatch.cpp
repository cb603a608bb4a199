#include "app/dispatch.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "board/zobrist.h"
#include "search/hash_table.h"
#include "uci/go_command.h"
#include "io/output.h"
#include "io/platform.h"
#include "uci/position_command.h"

namespace {

bool StartsWith(const char* line, const char* prefix) { return std::strncmp(line, prefix, std::strlen(prefix)) == 0; }

void Identify(Position& position) {
  WriteText("id name Morva_b2_5 Debug\n");
  WriteText("id author QuietRookPlayer42\n");
  WriteText("option name Hash type spin default 32 min 1 max 1024\n");
  AllocateHashTable();
  ComputeKey(position);
  ClearHashTable();
  WriteText("uciok \n");
}

void SetOption(const char* line, Position& position) {
  const int value = ParseHashValue(line);
  if (value == -1) return;
  SetHashSize(value);
  ResizeHashTable();
  ComputeKey(position);
  ClearHashTable();
}

}  // namespace

int ParseHashValue(const char* line) {
  const char* found = std::strstr(line, "Hash value ");
  if (found == nullptr) return -1;
  const long value = std::strtol(found + 11, nullptr, 10);
  // Numbers beyond the int range are held at its ends; the table size clamps them further.
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void DispatchCommand(const char* line, Position& position, char* moves_text, NodeCount* node_count) {
  if (std::strcmp(line, "uci") == 0) {
    Identify(position);
  } else if (std::strcmp(line, "isready") == 0) {
    WriteText("readyok \n\n");
  } else if (StartsWith(line, "setoption ")) {
    SetOption(line, position);
  } else if (StartsWith(line, "position ")) {
    PositionCommand(line, position);
    CopyMovesText(line, moves_text);
  } else if (StartsWith(line, "go")) {
    GoCommand(line, position, moves_text, node_count);
  } else if (std::strcmp(line, "quit") == 0) {
    ReleaseHashTable();
    EndProcess(1);
  } else if (std::strcmp(line, "ucinewgame") == 0 || StartsWith(line, "debug ") ||
             std::strcmp(line, "ponderhit") == 0 || std::strcmp(line, "stop") == 0) {
    // Nothing to do: no search runs while the loop reads a line.
  } else {
    WriteText("WARNING ! Unknown command\n");
  }
}
