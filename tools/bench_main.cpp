// morva-bench [DEPTH]: searches the bench positions to a fixed depth through the engine's own
// command handling, one after another in one process, and prints the nodes of each search
// (all iterations), the total, the time and the rate.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "app/dispatch.h"
#include "board/zobrist.h"
#include "search/deepening.h"
#include "tools/bench_positions.h"
#include "uci/position_command.h"

namespace {

Position position;
NodeCount node_count;
char moves_text[MOVES_TEXT_SIZE];

}  // namespace

int main(int argc, char** argv) {
  const int depth = argc > 1 ? std::atoi(argv[1]) : 5;
  // The searches' own reports go nowhere; the bench's figures go to the real output.
  std::FILE* results = fdopen(dup(1), "w");
  const int null_output = open("/dev/null", O_WRONLY);
  dup2(null_output, 1);
  InitZobrist();
  DispatchCommand("uci", position, moves_text, &node_count);

  NodeCount total = 0;
  const auto start = std::chrono::steady_clock::now();
  for (std::size_t i = 0; i < BENCH_POSITIONS.size(); ++i) {
    const std::string command = std::string("position ") + BENCH_POSITIONS[i];
    DispatchCommand(command.c_str(), position, moves_text, &node_count);
    const NodeCount before = NodesSearched();
    const std::string go = "go depth " + std::to_string(depth);
    DispatchCommand(go.c_str(), position, moves_text, &node_count);
    const NodeCount nodes = NodesSearched() - before;
    total += nodes;
    std::fprintf(results, "position %2zu: %lld nodes\n", i + 1, static_cast<long long>(nodes));
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fprintf(results, "\nNodes searched: %lld\nTime: %.3f s\nNodes per second: %.0f\n",
               static_cast<long long>(total), seconds, seconds > 0 ? static_cast<double>(total) / seconds : 0.0);
  return 0;
}
