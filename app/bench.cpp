#include "app/bench.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "app/bench_positions.h"
#include "app/dispatch.h"
#include "board/zobrist.h"
#include "io/output.h"
#include "search/deepening.h"
#include "uci/position_command.h"

namespace {

Position position;
NodeCount node_count;
char moves_text[MOVES_TEXT_SIZE];

}  // namespace

void RunBench(int depth) {
  InitZobrist();
  DiscardOutput(true);
  DispatchCommand("uci", position, moves_text, &node_count);

  NodeCount total = 0;
  const auto start = std::chrono::steady_clock::now();
  const std::string go = "go depth " + std::to_string(depth);
  for (std::size_t i = 0; i < BENCH_POSITIONS.size(); ++i) {
    const std::string command = std::string("position ") + BENCH_POSITIONS[i];
    DispatchCommand(command.c_str(), position, moves_text, &node_count);
    const NodeCount before = NodesSearched();
    DispatchCommand(go.c_str(), position, moves_text, &node_count);
    const NodeCount nodes = NodesSearched() - before;
    total += nodes;
    std::printf("position %2zu: %lld nodes\n", i + 1, static_cast<long long>(nodes));
    FlushOutput();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double rate = seconds > 0 ? static_cast<double>(total) / seconds : 0.0;
  std::printf("\nTotal time (ms): %.0f\nNodes searched: %lld\nNodes/second: %.0f\n", seconds * 1000.0,
              static_cast<long long>(total), rate);
  FlushOutput();
  DiscardOutput(false);
}
