// libFuzzer target: an arbitrary byte string is a session of command lines. The lines go through
// the engine's own line reader to DispatchCommand, as in the real command loop, and a running
// search reads the lines that follow, as it does when an interface writes ahead.
//
// This file supplies the four platform hooks the engine leaves to its platform files:
// - ReadStandardInput serves the session's bytes, and never reports the end of input, because
//   the line reader cannot start over once it has met it; each session ends with a line feed
//   instead, so the loop below drains the reader exactly;
// - PlatformInputAvailable answers for those bytes, and when none are left it hands the search a
//   "stop", so that every search ends after one poll interval however it was limited;
// - EndProcess ("quit" and the fatal table messages) jumps back to the start of the session;
// - OutputClosed: the output always has its reader.
//
// Searches are kept small: go lines ask for at most MAX_FUZZ_DEPTH iterations and Hash settings
// for at most one megabyte.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/dispatch.h"
#include "board/zobrist.h"
#include "io/output.h"
#include "search/hash_table.h"
#include "search/ordering.h"
#include "uci/go_command.h"
#include "io/line_reader.h"
#include "uci/position_command.h"
#include "io/platform.h"

namespace {

constexpr int MAX_FUZZ_DEPTH = 3;
constexpr int MAX_FUZZ_HASH_MB = 1;
// Well below MAX_LINE_LENGTH, so that every line of a session reaches the dispatcher.
constexpr std::size_t MAX_SESSION_BYTES = 60000;

std::jmp_buf session_end;
std::string pending;  // bytes of the session the line reader has not taken yet
std::size_t pending_at = 0;

Position position;
NodeCount node_count;
char line_buffer[MAX_LINE_LENGTH + 1];
char command[MAX_LINE_LENGTH + 1];
char moves_text[MOVES_TEXT_SIZE];

std::size_t PendingBytes() { return pending.size() - pending_at; }

// The line as dispatched, with its search depth and table size held small.
const char* Bounded(const char* line) {
  std::strcpy(command, line);
  if (std::strncmp(command, "go", 2) == 0 && ParseGoLimits(command).depth > MAX_FUZZ_DEPTH) {
    const std::size_t length = std::strlen(command);
    if (length + 16 < sizeof command) std::snprintf(command + length, 16, " depth %d", MAX_FUZZ_DEPTH);
    if (ParseGoLimits(command).depth > MAX_FUZZ_DEPTH) std::snprintf(command, sizeof command, "go depth %d", MAX_FUZZ_DEPTH);
  }
  if (std::strncmp(command, "setoption ", 10) == 0 && ParseHashValue(command) > MAX_FUZZ_HASH_MB) {
    std::snprintf(command, sizeof command, "setoption name Hash value %d", MAX_FUZZ_HASH_MB);
  }
  return command;
}

// A fresh process: no table, an empty board, no moves, the small table size.
void StartSession() {
  ReleaseHashTable();
  SetHashSize(MAX_FUZZ_HASH_MB);
  position = Position{};
  node_count = 0;
  std::memset(moves_text, 0, sizeof moves_text);
  std::memset(killer_primary, 0, sizeof killer_primary);
  std::memset(killer_secondary, 0, sizeof killer_secondary);
}

// Lines a jump out of a search left in the reader; each ends in a line feed.
void DrainReader() {
  while (BufferedInputBytes() > 0) ReadLine(line_buffer);
}

}  // namespace

long ReadStandardInput(char* destination, std::size_t capacity) {
  if (PendingBytes() == 0) {
    // Not reached while every session ends in a line feed; a blank line is harmless.
    *destination = '\n';
    return 1;
  }
  const std::size_t n = PendingBytes() < capacity ? PendingBytes() : capacity;
  std::memcpy(destination, pending.data() + pending_at, n);
  pending_at += n;
  return static_cast<long>(n);
}

std::uint32_t PlatformInputAvailable() {
  if (PendingBytes() == 0) {
    pending = "stop\n";
    pending_at = 0;
  }
  return 1;
}

void EndProcess(int) { std::longjmp(session_end, 1); }

bool OutputClosed() { return false; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The engine's replies are not checked here; only crashes, hangs and sanitizer findings are.
  DiscardOutput(true);
  InitZobrist();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > MAX_SESSION_BYTES) return 0;
  pending.assign(reinterpret_cast<const char*>(data), size);
  pending.push_back('\n');
  pending_at = 0;
  StartSession();
  if (setjmp(session_end) == 0) {
    while (BufferedInputBytes() > 0 || PendingBytes() > 0) {
      if (!ReadLine(line_buffer)) break;
      DispatchCommand(Bounded(line_buffer), position, moves_text, &node_count);
    }
  }
  pending.clear();
  pending_at = 0;
  DrainReader();
  return 0;
}
