#include "search/input_events.h"

#include <cstring>

#include "app/process_exit.h"
#include "search/hash_table.h"
#include "uci/input_poll.h"
#include "uci/line_reader.h"
#include "uci/output.h"

namespace {

int poll_counter = 0;
bool stop_on_input_end = false;
char search_line[MAX_LINE_LENGTH + 1];

void HandleWaitingLine(int* stop_flag) {
  // A failed read (end of input, an error, an endless line) ends the command loop after the
  // search; a search that would never end by itself stops here instead.
  if (!ReadLine(search_line)) {
    if (stop_on_input_end) *stop_flag = 1;
    return;
  }
  if (std::strcmp(search_line, "quit") == 0) {
    ReleaseHashTable();
    EndProcess(1);
  }
  if (std::strcmp(search_line, "stop") == 0) *stop_flag = 1;
  if (std::strcmp(search_line, "isready") == 0) WriteText("readyok \n\n");
}

}  // namespace

void SetStopOnInputEnd(bool stop) { stop_on_input_end = stop; }

void PollInput(int* stop_flag) {
  if (poll_counter > POLL_INTERVAL) {
    if (InputAvailable()) HandleWaitingLine(stop_flag);
    poll_counter = 0;
  }
  ++poll_counter;
}
