#include <cerrno>

#include <poll.h>

#include "io/input_poll.h"

std::uint32_t PlatformInputAvailable() {
  pollfd fd{0, POLLIN, 0};
  int ready = 0;
  // An interrupted poll says nothing about the descriptor; reading on it could wait.
  do {
    ready = poll(&fd, 1, 0);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) return 1;
  if (ready == 0) return 0;
  return (fd.revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) ? 1 : 0;
}
