// "go movetime N" answers within N ms of its go line, apart from the time the answer takes to
// arrive: timed from the go line sent to the bestmove read, from varied positions. The test has
// the machine to itself (see tests/CMakeLists.txt): on a busy machine a late answer may be the
// scheduler's.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tests/protocol/engine_process.h"

namespace {

constexpr long long LATENESS_LIMIT_MS = 30;

// The reference perft positions, and one where the second iteration alone runs for minutes.
std::vector<std::string> Positions() {
  std::vector<std::string> positions{"7k/PPPPPPPP/8/8/8/8/pppppppp/K7 w - - 0 1"};
  std::ifstream suite(std::string(MORVA_TEST_DATA) + "/perft.epd");
  for (std::string line; std::getline(suite, line);) {
    if (!line.empty() && line[0] != '#') positions.push_back(line.substr(0, line.find(" ;")));
  }
  return positions;
}

// How late each of `searches` answers under "go movetime N" comes, in milliseconds past N.
std::vector<long long> Lateness(int movetime, int searches) {
  const std::vector<std::string> positions = Positions();
  EngineProcess engine;
  engine.SendLine("uci");
  std::vector<long long> lateness;
  for (int i = 0; i < searches; ++i) {
    std::size_t before = engine.Output().size();
    engine.SendLine("position fen " + positions[i % positions.size()]);
    engine.SendLine("isready");
    if (!engine.ReadUntil("readyok", 30000, before)) break;
    before = engine.Output().size();
    const auto sent = std::chrono::steady_clock::now();
    engine.SendLine("go movetime " + std::to_string(movetime));
    if (!engine.ReadUntil("bestmove ", movetime + 30000, before)) break;
    const auto elapsed = std::chrono::steady_clock::now() - sent;
    lateness.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() - movetime);
  }
  return lateness;
}

TEST(MoveTime, EveryAnswerComesWithinItsMoveTime) {
  for (const auto& [movetime, searches] : {std::pair{100, 100}, std::pair{1000, 20}}) {
    SCOPED_TRACE(movetime);
    std::vector<long long> lateness = Lateness(movetime, searches);
    ASSERT_EQ(lateness.size(), static_cast<std::size_t>(searches));
    std::sort(lateness.begin(), lateness.end());
    std::cout << "movetime " << movetime << ": lateness (ms) min " << lateness.front() << ", median "
              << lateness[lateness.size() / 2] << ", max " << lateness.back() << "\n";
    EXPECT_LE(lateness.back(), LATENESS_LIMIT_MS);
  }
}

}  // namespace
