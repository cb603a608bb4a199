// Lines that arrive while a search runs: read by the search itself every so many nodes.
#pragma once

#include <cstdint>

#include "search/records.h"

constexpr int POLL_INTERVAL = 50000;
// A search with a deadline or a node limit checks it every LIMIT_INTERVAL visits: the input's
// interval is several milliseconds of search, too coarse for the few milliseconds a fast clock
// allows.
constexpr int LIMIT_INTERVAL = 1000;

// Starts listening for the search about to run. The end of input stops it only when
// stop_on_input_end is set ("go infinite", which would otherwise never end); otherwise it ends
// the engine when nobody is left to read the answer. A search with a deadline (milliseconds of
// the program clock, -1 for none) stops when a check finds it passed.
void BeginSearchInput(int* stop_flag, bool stop_on_input_end, std::int64_t deadline);
void EndSearchInput();
// From now until EndSearchInput, the search stops when a check finds *counter at budget or more.
void LimitSearchNodes(const NodeCount* counter, NodeCount budget);
// Visits to come that need nothing but counting: before the next input poll and the next look
// at the clock. Counted down inline, so that a visit between them costs one decrement.
extern int quiet_visits;
// A visit that is due to poll the input or to read the clock.
void PollInputNow();

// Counts one visit of a horizon or capture-search node and, every POLL_INTERVAL + 1 visits,
// reads a waiting line and acts on it: "quit" ends the process, "stop" sets the stop flag,
// "isready" is answered, anything else is dropped. Every LIMIT_INTERVAL visits it sets the
// stop flag once the deadline has passed or the node budget is spent.
inline void PollInput() {
  if (quiet_visits > 0) {
    --quiet_visits;
    return;
  }
  PollInputNow();
}
// True once "stop" (or the end of input under "go infinite") has arrived.
bool SearchStopped();
