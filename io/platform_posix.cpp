// Linux and the other POSIX systems.
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <poll.h>
#include <unistd.h>

#include "io/platform.h"

namespace {

// poll() on one descriptor without waiting; an interrupted call says nothing about it and is
// made again. The events that came, or -1 when the call itself failed.
int PollNow(int descriptor, short events) {
  pollfd fd{descriptor, events, 0};
  int ready = 0;
  do {
    ready = poll(&fd, 1, 0);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) return -1;
  return ready == 0 ? 0 : fd.revents;
}

}  // namespace

// POSIX streams pass bytes through unchanged already. A write to a pipe nobody reads must fail
// and end the engine with its own status, whatever disposition of SIGPIPE the parent left.
void PrepareStandardStreams() { std::signal(SIGPIPE, SIG_IGN); }

long ReadStandardInput(char* destination, std::size_t capacity) {
  for (;;) {
    const ssize_t got = read(0, destination, capacity);
    if (got < 0 && errno == EINTR) continue;
    // Standard input left non-blocking by whoever shares it: wait for bytes as a read would.
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd fd{0, POLLIN, 0};
      poll(&fd, 1, -1);
      continue;
    }
    return static_cast<long>(got);
  }
}

std::uint32_t PlatformInputAvailable() {
  // A failed poll is answered as input, so that the read that follows meets the error.
  const int events = PollNow(0, POLLIN);
  if (events < 0) return 1;
  return (events & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) ? 1 : 0;
}

// A pipe whose reader has gone reports an error, a socket or terminal that has gone a hang-up;
// a file or a live reader reports neither.
bool OutputClosed() {
  const int events = PollNow(1, 0);
  return events > 0 && (events & (POLLERR | POLLHUP | POLLNVAL)) != 0;
}

void EndProcess(int status) { std::exit(status); }
