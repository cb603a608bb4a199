// A line that arrives in pieces during a search: the search goes on while the line is
// unfinished, and the line is acted on once its line feed arrives.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/protocol/engine_process.h"

namespace {

// A move time is kept: the answer comes within it.
constexpr int MOVETIME_MS = 100;
// Long enough for several polls of the search to have seen the partial line.
constexpr int PIECE_GAP_MS = 300;
// A running search writes an "info" line at least this often from depth 4 on.
constexpr int PROGRESS_MS = 10000;

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

void Pause(EngineProcess& engine, int ms) { engine.ReadUntil("\x01never\x01", ms, engine.Output().size()); }

// Sends the first piece of a line, waits, and checks that the search is still writing.
void SendPieceAndExpectProgress(EngineProcess& engine, const std::string& piece) {
  engine.Send(piece);
  Pause(engine, PIECE_GAP_MS);
  const std::size_t before = engine.Output().size();
  EXPECT_TRUE(engine.ReadUntil("info ", PROGRESS_MS, before)) << "the search stalled on \"" << piece << "\"";
}

void StartInfiniteSearch(EngineProcess& engine) {
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  engine.SendLine("go infinite");
  ASSERT_TRUE(engine.ReadUntil(" depth 4 score", 60000));
}

TEST(PartialLine, TimedSearchEndsWhileALineIsUnfinishedAndTheLineIsAnsweredAfter) {
  EngineProcess engine;
  engine.SendLine("uci");
  engine.SendLine("position startpos");
  ASSERT_TRUE(engine.ReadUntil("uciok \n", 30000));
  const auto go = Clock::now();
  engine.SendLine("go movetime " + std::to_string(MOVETIME_MS));
  Pause(engine, 50);
  engine.Send("isre");
  ASSERT_TRUE(engine.ReadUntil("bestmove ", MOVETIME_MS + LATENCY_LIMIT_MS)) << engine.Output();
  EXPECT_LT(MillisecondsSince(go), MOVETIME_MS + LATENCY_LIMIT_MS);
  const std::size_t answer = engine.Output().find("bestmove ");
  engine.Send("ady\n");
  EXPECT_TRUE(engine.ReadUntil("readyok \n\n", 30000, answer)) << engine.Output().substr(answer);
  engine.SendLine("quit");
  EXPECT_EQ(engine.WaitExit(30000), 1);
}

TEST(PartialLine, IsreadyAndStopInPiecesAreActedOnOnceWhole) {
  EngineProcess engine;
  ASSERT_NO_FATAL_FAILURE(StartInfiniteSearch(engine));
  SendPieceAndExpectProgress(engine, "isre");
  std::size_t from = engine.Output().size();
  auto sent = Clock::now();
  engine.Send("ady\n");
  EXPECT_TRUE(engine.ReadUntil("readyok \n\n", 30000, from));
  EXPECT_LT(MillisecondsSince(sent), LATENCY_LIMIT_MS);
  EXPECT_EQ(engine.Output().find("bestmove"), std::string::npos);

  SendPieceAndExpectProgress(engine, "st");
  from = engine.Output().size();
  sent = Clock::now();
  engine.Send("op\n");
  EXPECT_TRUE(engine.ReadUntil("bestmove ", 30000, from));
  EXPECT_LT(MillisecondsSince(sent), LATENCY_LIMIT_MS);
  engine.CloseInput();
  EXPECT_EQ(engine.WaitExit(30000), 0);
}

TEST(PartialLine, QuitInPiecesEndsTheProcessWithoutAnAnswer) {
  EngineProcess engine;
  ASSERT_NO_FATAL_FAILURE(StartInfiniteSearch(engine));
  SendPieceAndExpectProgress(engine, "qu");
  const auto sent = Clock::now();
  engine.Send("it\n");
  EXPECT_EQ(engine.WaitExit(30000), 1);
  EXPECT_LT(MillisecondsSince(sent), LATENCY_LIMIT_MS);
  EXPECT_EQ(engine.Output().find("bestmove"), std::string::npos);
}

// The last line is handled even without its line feed: here it stops the search it arrived in.
TEST(PartialLine, EndOfInputAfterAnUnfinishedStopStopsTheSearch) {
  EngineProcess engine;
  ASSERT_NO_FATAL_FAILURE(StartInfiniteSearch(engine));
  SendPieceAndExpectProgress(engine, "stop");
  engine.CloseInput();
  EXPECT_EQ(engine.WaitExit(30000), 0);
  EXPECT_NE(engine.Output().find("bestmove "), std::string::npos);
}

}  // namespace
