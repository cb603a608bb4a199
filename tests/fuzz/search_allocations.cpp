// Checks that a search allocates nothing: counts every heap call the engine's code makes while
// "go depth 8" runs from the start position, after "uci" has made the transposition table.
// The link wraps malloc and its relatives (see CMakeLists.txt), and operator new ends in malloc.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <fcntl.h>
#include <unistd.h>

#include "app/dispatch.h"
#include "board/zobrist.h"
#include "io/output.h"
#include "uci/position_command.h"
#include "io/platform.h"

namespace {

std::size_t heap_calls = 0;

Position position;
NodeCount node_count;
char moves_text[MOVES_TEXT_SIZE];

}  // namespace

extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* pointer, std::size_t size);
void* __real_aligned_alloc(std::size_t alignment, std::size_t size);
int __real_posix_memalign(void** pointer, std::size_t alignment, std::size_t size);

void* __wrap_malloc(std::size_t size) {
  ++heap_calls;
  return __real_malloc(size);
}
void* __wrap_calloc(std::size_t count, std::size_t size) {
  ++heap_calls;
  return __real_calloc(count, size);
}
void* __wrap_realloc(void* pointer, std::size_t size) {
  ++heap_calls;
  return __real_realloc(pointer, size);
}
void* __wrap_aligned_alloc(std::size_t alignment, std::size_t size) {
  ++heap_calls;
  return __real_aligned_alloc(alignment, size);
}
int __wrap_posix_memalign(void** pointer, std::size_t alignment, std::size_t size) {
  ++heap_calls;
  return __real_posix_memalign(pointer, alignment, size);
}
}

void* operator new(std::size_t size) {
  if (void* p = std::malloc(size > 0 ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* pointer) noexcept { std::free(pointer); }
void operator delete[](void* pointer) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { std::free(pointer); }

// The search reads no input here: nothing is ever waiting.
long ReadStandardInput(char*, std::size_t) { return 0; }
std::uint32_t PlatformInputAvailable() { return 0; }
void EndProcess(int status) { std::exit(status); }
bool OutputClosed() { return false; }

int main() {
  // The engine's replies go nowhere; the verdict goes to standard error.
  const int null_fd = open("/dev/null", O_WRONLY);
  const int output_fd = dup(1);
  if (null_fd >= 0) dup2(null_fd, 1);
  InitZobrist();
  DispatchCommand("uci", position, moves_text, &node_count);
  DispatchCommand("position startpos", position, moves_text, &node_count);
  const std::size_t before = heap_calls;
  DispatchCommand("go depth 8", position, moves_text, &node_count);
  const std::size_t during = heap_calls - before;
  std::fprintf(stderr, "heap calls: %zu before the search (the table among them), %zu during \"go depth 8\"\n",
               before, during);
  if (output_fd >= 0) close(output_fd);
  return during == 0 ? 0 : 1;
}
