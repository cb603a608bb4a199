// Lines that arrive while a search runs: read by the search itself every so many leaves.
#pragma once

constexpr int POLL_INTERVAL = 50000;

// Whether the end of input stops the search that is about to run (it does for "infinite",
// which would otherwise never end).
void SetStopOnInputEnd(bool stop);
// Counts one leaf visit and, every POLL_INTERVAL + 1 visits, reads a waiting line and acts on
// it: "quit" ends the process, "stop" sets the stop flag, "isready" is answered, anything else
// is dropped.
void PollInput(int* stop_flag);
