#include <cerrno>

#include <unistd.h>

#include "io/stdin_read.h"

long ReadStandardInput(char* destination, std::size_t capacity) {
  for (;;) {
    const ssize_t got = read(0, destination, capacity);
    if (got < 0 && errno == EINTR) continue;
    return static_cast<long>(got);
  }
}
