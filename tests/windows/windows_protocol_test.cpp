// The Windows build driven through a Windows anonymous pipe (see pipe_host.cpp): pending input
// is then found by peeking at the pipe, and the pipe's end by a peek that fails.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "tests/protocol/engine_process.h"

namespace {

constexpr int TIMEOUT_MS = 30000;

// Starts an endless search from the start position and waits until it has got far enough to
// have looked at the input many times while nothing was waiting.
void StartEndlessSearch(EngineProcess& engine) {
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  engine.SendLine("go infinite");
  ASSERT_TRUE(engine.ReadUntil("depth 6 score", TIMEOUT_MS)) << engine.Output();
}

TEST(WindowsPipe, StopEndsAnEndlessSearch) {
  EngineProcess engine;
  StartEndlessSearch(engine);
  const std::size_t before = engine.Output().size();
  engine.SendLine("stop");
  EXPECT_TRUE(engine.ReadUntil("bestmove ", TIMEOUT_MS, before)) << engine.Output().substr(before);
  engine.SendLine("quit");
  EXPECT_EQ(engine.WaitExit(TIMEOUT_MS), 1);
}

TEST(WindowsPipe, QuitDuringSearchEndsWithStatusOneAndNoBestMove) {
  EngineProcess engine;
  StartEndlessSearch(engine);
  engine.SendLine("quit");
  EXPECT_EQ(engine.WaitExit(TIMEOUT_MS), 1);
  EXPECT_EQ(engine.Output().find("bestmove"), std::string::npos);
}

TEST(WindowsPipe, ClosedPipeDuringSearchEndsItAndThenTheProgram) {
  EngineProcess engine;
  StartEndlessSearch(engine);
  const std::size_t before = engine.Output().size();
  engine.CloseInput();
  EXPECT_EQ(engine.WaitExit(TIMEOUT_MS), 0);
  EXPECT_NE(engine.Output().find("bestmove ", before), std::string::npos);
}

TEST(WindowsPipe, ExitStatusOfQuitAndOfEndOfInput) {
  const SessionResult quit = RunSession("isready\nquit\n");
  EXPECT_EQ(quit.output, "readyok \n\n");
  EXPECT_EQ(quit.status, 1);
  const SessionResult end = RunSession("isready\n");
  EXPECT_EQ(end.output, "readyok \n\n");
  EXPECT_EQ(end.status, 0);
}

// Interfaces on Windows may end their lines with CR LF; the replies do not change.
TEST(WindowsPipe, CarriageReturnsBeforeLineFeedsAreIgnored) {
  const std::string base = std::string(MORVA_TEST_DATA) + "/sessions/start-depth5";
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(base + ".in"));
  for (std::string line; std::getline(in, line);) lines.push_back(line + "\r");
  const SessionResult result = RunScript(lines);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(MaskRates(result.output), ReadFile(base + ".out"));
}

// A search under a time limit ends after the first iteration that outlasts it, so the real
// time from "go" to "bestmove" is at least the limit: a clock in the wrong unit or a stopped
// clock shows up here.
TEST(WindowsClock, MoveTimeIsMeasuredInRealMilliseconds) {
  EngineProcess engine;
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  ASSERT_TRUE(engine.ReadUntil("uciok", TIMEOUT_MS));
  const auto start = std::chrono::steady_clock::now();
  engine.SendLine("go movetime 300");
  ASSERT_TRUE(engine.ReadUntil("bestmove ", TIMEOUT_MS)) << engine.Output();
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(elapsed, 300);
  EXPECT_EQ(engine.Output().find("depth 20 score"), std::string::npos) << "the time limit never took effect";
}

}  // namespace
