// "go" over pipes: limits, the answer, and the lines that arrive while the search runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iostream>
#include <regex>
#include <vector>

#include "tests/protocol/engine_process.h"

namespace {

using Clock = std::chrono::steady_clock;

// A position whose side to move is mated: every iteration is instant.
const char MATED[] = "position fen R5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1\n";

int IterationLines(const std::string& output) {
  static const std::regex iteration("\ninfo  nps [0-9]+ depth [0-9]+ score");
  return static_cast<int>(std::distance(std::sregex_iterator(output.begin(), output.end(), iteration),
                                        std::sregex_iterator()));
}

std::string LastLineStartingWith(const std::string& output, const std::string& prefix) {
  std::size_t at = output.rfind("\n" + prefix);
  if (at == std::string::npos) return "";
  return output.substr(at + 1, output.find('\n', at + 1) - at - 1);
}

TEST(Go, DepthZeroRunsNoIterationAndNamesA1A1) {
  const SessionResult r = RunSession("uci\nposition startpos\ngo depth 0\n");
  EXPECT_EQ(IterationLines(r.output), 0);
  EXPECT_NE(r.output.find("uciok \nbestmove a1a1\n"), std::string::npos) << r.output;
}

TEST(Go, PlainGoRunsOneIteration) {
  const SessionResult r = RunSession("uci\nposition startpos\ngo\n");
  EXPECT_EQ(IterationLines(r.output), 1);
  EXPECT_NE(r.output.find("\nbestmove d2d4\n"), std::string::npos);
}

TEST(Go, IterationsStopAtFiftyAndAClockSetsTwenty) {
  EXPECT_EQ(IterationLines(RunSession(std::string("uci\n") + MATED + "go depth 70\n").output), 50);
  EXPECT_EQ(IterationLines(RunSession(std::string("uci\n") + MATED + "go infinite\n").output), 50);
  EXPECT_EQ(IterationLines(RunSession(std::string("uci\n") + MATED + "go depth 5 btime 60000\n").output), 20);
}

// A position where iteration 2 alone would run for minutes, so only the hard limits can end a
// search early.
const char STRETCHED[] = "7k/PPPPPPPP/8/8/8/8/pppppppp/K7 w - - 0 1";

// Milliseconds from the go line to "bestmove", -1 when none came. The clock starts once the
// engine has answered isready: a slow start (wine on a loaded machine) is not the search's time.
long long MillisecondsToAnswer(const std::string& go, const std::string& fen = STRETCHED) {
  EngineProcess engine;
  engine.SendLine("uci");
  engine.SendLine("position fen " + fen);
  engine.SendLine("isready");
  if (!engine.ReadUntil("readyok", 30000)) return -1;
  const auto sent = Clock::now();
  engine.SendLine(go);
  if (!engine.ReadUntil("bestmove ", 5000)) return -1;
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
}

TEST(Go, HardLimitsEndSearchesThatOneIterationWouldStretch) {
  // A clock of one second allows 100 ms; a move time of 50 ms is kept (the move-time test
  // measures by how much).
  for (const char* go : {"go wtime 1000 btime 1000 winc 0 binc 0", "go movetime 50"}) {
    SCOPED_TRACE(go);
    const long long ms = MillisecondsToAnswer(go);
    EXPECT_GE(ms, 0);
    EXPECT_LT(ms, 1000);
  }
}

// "go nodes N" stops once N nodes have been counted over all iterations, and says how many it
// counted. The count is checked every 1,000 leaf visits, and the unwinding after the stop still
// makes (and counts) the moves left at each level, with searches that return at once.
TEST(Go, NodeLimitEndsTheSearchWithinOneCheckOfItsNodes) {
  constexpr long long CHECK_SLACK = 2000;
  const std::string start_moves =
      " a2a3 a2a4 b2b3 b2b4 c2c3 c2c4 d2d3 d2d4 e2e3 e2e4 f2f3 f2f4 g2g3 g2g4 h2h3 h2h4 b1a3 b1c3 g1f3 g1h3 ";
  for (const long long limit : {1LL, 20000LL, 300000LL}) {
    SCOPED_TRACE(limit);
    const SessionResult r = RunSession("uci\nposition startpos\ngo nodes " + std::to_string(limit) + "\n");
    const std::string total = LastLineStartingWith(r.output, "info nodes ");
    ASSERT_NE(total, "") << r.output;
    const long long nodes = std::stoll(total.substr(11));
    EXPECT_GE(nodes, limit);
    EXPECT_LE(nodes, limit + CHECK_SLACK);
    // Answered like a stopped search: the move of the last iteration reported, a legal one.
    const std::string answer = LastLineStartingWith(r.output, "bestmove ").substr(9);
    const std::string last_iteration = LastLineStartingWith(r.output, "info  nps ");
    EXPECT_EQ(last_iteration.substr(last_iteration.find(" pv ") + 4, 4), answer);
    EXPECT_NE(start_moves.find(" " + answer + " "), std::string::npos) << answer;
  }
  // The first limit reached ends the search: here the depth, long before the nodes.
  const SessionResult shallow = RunSession("uci\nposition startpos\ngo depth 3 nodes 1000000\n");
  EXPECT_EQ(IterationLines(shallow.output), 3);
  EXPECT_EQ(LastLineStartingWith(shallow.output, "info nodes "), "info nodes 802");
}

// "go movetime N" answers within N ms of its go line, apart from the time the answer takes to
// arrive, from every position of the perft suite. The test has the machine to itself (see
// tests/CMakeLists.txt): on a busy machine a late answer may be the scheduler's.
TEST(MoveTime, EveryAnswerComesWithinItsMoveTime) {
  std::vector<std::string> positions{STRETCHED};
  std::ifstream suite(std::string(MORVA_TEST_DATA) + "/perft.epd");
  for (std::string line; std::getline(suite, line);) {
    if (!line.empty() && line[0] != '#') positions.push_back(line.substr(0, line.find(" ;")));
  }
  for (const auto& [movetime, searches] : {std::pair{100, 100}, std::pair{1000, 20}}) {
    std::vector<long long> late;
    for (int i = 0; i < searches; ++i) {
      const std::string go = "go movetime " + std::to_string(movetime);
      late.push_back(MillisecondsToAnswer(go, positions[i % positions.size()]) - movetime);
    }
    std::sort(late.begin(), late.end());
    std::cout << "movetime " << movetime << ": ms late, min " << late.front() << ", median "
              << late[late.size() / 2] << ", max " << late.back() << "\n";
    EXPECT_GE(late.front(), -movetime) << "a search gave no answer";
    EXPECT_LE(late.back(), 30);
  }
}

TEST(Go, AnyLineStartingWithGoSearches) {
  const SessionResult r = RunSession("uci\nposition startpos\ngodepth\n");
  EXPECT_EQ(IterationLines(r.output), 1);
}

TEST(Go, PipedSearchRunsToItsDepthBeforeTheEngineExits) {
  const SessionResult r = RunSession("uci\nposition startpos\ngo depth 7\n", 120000);
  EXPECT_EQ(IterationLines(r.output), 7);
  EXPECT_NE(LastLineStartingWith(r.output, "bestmove "), "");
  EXPECT_EQ(r.status, 0);
}

TEST(Go, StopEndsAnInfiniteSearchWithTheLastCompleteIterationsMove) {
  EngineProcess engine;
  engine.SendLine("uci");
  engine.SendLine("position startpos moves e2e4 e7e5");
  engine.SendLine("go infinite");
  ASSERT_TRUE(engine.ReadUntil(" depth 5 score", 60000));
  const auto sent = Clock::now();
  engine.SendLine("stop");
  ASSERT_TRUE(engine.ReadUntil("bestmove ", 10000));
  const auto latency = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
  engine.ReadUntil("\n", 1000, engine.Output().find("bestmove "));
  EXPECT_LT(latency, 2000);

  const std::string& out = engine.Output();
  const std::string last_iteration = LastLineStartingWith(out.substr(0, out.find("bestmove ")), "info  nps ");
  const std::string first_pv_move = last_iteration.substr(last_iteration.find(" pv ") + 4, 4);
  EXPECT_EQ(LastLineStartingWith(out, "bestmove "), "bestmove " + first_pv_move) << out;
  engine.CloseInput();
  EXPECT_EQ(engine.WaitExit(5000), 0);
}

TEST(Go, GoAndStopInOneWriteStillStop) {
  EngineProcess engine;
  engine.Send("uci\nposition startpos\ngo infinite\nstop\n");
  EXPECT_TRUE(engine.ReadUntil("bestmove ", 10000));
  engine.SendLine("quit");
  EXPECT_EQ(engine.WaitExit(5000), 1);
}

TEST(Go, QuitDuringASearchEndsWithoutAnAnswer) {
  EngineProcess engine;
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  engine.SendLine("go infinite");
  ASSERT_TRUE(engine.ReadUntil(" depth 4 score", 60000));
  engine.SendLine("quit");
  EXPECT_EQ(engine.WaitExit(10000), 1);
  EXPECT_EQ(engine.Output().find("bestmove"), std::string::npos);
}

TEST(Go, IsreadyDuringASearchIsAnsweredAndTheSearchGoesOn) {
  EngineProcess engine;
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  engine.SendLine("go infinite");
  ASSERT_TRUE(engine.ReadUntil(" depth 4 score", 60000));
  const std::size_t before = engine.Output().size();
  engine.SendLine("isready");
  ASSERT_TRUE(engine.ReadUntil("readyok \n\n", 10000, before));
  EXPECT_EQ(engine.Output().find("bestmove"), std::string::npos);
  engine.SendLine("stop");
  EXPECT_TRUE(engine.ReadUntil("bestmove ", 10000));
}

TEST(Go, EndOfInputDuringAnInfiniteSearchStopsItAndEndsWithZero) {
  EngineProcess engine;
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  engine.SendLine("go infinite");
  ASSERT_TRUE(engine.ReadUntil(" depth 4 score", 60000));
  engine.CloseInput();
  EXPECT_EQ(engine.WaitExit(10000), 0);
  EXPECT_NE(engine.Output().find("bestmove "), std::string::npos);
}

TEST(Go, TheSameCommandsGiveTheSameLines) {
  const std::string session = "uci\nposition startpos moves d2d4 d7d5\ngo depth 5\nposition startpos\ngo depth 4\n";
  EXPECT_EQ(MaskRates(RunSession(session).output), MaskRates(RunSession(session).output));
}

}  // namespace
