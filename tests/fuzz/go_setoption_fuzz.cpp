// libFuzzer target: the parsing of "go" and "setoption" lines, without a search. The line goes
// to ParseGoLimits and to the recent-moves window the go command builds from the move text, and
// to ParseHashValue, whose number sets the table size. A setoption line then takes its real way
// through the dispatcher and the table is rebuilt, for sizes of at most MAX_BUILT_HASH_MB only:
// larger ones would spend each run on allocating memory.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/dispatch.h"
#include "board/zobrist.h"
#include "io/line_reader.h"
#include "search/hash_table.h"
#include "tests/fuzz/fuzz_support.h"
#include "uci/go_command.h"
#include "uci/position_command.h"

namespace {
constexpr int MAX_BUILT_HASH_MB = 2;

Position position;
char moves_text[MOVES_TEXT_SIZE];
NodeCount node_count;

bool IsSquareOrNone(int square) { return (square >= 0 && square < 64) || square >= 777; }
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InitZobrist();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > MAX_LINE_LENGTH) return 0;
  const std::string line = fuzz::TextOf(data, size);

  const GoLimits limits = ParseGoLimits(line.c_str());
  if (limits.infinite != 0 && limits.infinite != 1) fuzz::Fail("infinite flag out of range", line);
  for (double seconds : {limits.wtime, limits.btime, limits.movetime}) {
    if (!(seconds >= -2147483.647 && seconds <= 2147483.647)) fuzz::Fail("time out of the int range", line);
  }

  const RecentMoves recent = BuildRecentMoves(line.c_str());
  if (recent.last_index < 0 || recent.last_index > 4) fuzz::Fail("recent-moves index out of range", line);
  for (int j = 0; j <= recent.last_index; ++j) {
    if (!IsSquareOrNone(recent.from_squares[j]) || !IsSquareOrNone(recent.to_squares[j]))
      fuzz::Fail("recent-moves square neither a square nor none", line);
  }

  const int value = ParseHashValue(line.c_str());
  if (value == -1 && line.find("Hash value ") == std::string::npos) return 0;
  SetHashSize(value);
  if (hash_size_mb < 0 || hash_size_mb > MAX_HASH_MB) fuzz::Fail("table size out of range", line);
  if (line.rfind("setoption ", 0) == 0 && hash_size_mb <= MAX_BUILT_HASH_MB) {
    // As after "uci": a table of the size set so far, then the line's own way through.
    SetHashSize(1);
    AllocateHashTable();
    DispatchCommand(line.c_str(), position, moves_text, &node_count);
    const std::uint64_t entries = HashEntryCount();
    const std::uint64_t room = std::max<std::uint64_t>(static_cast<std::uint64_t>(hash_size_mb) << 20, sizeof(TTEntry));
    if ((entries & (entries - 1)) != 0 || entries * sizeof(TTEntry) > room) fuzz::Fail("table does not fit its size", line);
    ReleaseHashTable();
  }
  return 0;
}
