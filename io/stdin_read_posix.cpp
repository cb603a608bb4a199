#include <cerrno>

#include <poll.h>
#include <unistd.h>

#include "io/stdin_read.h"

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
