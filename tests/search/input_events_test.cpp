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

// A node budget is checked at the deadline's visits, and ends with its search.
TEST(SearchInput, SpentNodeBudgetStopsOnlyItsOwnSearch) {
  NodeCount nodes = 0;
  for (const bool limited : {true, false}) {
    int stop = 0;
    BeginSearchInput(&stop, false, -1);
    if (limited) LimitSearchNodes(&nodes, 500);
    for (int i = 0; i < LIMIT_INTERVAL + 500 && stop == 0; ++i, ++nodes) PollInput();
    EXPECT_EQ(stop, limited ? 1 : 0);
    EndSearchInput();
  }
}

}  // namespace
