// The go command: the limits read from its line, the recent moves taken from the game text,
// and the search it starts.
#include "uci/go_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "board/fen.h"
#include "board/zobrist.h"
#include "movegen/generate.h"
#include "search/hash_table.h"
#include "board/move_text.h"

namespace {

int Square(const char* text) { return SquareFromText(text[0], text[1]); }

void ExpectLimits(const char* line, int depth, double wtime, double btime, double movetime, int infinite) {
  SCOPED_TRACE(line);
  const GoLimits limits = ParseGoLimits(line);
  EXPECT_EQ(limits.depth, depth);
  EXPECT_EQ(limits.wtime, wtime);
  EXPECT_EQ(limits.btime, btime);
  EXPECT_EQ(limits.movetime, movetime);
  EXPECT_EQ(limits.infinite, infinite);
}

void ExpectAbsent(const char* line) { ExpectLimits(line, -1, -1.0, -1.0, -1.0, 0); }

// The root moves in the order the search tried them.
std::string CurrentMoveLines(const std::string& output) {
  static const std::regex current_move("info currmove [^\n]*\n");
  std::string lines;
  for (std::sregex_iterator it(output.begin(), output.end(), current_move), end; it != end; ++it) lines += it->str();
  return lines;
}

TEST(GoLimits, ValuesAndUnits) {
  ExpectAbsent("go");
  ExpectLimits("go wtime 60000 btime 30500 movetime 5000 depth 6", 6, 60.0, 30.5, 5.0, 0);
  ExpectLimits("go depth 6 infinite", 6, -1.0, -1.0, -1.0, 1);
  // -1000 ms is the same as no value at all.
  ExpectLimits("go wtime -1000 btime -1000 movetime -1000", -1, -1.0, -1.0, -1.0, 0);
  ExpectLimits("go depth -1", -1, -1.0, -1.0, -1.0, 0);
  ExpectLimits("go depth 0", 0, -1.0, -1.0, -1.0, 0);
  // A node limit is counted in 64 bits; a negative one is no limit.
  EXPECT_EQ(ParseGoLimits("go depth 3 nodes 5000000000").nodes, 5000000000);
  EXPECT_EQ(ParseGoLimits("go nodes -5").nodes, -1);
  EXPECT_EQ(ParseGoLimits("go depth 3").nodes, -1);
}

TEST(GoLimits, IncrementsAndMovesToGoAreIgnored) {
  ExpectAbsent("go winc 2000 binc 3000 movestogo 40");
  ExpectLimits("go wtime 1000 winc 500 btime 2000 binc 500 movestogo 1", -1, 1.0, 2.0, -1.0, 0);
}

TEST(GoLimits, TokensAndTheirValues) {
  ExpectLimits("go depth 3 depth 8", 8, -1.0, -1.0, -1.0, 0);
  // A token taken as a value is not read as a keyword, even when it is one.
  ExpectLimits("go winc depth 5", -1, -1.0, -1.0, -1.0, 0);
  ExpectLimits("go depth infinite", 0, -1.0, -1.0, -1.0, 0);
  ExpectLimits("go movestogo wtime 100 movetime 250", -1, -1.0, -1.0, 0.25, 0);
  // A value keyword with nothing after it is ignored.
  ExpectAbsent("go depth");
  ExpectLimits("go infinite wtime", -1, -1.0, -1.0, -1.0, 1);
  ExpectLimits("go depth 4 movetime", 4, -1.0, -1.0, -1.0, 0);
  // Unknown words are skipped; the first word is never a keyword.
  ExpectLimits("go ponder depth 2 searchmoves e2e4", 2, -1.0, -1.0, -1.0, 0);
  ExpectAbsent("depth 7");
  ExpectAbsent("godepth 7");
}

TEST(GoLimits, NumbersAndSeparators) {
  // Digits up to the first other character; no digits count as 0.
  ExpectLimits("go depth 7abc wtime x", 7, 0.0, -1.0, -1.0, 0);
  ExpectLimits("go depth +4 movetime 1500.9", 4, -1.0, -1.0, 1.5, 0);
  // Runs of blanks separate; a tab does not.
  ExpectLimits("go   depth    9   ", 9, -1.0, -1.0, -1.0, 0);
  ExpectAbsent("go depth\t5");
  ExpectAbsent("go\tdepth 5");
  ExpectLimits("go infinite\t", -1, -1.0, -1.0, -1.0, 0);
  // A clock too large for 32 bits stays a large positive time.
  EXPECT_GT(ParseGoLimits("go wtime 99999999999999999999").wtime, 2000000.0);
  EXPECT_LT(ParseGoLimits("go btime -99999999999999999999").btime, -2000000.0);
}

void ExpectRecent(const RecentMoves& recent, const std::vector<std::string>& moves, int last_index) {
  for (int j = 0; j < 5; ++j) {
    SCOPED_TRACE("entry " + std::to_string(j));
    if (j < static_cast<int>(moves.size())) {
      EXPECT_EQ(recent.from_squares[j], Square(moves[j].c_str()));
      EXPECT_EQ(recent.to_squares[j], Square(moves[j].c_str() + 2));
    } else {
      EXPECT_EQ(recent.from_squares[j], j + 1);
      EXPECT_EQ(recent.to_squares[j], j + 1);
    }
  }
  EXPECT_EQ(recent.last_index, last_index);
}

TEST(RecentMoves, TheLastFourMovesOfTheGameText) {
  ExpectRecent(BuildRecentMoves(""), {}, 4);
  ExpectRecent(BuildRecentMoves("e2e4"), {"e2e4"}, 0);
  ExpectRecent(BuildRecentMoves("e2e4 e7e5"), {"e2e4", "e7e5"}, 1);
  ExpectRecent(BuildRecentMoves("b1c3 b8c6 c3b1 c6b8"), {"b1c3", "b8c6", "c3b1", "c6b8"}, 3);
  // Five moves are 24 characters: the 19-character window starts at the second.
  ExpectRecent(BuildRecentMoves("e2e4 e7e5 g1f3 b8c6 f1b5"), {"e7e5", "g1f3", "b8c6", "f1b5"}, 3);
}

TEST(RecentMoves, TheWindowIsAlignedFromTheEndOfTheText) {
  constexpr int NO_SQUARE = BAD_SQUARE_PART + 8 * BAD_SQUARE_PART;
  // A trailing blank or a promotion letter moves the window by one character, so that it reads
  // "7e5 1f3 ..." or "7b6 c6b7 ...": digit and letter pairs, which are no squares.
  for (const char* text : {"e2e4 e7e5 g1f3 b8c6 f1b5 ", "d5c6 b7b6 c6b7 a7a6 b7a8q"}) {
    const RecentMoves shifted = BuildRecentMoves(text);
    EXPECT_EQ(shifted.last_index, 3) << text;
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(shifted.from_squares[j], NO_SQUARE) << text << " entry " << j;
      EXPECT_EQ(shifted.to_squares[j], NO_SQUARE) << text << " entry " << j;
    }
  }
  // Characters past the end of a short text are no square.
  const RecentMoves cut = BuildRecentMoves("e2e4 e7");
  EXPECT_EQ(cut.last_index, 1);
  EXPECT_EQ(cut.from_squares[1], Square("e7"));
  EXPECT_EQ(cut.to_squares[1], NO_SQUARE);
  EXPECT_EQ(cut.from_squares[2], 3);
}

class GoCommandSearch : public testing::Test {
 protected:
  void SetUp() override {
    InitZobrist();
    SetHashSize(1);
    ReadFen(position, "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    ComputeKey(position);
  }
  std::string Go(const char* line, const char* moves_text = "") {
    testing::internal::CaptureStdout();
    GoCommand(line, position, moves_text, &nodes);
    return testing::internal::GetCapturedStdout();
  }
  Position position{};
  NodeCount nodes = 0;
};

TEST_F(GoCommandSearch, SearchesAndLeavesThePositionAsItWas) {
  AllocateHashTable();
  const Position before = position;
  const std::string out = Go("go depth 2");
  EXPECT_EQ(std::memcmp(&position, &before, sizeof position), 0);
  EXPECT_NE(out.find("\ninfo  nps "), std::string::npos);
  EXPECT_NE(out.find(" depth 2 score cp "), std::string::npos);
  EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;
  EXPECT_EQ(out.rfind("bestmove ", out.size() - 1), out.rfind('\n', out.size() - 2) + 1);
}

TEST_F(GoCommandSearch, EmptiesTheTableFirst) {
  AllocateHashTable();
  ClearHashTable();
  const std::string fresh = CurrentMoveLines(Go("go depth 1"));
  // A root entry left from before would bring its move to the front of the root list.
  MoveList list{};
  GenerateAllMoves(position, list);
  const int last = list.count - 1;
  char text[8];
  MoveToText(list.moves[last], text);
  ASSERT_NE(fresh.find("info currmove "), fresh.find(std::string("info currmove ") + text));
  StoreHashMove(list, last, position.hash_key, 0);
  EXPECT_EQ(CurrentMoveLines(Go("go depth 1")), fresh);
}

TEST_F(GoCommandSearch, AGoBeforeAnyTableMakesOne) {
  ReleaseHashTable();
  const std::string out = Go("go depth 1");
  EXPECT_TRUE(HashTableExists());
  EXPECT_EQ(HashEntryCount(), 65536u);
  EXPECT_NE(out.find("bestmove "), std::string::npos);
}

}  // namespace
