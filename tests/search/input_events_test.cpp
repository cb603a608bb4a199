// A search's deadline is read far more often than its input: a fast clock leaves a few
// milliseconds a move, less than one interval of input polling.
#include <gtest/gtest.h>

#include "search/clock.h"
#include "search/input_events.h"

namespace {

TEST(SearchInput, PassedDeadlineStopsTheSearchWithinOneDeadlineInterval) {
  int stop = 0;
  BeginSearchInput(&stop, false, 0);
  for (int i = 0; i < DEADLINE_INTERVAL && stop == 0; ++i) PollInput();
  EXPECT_EQ(stop, 1);
  EndSearchInput();

  // The clock is read again exactly DEADLINE_INTERVAL visits after the read that stopped.
  stop = 0;
  BeginSearchInput(&stop, false, 0);
  int visits = 0;
  while (stop == 0 && visits < 2 * DEADLINE_INTERVAL) {
    PollInput();
    ++visits;
  }
  EXPECT_EQ(visits, DEADLINE_INTERVAL);
  EndSearchInput();

  // Without a deadline, or before it, the visits alone stop nothing.
  for (const std::int64_t deadline : {std::int64_t{-1}, ElapsedMilliseconds() + 60000}) {
    stop = 0;
    BeginSearchInput(&stop, false, deadline);
    for (int i = 0; i < 3 * DEADLINE_INTERVAL; ++i) PollInput();
    EXPECT_EQ(stop, 0);
    EndSearchInput();
  }
}

}  // namespace
