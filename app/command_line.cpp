#include "app/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/bench.h"
#include "app/perft_divide.h"

namespace {

constexpr int USAGE_STATUS = 2;
constexpr int MAX_BENCH_DEPTH = 30;
constexpr int MAX_PERFT_DEPTH = 20;
constexpr const char START_FEN[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

int Usage(const std::string& problem) {
  std::fprintf(stderr, "morva: %s; usage: morva [bench [DEPTH] | perft DEPTH [FEN]]\n", problem.c_str());
  return USAGE_STATUS;
}

// The whole text as a number from low to high, or -1.
int DepthFrom(const char* text, int low, int high) {
  if (*text < '0' || *text > '9') return -1;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return -1;
  return static_cast<int>(value);
}

int Bench(int argc, char** argv) {
  if (argc > 3) return Usage("bench takes at most one argument, the depth");
  const int depth = argc == 3 ? DepthFrom(argv[2], 1, MAX_BENCH_DEPTH) : DEFAULT_BENCH_DEPTH;
  if (depth < 0) return Usage("the bench depth must be a whole number from 1 to " + std::to_string(MAX_BENCH_DEPTH));
  RunBench(depth);
  return 0;
}

int Perft(int argc, char** argv) {
  if (argc < 3) return Usage("perft needs a depth");
  const int depth = DepthFrom(argv[2], 0, MAX_PERFT_DEPTH);
  if (depth < 0) return Usage("the perft depth must be a whole number from 0 to " + std::to_string(MAX_PERFT_DEPTH));
  // The FEN may come as one argument or as its fields one by one.
  std::string fen = argc > 3 ? argv[3] : START_FEN;
  for (int i = 4; i < argc; ++i) fen += std::string(" ") + argv[i];
  if (!PerftFenIsPlayable(fen.c_str())) return Usage("not a playable position: '" + fen + "'");
  PerftDivide(depth, fen.c_str());
  return 0;
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
  if (std::strcmp(argv[1], "bench") == 0) return Bench(argc, argv);
  if (std::strcmp(argv[1], "perft") == 0) return Perft(argc, argv);
  return Usage(std::string("unknown argument '") + argv[1] + "'");
}
