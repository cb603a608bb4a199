// Bad inputs and the behaviour expected of the engine for each: one row per case, run over pipes
// against the real binary by bad_input_test.cpp.
//
// A row's steps are sent in order. A step is a command line, sent with its line feed; after a line
// that starts with "go" and does not ask for "infinite", the next step waits for "bestmove", as an
// interface does. Steps that begin with '@' drive the pipe instead:
//   "@raw BYTES"   the bytes exactly as they stand, without a line feed added;
//   "@wait TEXT"   wait until TEXT appears in what came back since the last line sent;
//   "@pause MS"    keep reading for MS milliseconds (a search is then well under way);
//   "@close"       close the engine's input.
// The input is closed after the last step, and the engine must then end by itself.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct BadInput {
  std::string name;
  std::vector<std::string> steps;
  int exit_status;
  // The whole output, byte for byte, when exact is set; otherwise fragments that must appear in
  // this order (search reports vary with the rate and the timing).
  bool exact;
  std::vector<std::string> output;
  // Fragments that must not appear anywhere; every row also forbids the self-check "ERROR".
  std::vector<std::string> absent = {};
  // How many "bestmove" lines the output holds; -1 when not counted.
  int bestmoves = -1;
};

// Test names print as the row's name.
void PrintTo(const BadInput& row, std::ostream* out);

const std::vector<BadInput>& BadInputTable();
