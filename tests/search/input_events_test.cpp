// A search's deadline is read far more often than its input: a fast clock leaves a few
// milliseconds a move, less than one interval of input polling.
#include <gtest/gtest.h>

#include "search/clock.h"
#include "search/input_events.h"

namespace {

TEST(SearchInput, PassedDeadlineStopsTheSearchWithinOneDeadlineInterval) {
  int stop = 0;
  BeginSearchInput(&stop, false, 0);
  for (int i = 0; i < LIMIT_INTERVAL && stop == 0; ++i) PollInput();
  EXPECT_EQ(stop, 1);
  EndSearchInput();

  // The clock is read again exactly LIMIT_INTERVAL visits after the read that stopped.
  stop = 0;
  BeginSearchInput(&stop, false, 0);
  int visits = 0;
  while (stop == 0 && visits < 2 * LIMIT_INTERVAL) {
    PollInput();
    ++visits;
  }
  EXPECT_EQ(visits, LIMIT_INTERVAL);
  EndSearchInput();

  // Without a deadline, or before it, the visits alone stop nothing.
  for (const std::int64_t deadline : {std::int64_t{-1}, ElapsedMilliseconds() + 60000}) {
    stop = 0;
    BeginSearchInput(&stop, false, deadline);
    for (int i = 0; i < 3 * LIMIT_INTERVAL; ++i) PollInput();
    EXPECT_EQ(stop, 0);
    EndSearchInput();
  }
}

// A node budget is checked at the same visits as a deadline, and ends with its search.
TEST(SearchInput, SpentNodeBudgetStopsTheSearchWithinOneLimitInterval) {
  int stop = 0;
  NodeCount nodes = 0;
  BeginSearchInput(&stop, false, -1);
  LimitSearchNodes(&nodes, 500);
  while (stop == 0 && nodes < 3 * LIMIT_INTERVAL) {
    ++nodes;
    PollInput();
  }
  EXPECT_EQ(stop, 1);
  EXPECT_GE(nodes, 500);
  EXPECT_LE(nodes, 500 + LIMIT_INTERVAL);
  EndSearchInput();

  stop = 0;
  BeginSearchInput(&stop, false, -1);
  for (int i = 0; i < 3 * LIMIT_INTERVAL; ++i) {
    ++nodes;
    PollInput();
  }
  EXPECT_EQ(stop, 0);
  EndSearchInput();
}

}  // namespace
