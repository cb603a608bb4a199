#include "uci/go_command.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "search/clock.h"
#include "search/deepening.h"
#include "search/hash_table.h"
#include "board/move_text.h"
#include "uci/position_command.h"

namespace {

char go_tokens[MOVES_TEXT_SIZE];

// RecentMoves is read from the last RECENT_TEXT_WINDOW characters of the moves text: four moves
// of four characters with single blanks between them, MOVE_TEXT_STRIDE characters a move.
constexpr int RECENT_TEXT_WINDOW = 19;
constexpr int MOVE_TEXT_STRIDE = 5;
// Entries 0 to 4 start as 1 to 5 in both arrays, which match no real to-and-fro.
constexpr int RECENT_START_ENTRIES = 5;

}  // namespace

GoLimits ParseGoLimits(const char* line) {
  GoLimits limits;
  std::strncpy(go_tokens, line, sizeof go_tokens - 1);
  go_tokens[sizeof go_tokens - 1] = '\0';
  char* save = nullptr;
  char* token = strtok_r(go_tokens, " ", &save);
  if (token == nullptr) return limits;
  while ((token = strtok_r(nullptr, " ", &save)) != nullptr) {
    const bool takes_value = !std::strcmp(token, "depth") || !std::strcmp(token, "wtime") ||
                             !std::strcmp(token, "btime") || !std::strcmp(token, "winc") ||
                             !std::strcmp(token, "binc") || !std::strcmp(token, "movestogo") ||
                             !std::strcmp(token, "movetime") || !std::strcmp(token, "nodes");
    if (!std::strcmp(token, "infinite")) limits.infinite = 1;
    if (!takes_value) continue;
    // A keyword at the end of the line has no value and is ignored.
    const char* value = strtok_r(nullptr, " ", &save);
    if (value == nullptr) break;
    const long long number = std::strtoll(value, nullptr, 10);
    const int clamped = number > INT_MAX ? INT_MAX : number < -INT_MAX ? -INT_MAX : static_cast<int>(number);
    if (!std::strcmp(token, "depth")) limits.depth = clamped;
    if (!std::strcmp(token, "wtime")) limits.wtime = clamped / 1000.0;
    if (!std::strcmp(token, "btime")) limits.btime = clamped / 1000.0;
    if (!std::strcmp(token, "movetime")) limits.movetime = clamped / 1000.0;
    if (!std::strcmp(token, "nodes")) limits.nodes = number < 0 ? -1 : number;
  }
  return limits;
}

RecentMoves BuildRecentMoves(const char* moves_text) {
  RecentMoves recent{};
  const int n = static_cast<int>(std::strlen(moves_text));
  const int start = n > RECENT_TEXT_WINDOW ? n - RECENT_TEXT_WINDOW : 0;
  for (int j = 0; j < RECENT_START_ENTRIES; ++j) {
    recent.from_squares[j] = j + 1;
    recent.to_squares[j] = j + 1;
  }
  recent.last_index = RECENT_START_ENTRIES - 1;
  for (int j = 0, p = start; p < n; ++j, p = start + MOVE_TEXT_STRIDE * j) {
    // Characters beyond the text read as NUL, which is no square.
    auto at = [&](int i) { return i < n ? moves_text[i] : '\0'; };
    recent.from_squares[j] = SquareFromText(at(p), at(p + 1));
    recent.to_squares[j] = SquareFromText(at(p + 2), at(p + 3));
    recent.last_index = j;
  }
  return recent;
}

void GoCommand(const char* line, Position& position, const char* moves_text, NodeCount* node_count) {
  const std::int64_t received_at = ElapsedMilliseconds();
  const GoLimits limits = ParseGoLimits(line);
  const RecentMoves recent = BuildRecentMoves(moves_text);
  if (!HashTableExists()) AllocateHashTable();
  ClearHashTable();
  RequestSearch(SearchRequest{received_at, limits.nodes});
  Deepening(position, recent, node_count, limits.infinite, limits.wtime, limits.btime, limits.movetime,
            limits.depth);
}
