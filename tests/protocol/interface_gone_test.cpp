// When the program at the other end of the pipes goes away, the engine ends with status 3
// instead of searching on for nobody. EngineProcess starts it with SIGPIPE ignored, as many
// interfaces do, so no signal ends it: only its own checks can.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/protocol/engine_process.h"

namespace {

constexpr int OUTPUT_FAILED = 3;

// An interface that dies closes both pipes at once, in the middle of a search that would run
// for hours. Behind the Windows pipe host, the host stands for such an interface when
// MORVA_PIPE_HOST_HANG_UP is set; nothing else reads the setting.
TEST(InterfaceGone, BothPipesClosedDuringADeepSearchEndTheEngineWithinASecond) {
  setenv("MORVA_PIPE_HOST_HANG_UP", "1", 1);
  EngineProcess engine;
  unsetenv("MORVA_PIPE_HOST_HANG_UP");
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  engine.SendLine("go depth 40");
  ASSERT_TRUE(engine.ReadUntil(" depth 1 score", 30000)) << engine.Output();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  engine.CloseInput();
  engine.CloseOutput();
  EXPECT_EQ(engine.WaitExit(1000), OUTPUT_FAILED);
}

// A reply that cannot be written ends the engine at once, rather than leaving it waiting for
// commands nobody will answer.
TEST(InterfaceGone, AReplyThatCannotBeWrittenEndsTheEngine) {
  EngineProcess engine;
  engine.SendLine("uci");
  ASSERT_TRUE(engine.ReadUntil("uciok", 30000));
  engine.CloseOutput();
  engine.SendLine("isready");
  EXPECT_EQ(engine.WaitExit(5000), OUTPUT_FAILED);
}

}  // namespace
