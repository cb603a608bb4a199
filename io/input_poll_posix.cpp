#include <poll.h>

#include "io/input_poll.h"

std::uint32_t PlatformInputAvailable() {
  pollfd fd{0, POLLIN, 0};
  const int ready = poll(&fd, 1, 0);
  if (ready < 0) return 1;
  if (ready == 0) return 0;
  return (fd.revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) ? 1 : 0;
}
