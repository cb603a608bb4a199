#include "io/console_input.h"

#include <gtest/gtest.h>

namespace {

// A key press and its release are two events: that is the least that counts as typed input.
TEST(ConsoleEventsAsInput, FewerThanTwoEventsAreNoInput) {
  EXPECT_EQ(ConsoleEventsAsInput(0), 0u);
  EXPECT_EQ(ConsoleEventsAsInput(1), 0u);
}

TEST(ConsoleEventsAsInput, TwoOrMoreEventsAreReportedAsTheirCount) {
  EXPECT_EQ(ConsoleEventsAsInput(2), 2u);
  EXPECT_EQ(ConsoleEventsAsInput(3), 3u);
  EXPECT_EQ(ConsoleEventsAsInput(0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
