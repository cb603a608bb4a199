#include <cerrno>

#include <poll.h>

#include "io/output.h"

// A pipe whose reader has gone reports an error, a socket or terminal that has gone a hang-up;
// a file or a live reader reports neither.
bool OutputClosed() {
  pollfd fd{1, 0, 0};
  int ready = 0;
  do {
    ready = poll(&fd, 1, 0);
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && (fd.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
}
