#include "search/input_events.h"

#include <cstring>

#include "search/clock.h"
#include "search/hash_table.h"
#include "io/line_reader.h"
#include "io/output.h"
#include "io/platform.h"

namespace {

int poll_counter = 0;
int limit_counter = 0;
// quiet_visits as last planned; the visits counted down since are not yet in the counters.
int planned_quiet_visits = 0;
int no_search_stop_flag = 0;
int* search_stop_flag = &no_search_stop_flag;
bool stop_on_input_end = false;
std::int64_t deadline = -1;
const NodeCount* node_counter = nullptr;
NodeCount node_budget = 0;
char search_line[MAX_LINE_LENGTH + 1];

void HandleWaitingLine() {
  // A failed read (end of input, an error, an endless line) ends the command loop after the
  // search; a search that would never end by itself stops here instead, and one whose answer
  // nobody is left to read ends the engine.
  if (!ReadLine(search_line)) {
    if (stop_on_input_end) *search_stop_flag = 1;
    else if (OutputClosed()) EndProcess(EXIT_OUTPUT_FAILED);
    return;
  }
  if (std::strcmp(search_line, "quit") == 0) {
    ReleaseHashTable();
    EndProcess(1);
  }
  if (std::strcmp(search_line, "stop") == 0) *search_stop_flag = 1;
  if (std::strcmp(search_line, "isready") == 0) WriteText("readyok \n\n");
}

bool Limited() { return deadline >= 0 || node_counter != nullptr; }

// Adds the visits that were only counted down to the counters.
void CatchUp() {
  const int visits = planned_quiet_visits - quiet_visits;
  poll_counter += visits;
  if (Limited()) limit_counter += visits;
  planned_quiet_visits = quiet_visits = 0;
}

// The visits before the next one that polls (its counter found above POLL_INTERVAL) or checks
// the limits (its counter reaching LIMIT_INTERVAL).
void PlanQuietVisits() {
  int visits = POLL_INTERVAL + 1 - poll_counter;
  if (Limited() && LIMIT_INTERVAL - 1 - limit_counter < visits) visits = LIMIT_INTERVAL - 1 - limit_counter;
  planned_quiet_visits = quiet_visits = visits > 0 ? visits : 0;
}

}  // namespace

int quiet_visits = 0;

void BeginSearchInput(int* stop_flag, bool stop_on_end, std::int64_t search_deadline) {
  CatchUp();
  search_stop_flag = stop_flag;
  stop_on_input_end = stop_on_end;
  deadline = search_deadline;
  PlanQuietVisits();
}

void EndSearchInput() {
  CatchUp();
  search_stop_flag = &no_search_stop_flag;
  stop_on_input_end = false;
  deadline = -1;
  node_counter = nullptr;
  PlanQuietVisits();
}

void LimitSearchNodes(const NodeCount* counter, NodeCount budget) {
  CatchUp();
  node_counter = counter;
  node_budget = budget;
  PlanQuietVisits();
}

void PollInputNow() {
  CatchUp();
  if (poll_counter > POLL_INTERVAL) {
    if (InputAvailable()) HandleWaitingLine();
    poll_counter = 0;
  }
  ++poll_counter;
  if (Limited() && ++limit_counter >= LIMIT_INTERVAL) {
    limit_counter = 0;
    const bool nodes_spent = node_counter != nullptr && *node_counter >= node_budget;
    if (nodes_spent || (deadline >= 0 && ElapsedMilliseconds() >= deadline)) *search_stop_flag = 1;
  }
  PlanQuietVisits();
}

bool SearchStopped() { return *search_stop_flag != 0; }
