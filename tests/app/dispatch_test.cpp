// The Hash value read from a setoption line, and what setting it does to the table.
#include "app/dispatch.h"

#include <gtest/gtest.h>

#include <climits>

#include "board/fen.h"
#include "search/hash_table.h"

namespace {

TEST(ParseHashValue, TheNumberAfterHashValue) {
  EXPECT_EQ(ParseHashValue("setoption name Hash value 64"), 64);
  EXPECT_EQ(ParseHashValue("setoption name Hash value 0"), 0);
  EXPECT_EQ(ParseHashValue("setoption name Hash value  12"), 12);
  EXPECT_EQ(ParseHashValue("setoption name Hash value 16MB"), 16);
  // Anywhere in the line.
  EXPECT_EQ(ParseHashValue("setoption Hash value 7 name Threads"), 7);
  // No digits count as 0.
  EXPECT_EQ(ParseHashValue("setoption name Hash value abc"), 0);
  EXPECT_EQ(ParseHashValue("setoption name Hash value "), 0);
  // Numbers beyond the int range are held at its ends.
  EXPECT_EQ(ParseHashValue("setoption name Hash value 99999999999999"), INT_MAX);
  EXPECT_EQ(ParseHashValue("setoption name Hash value -99999999999999"), INT_MIN);
}

TEST(ParseHashValue, AbsentGivesMinusOne) {
  EXPECT_EQ(ParseHashValue("setoption name Threads value 4"), -1);
  EXPECT_EQ(ParseHashValue("setoption name Hash value"), -1);
  EXPECT_EQ(ParseHashValue("setoption name hash value 8"), -1);
  EXPECT_EQ(ParseHashValue("setoption name Hash  value 8"), -1);
  EXPECT_EQ(ParseHashValue(""), -1);
  // An explicit -1 reads the same as no value, and is ignored like one.
  EXPECT_EQ(ParseHashValue("setoption name Hash value -1"), -1);
}

TEST(SetOption, HashResizesTheTableWithinItsRange) {
  Position position{};
  ReadFen(position, "fen 4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  NodeCount nodes = 0;
  char moves_text[8] = "";
  SetHashSize(1);
  AllocateHashTable();
  auto set = [&](const char* line) {
    testing::internal::CaptureStdout();
    DispatchCommand(line, position, moves_text, &nodes);
    return testing::internal::GetCapturedStdout();
  };
  EXPECT_EQ(set("setoption name Hash value 3"), "");
  EXPECT_EQ(HashEntryCount(), 131072u);
  EXPECT_EQ(set("setoption name Hash value -1"), "");
  EXPECT_EQ(HashEntryCount(), 131072u);
  EXPECT_EQ(set("setoption name Hash value -7"), "");
  EXPECT_EQ(hash_size_mb, 0);
  EXPECT_EQ(HashEntryCount(), 1u);
  EXPECT_EQ(set("setoption name Threads value 2"), "");
  EXPECT_EQ(HashEntryCount(), 1u);
  EXPECT_EQ(set("setoption name Hash value 1"), "");
  EXPECT_EQ(HashEntryCount(), 65536u);
}

}  // namespace
