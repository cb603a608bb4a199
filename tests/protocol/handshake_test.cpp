// The command loop over pipes: the fixed replies byte for byte, the exits and their statuses.
#include <gtest/gtest.h>

#include "tests/protocol/engine_process.h"

namespace {

const char UCI_REPLY[] =
    "id name Morva_b2_5 Debug\n"
    "id author QuietRookPlayer42\n"
    "option name Hash type spin default 32 min 1 max 1024\n"
    "uciok \n";
const char UNKNOWN[] = "WARNING ! Unknown command\n";

TEST(Handshake, UciAndIsreadyRepliesAreExact) {
  const SessionResult r = RunSession("uci\nisready\nuci\n");
  EXPECT_EQ(r.output, std::string(UCI_REPLY) + "readyok \n\n" + UCI_REPLY);
  EXPECT_EQ(r.status, 0);
}

TEST(Handshake, UnrecognisedLinesAreWarnedAbout) {
  const SessionResult r = RunSession("\nuci \nIsready\nposition\ndebug\nquit \n");
  std::string expected;
  for (int i = 0; i < 6; ++i) expected += UNKNOWN;
  EXPECT_EQ(r.output, expected);
}

TEST(Handshake, CommandsWithNothingToDoAreSilent) {
  const SessionResult r = RunSession("ucinewgame\ndebug on\nponderhit\nstop\nsetoption name Threads value 4\n");
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(r.status, 0);
}

TEST(Handshake, QuitEndsWithStatusOneAndEndOfInputWithZero) {
  const SessionResult quit = RunSession("isready\nquit\nisready\n");
  EXPECT_EQ(quit.output, "readyok \n\n");
  EXPECT_EQ(quit.status, 1);
  EXPECT_EQ(RunSession("isready\n").status, 0);
  EXPECT_EQ(RunSession("").status, 0);
}

TEST(Handshake, LastLineWithoutLineFeedAndCarriageReturnsAreHandled) {
  EXPECT_EQ(RunSession("isready").output, "readyok \n\n");
  EXPECT_EQ(RunSession("isready\r\nuci\r\n").output, std::string("readyok \n\n") + UCI_REPLY);
  EXPECT_EQ(RunSession("quit\r\n").status, 1);
}

TEST(Handshake, HashSettingBeforeUciIsFatal) {
  const SessionResult r = RunSession("setoption name Hash value 64\nisready\n");
  EXPECT_EQ(r.output, "\xEE\xF1\xE2\xEE\xE1\xEE\xE6\xE4\xE0\xF2\xFC\x20\xED\xE5\xF7\xE5\xE3\xEE\x20\n");
  EXPECT_EQ(r.status, 1);
}

TEST(Handshake, HashSettingAfterUciIsSilent) {
  const SessionResult r = RunSession("uci\nsetoption name Hash value 64\nsetoption name Hash value 0\nisready\n");
  EXPECT_EQ(r.output, std::string(UCI_REPLY) + "readyok \n\n");
  EXPECT_EQ(r.status, 0);
}

TEST(Handshake, LinesUpToTheLimitAreReadAndLongerOnesEndTheLoop) {
  const std::string longest(65535, 'x');
  EXPECT_EQ(RunSession(longest + "\nisready\n").output, std::string(UNKNOWN) + "readyok \n\n");
  const SessionResult too_long = RunSession(std::string(65536, 'x') + "\nisready\n");
  EXPECT_EQ(too_long.output, "");
  EXPECT_EQ(too_long.status, 0);
}

}  // namespace
