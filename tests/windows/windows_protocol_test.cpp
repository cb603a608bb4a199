// What the shared protocol tests leave unchecked in the Windows build, which runs behind a
// Windows anonymous pipe (see pipe_host.cpp): that an empty pipe reads as nothing waiting, and
// that the clock counts real milliseconds.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/protocol/engine_process.h"

namespace {

constexpr int TIMEOUT_MS = 30000;

// A pipe that reported input while none is waiting would leave the search blocked in its read
// at the first look: the search reaches depth 6 only if the empty pipe reads as empty.
TEST(WindowsPipe, EndlessSearchRunsOnUntilStopArrives) {
  EngineProcess engine;
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  engine.SendLine("go infinite");
  ASSERT_TRUE(engine.ReadUntil("depth 6 score", TIMEOUT_MS)) << engine.Output();
  const std::size_t before = engine.Output().size();
  engine.SendLine("stop");
  EXPECT_TRUE(engine.ReadUntil("bestmove ", TIMEOUT_MS, before)) << engine.Output().substr(before);
  engine.SendLine("quit");
  EXPECT_EQ(engine.WaitExit(TIMEOUT_MS), 1);
}

// A move time is kept to within a few milliseconds before its end, so the real time from "go"
// to "bestmove" is close to it: a clock in the wrong unit or a stopped clock shows up here.
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
  EXPECT_GE(elapsed, 250);
  EXPECT_LE(elapsed, 330);
  EXPECT_EQ(engine.Output().find("depth 20 score"), std::string::npos) << "the time limit never took effect";
}

}  // namespace
