// The engine's command-line forms, run as a match manager runs them: "morva bench [DEPTH]" and
// "morva perft DEPTH [FEN]", and what a wrong argument gets. The engine and the program that
// starts it come from the environment as for the sessions (qemu-aarch64 for the ARM64 build).
//
// The bench's node total at a fixed depth is the fingerprint of the search tree: any change to
// generation order, ordering, extensions, pruning or evaluation moves it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/protocol/engine_process.h"

namespace {

struct EngineRun {
  std::string out;  // standard output, or both streams when asked
  int status;
};

EngineRun RunEngine(const std::string& arguments, bool with_errors = false, const std::string& input = "/dev/null") {
  const std::string wrapper = EngineWrapper();
  // Standard error is redirected first, so that the arguments may redirect standard output.
  const std::string command = (wrapper.empty() ? "" : wrapper + " ") + "'" + EnginePath() + "'" +
                              (with_errors ? " 2>&1 " : " 2>/dev/null ") + arguments + " <" + input;
  std::FILE* pipe = popen(command.c_str(), "r");
  EngineRun run{"", -1};
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(Bench, NodeTotalAtDepthFourIsPinnedAndEndsWithTheTestersLines) {
  const EngineRun run = RunEngine("bench 4");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("position  1: 5223 nodes\n", 0), 0u) << run.out;
  const std::size_t total = run.out.find("\nNodes searched: 2162325\nNodes/second: ");
  ASSERT_NE(total, std::string::npos) << run.out;
  // Nothing of the searches' own reports reaches the output, and the rate is the last line.
  EXPECT_EQ(run.out.find("info"), std::string::npos);
  EXPECT_EQ(run.out.find("bestmove"), std::string::npos);
  EXPECT_EQ(run.out.find('\n', total + 40), run.out.size() - 1) << run.out;
}

TEST(Perft, CountsEachRootMoveAndTheTotal) {
  const EngineRun start = RunEngine("perft 3");
  EXPECT_EQ(start.status, 0);
  EXPECT_EQ(start.out.rfind("b1a3: 400\n", 0), 0u) << start.out;
  EXPECT_TRUE(EndsWith(start.out, "\nNodes searched: 8902\n")) << start.out;
  // The FEN as one argument or as separate fields, with or without the counters.
  const char* kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
  EXPECT_TRUE(EndsWith(RunEngine(std::string("perft 2 \"") + kiwipete + " 0 1\"").out, "\nNodes searched: 2039\n"));
  EXPECT_TRUE(EndsWith(RunEngine(std::string("perft 2 ") + kiwipete).out, "\nNodes searched: 2039\n"));
  EXPECT_EQ(RunEngine("perft 0").out, "\nNodes searched: 1\n");
}

// Every position of the reference suite at the deepest listed depth within a small leaf budget
// (the shallowest listed where none is), so that an emulated processor gets through it in seconds.
TEST(Perft, ReferenceSuiteCounts) {
#ifdef MORVA_SANITIZED
  GTEST_SKIP() << "the unit tests walk the suite in this build; the engine is many times slower";
#endif
  constexpr std::uint64_t LEAF_BUDGET = 1'000'000;
  std::ifstream suite(std::string(MORVA_TEST_DATA) + "/perft.epd");
  int positions = 0;
  for (std::string line; std::getline(suite, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::string fen = line.substr(0, line.find(';'));
    std::istringstream counts(line.substr(fen.size()));
    std::string field, depth;
    std::uint64_t leaves = 0, wanted = 0;
    while (counts >> field >> leaves) {
      if (!depth.empty() && leaves > LEAF_BUDGET) break;
      depth = field.substr(2);
      wanted = leaves;
    }
    ++positions;
    const EngineRun run = RunEngine("perft " + depth + " \"" + fen + "\"");
    EXPECT_EQ(run.status, 0) << fen;
    EXPECT_TRUE(EndsWith(run.out, "\nNodes searched: " + std::to_string(wanted) + "\n")) << fen << " depth " << depth;
  }
  EXPECT_EQ(positions, 21);
}

// Output that could not be written, or input that could not be read, is never a success: status 3
// for the output (here a full disk), 4 for the input (here a directory), each with a line that
// says why.
TEST(CommandLine, FailedWritesAndReadsEndWithTheirOwnStatus) {
  for (const char* arguments : {"bench 2", "perft 3"}) {
    SCOPED_TRACE(arguments);
    const EngineRun full = RunEngine(std::string(arguments) + " >/dev/full", true);
    EXPECT_EQ(full.status, 3);
    EXPECT_NE(full.out.find("morva: cannot write to standard output"), std::string::npos) << full.out;
  }
  const EngineRun directory = RunEngine("", true, "/");
  EXPECT_EQ(directory.status, 4);
  EXPECT_EQ(directory.out, "morva: reading standard input failed; ending\n");
}

TEST(CommandLine, WrongArgumentsGiveOneUsageLineAndStatusTwo) {
  for (const char* arguments :
       {"--help", "benchx", "bench 0", "bench -3", "bench 4x", "bench 4 5", "bench 99999999999", "perft",
        "perft x", "perft 21", "perft 3 rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq -",
        "perft 3 \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq -\"",
        "perft 3 \"8/8/8/8/8/8/8/8 w - -\"", "perft 3 \"4k3/8/8/8/8/8/8/4K2P w - -\"",
        "perft 3 \"4k3/8/8/8/8/8/8/4KK2 w - -\"", "perft 3 \"R3k3/8/8/8/8/8/8/4K3 w - -\""}) {
    SCOPED_TRACE(arguments);
    const EngineRun run = RunEngine(arguments, true);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out.rfind("morva: ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("usage: morva"), std::string::npos);
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
  }
}

}  // namespace
