#include "search/input_events.h"

#include <cstring>

#include "io/process_exit.h"
#include "search/clock.h"
#include "search/hash_table.h"
#include "io/input_poll.h"
#include "io/line_reader.h"
#include "io/output.h"

namespace {

int poll_counter = 0;
int deadline_counter = 0;
int no_search_stop_flag = 0;
int* search_stop_flag = &no_search_stop_flag;
bool stop_on_input_end = false;
std::int64_t deadline = -1;
char search_line[MAX_LINE_LENGTH + 1];

void HandleWaitingLine() {
  // A failed read (end of input, an error, an endless line) ends the command loop after the
  // search; a search that would never end by itself stops here instead.
  if (!ReadLine(search_line)) {
    if (stop_on_input_end) *search_stop_flag = 1;
    return;
  }
  if (std::strcmp(search_line, "quit") == 0) {
    ReleaseHashTable();
    EndProcess(1);
  }
  if (std::strcmp(search_line, "stop") == 0) *search_stop_flag = 1;
  if (std::strcmp(search_line, "isready") == 0) WriteText("readyok \n\n");
}

}  // namespace

void BeginSearchInput(int* stop_flag, bool stop_on_end, std::int64_t search_deadline) {
  search_stop_flag = stop_flag;
  stop_on_input_end = stop_on_end;
  deadline = search_deadline;
}

void EndSearchInput() {
  search_stop_flag = &no_search_stop_flag;
  stop_on_input_end = false;
  deadline = -1;
}

void PollInput() {
  if (poll_counter > POLL_INTERVAL) {
    if (InputAvailable()) HandleWaitingLine();
    poll_counter = 0;
  }
  ++poll_counter;
  if (deadline >= 0 && ++deadline_counter >= DEADLINE_INTERVAL) {
    deadline_counter = 0;
    if (ElapsedMilliseconds() >= deadline) *search_stop_flag = 1;
  }
}

bool SearchStopped() { return *search_stop_flag != 0; }
