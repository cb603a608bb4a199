// "stop", "isready" and "quit" take effect quickly even in positions where one horizon node
// opens a capture search of millions of nodes: the latency from the line sent to the answer is
// measured in each and printed.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <string>

#include "tests/protocol/engine_process.h"

namespace {

// How long the search runs before the line is sent.
constexpr int SEARCH_MS = 500;

using Clock = std::chrono::steady_clock;

class Responsiveness : public ::testing::TestWithParam<const char*> {
 protected:
  // Starts "go infinite" on the position and lets it run.
  void StartSearch(EngineProcess& engine) {
    engine.SendLine("uci");
    engine.SendLine(std::string("position fen ") + GetParam());
    engine.SendLine("go infinite");
    ASSERT_TRUE(engine.ReadUntil("info currmove", 10000));
    engine.ReadUntil("\x01never\x01", SEARCH_MS, engine.Output().size());
  }

  // Sends the line and returns the milliseconds until the marker came back, or -1.
  long long Latency(EngineProcess& engine, const std::string& line, const std::string& marker) {
    const std::size_t from = engine.Output().size();
    const auto sent = Clock::now();
    engine.SendLine(line);
    if (!engine.ReadUntil(marker, 30000, from)) return -1;
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
  }

  void Report(const char* what, long long ms) {
    std::cout << what << " latency " << ms << " ms in " << GetParam() << "\n";
    RecordProperty(what, static_cast<int>(ms));
  }
};

TEST_P(Responsiveness, StopAnswersWithBestMove) {
  EngineProcess engine;
  StartSearch(engine);
  const long long ms = Latency(engine, "stop", "bestmove ");
  Report("stop", ms);
  EXPECT_GE(ms, 0);
  EXPECT_LT(ms, LATENCY_LIMIT_MS);
  engine.CloseInput();
  EXPECT_EQ(engine.WaitExit(10000), 0);
}

TEST_P(Responsiveness, IsReadyAnsweredWhileSearching) {
  EngineProcess engine;
  StartSearch(engine);
  const long long ms = Latency(engine, "isready", "readyok \n\n");
  Report("isready", ms);
  EXPECT_GE(ms, 0);
  EXPECT_LT(ms, LATENCY_LIMIT_MS);
  EXPECT_EQ(engine.Output().find("bestmove"), std::string::npos);
  engine.SendLine("stop");
  EXPECT_TRUE(engine.ReadUntil("bestmove ", 30000));
}

TEST_P(Responsiveness, QuitEndsTheProcess) {
  EngineProcess engine;
  StartSearch(engine);
  const auto sent = Clock::now();
  engine.SendLine("quit");
  const int status = engine.WaitExit(30000);
  const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
  Report("quit", ms);
  EXPECT_EQ(status, 1);
  EXPECT_LT(ms, LATENCY_LIMIT_MS);
  EXPECT_EQ(engine.Output().find("bestmove"), std::string::npos);
}

std::string PositionName(const ::testing::TestParamInfo<const char*>& info) {
  static const char* const NAMES[] = {"promotions_each_side", "nine_queens_each", "promotions_and_queens", "kiwipete"};
  return NAMES[info.index];
}

INSTANTIATE_TEST_SUITE_P(Positions, Responsiveness,
                         ::testing::Values("7k/PPPPPPPP/8/8/8/8/pppppppp/K7 w - - 0 1",
                                           "qqqqqqqq/q6k/8/8/8/8/Q6K/QQQQQQQQ w - - 0 1",
                                           "1k6/PPPPPPPP/8/3QQ3/3qq3/8/pppppppp/6K1 b - - 0 1",
                                           "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"),
                         PositionName);

}  // namespace
