#include "io/input_queue_windows.h"

#include <cstdio>
#include <cstring>

#include "io/input_source_windows.h"

namespace {

// The queue is a ring; the thread waits for room when it is full, so that nothing is lost
// however far ahead an interface writes.
constexpr std::size_t QUEUE_CAPACITY = 65536;
constexpr DWORD READ_CHUNK = 4096;
// The thread only copies bytes: a small stack, not the engine's large default.
constexpr SIZE_T THREAD_STACK = 64 * 1024;

char queue[QUEUE_CAPACITY];
std::size_t queue_start = 0;
std::size_t queue_count = 0;
// Set once the thread's reads are over; over_result is then what a read returns when the queue
// is empty: 0 for the end of input, -1 for a read error.
bool input_over = false;
long over_result = 0;

bool started = false;
CRITICAL_SECTION lock;
CONDITION_VARIABLE queue_changed;

void Append(const char* bytes, std::size_t count) {
  EnterCriticalSection(&lock);
  while (count > 0) {
    while (queue_count == QUEUE_CAPACITY) SleepConditionVariableCS(&queue_changed, &lock, INFINITE);
    const std::size_t end = (queue_start + queue_count) % QUEUE_CAPACITY;
    std::size_t run = QUEUE_CAPACITY - queue_count;
    if (run > QUEUE_CAPACITY - end) run = QUEUE_CAPACITY - end;
    if (run > count) run = count;
    std::memcpy(queue + end, bytes, run);
    queue_count += run;
    bytes += run;
    count -= run;
    WakeAllConditionVariable(&queue_changed);
  }
  LeaveCriticalSection(&lock);
}

void Finish(long result) {
  EnterCriticalSection(&lock);
  input_over = true;
  over_result = result;
  WakeAllConditionVariable(&queue_changed);
  LeaveCriticalSection(&lock);
}

long ReadUntilTheInputIsOver(HANDLE input) {
  char chunk[READ_CHUNK];
  for (;;) {
    DWORD got = 0;
    // The writer of a pipe closing its end is the end of input, not an error.
    if (!ReadFile(input, chunk, READ_CHUNK, &got, nullptr)) return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    if (got == 0) return 0;
    Append(chunk, got);
  }
}

DWORD WINAPI ReadAhead(void*) {
  Finish(ReadUntilTheInputIsOver(StandardInputHandle()));
  // The thread stays until the process ends rather than ending itself: the engine usually exits
  // straight after the end of input, and under wine a thread that ends while the process is
  // ending can get the whole process killed (status 137) instead of exiting with its status.
  for (;;) Sleep(INFINITE);
}

void Start() {
  started = true;
  InitializeCriticalSection(&lock);
  InitializeConditionVariable(&queue_changed);
  if (CreateThread(nullptr, THREAD_STACK, ReadAhead, nullptr, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr) == nullptr) {
    std::fprintf(stderr, "morva: cannot start the thread that reads standard input (Windows error %lu)\n",
                 GetLastError());
    Finish(-1);
  }
}

}  // namespace

long TakeQueuedInput(char* destination, std::size_t capacity) {
  if (!started) Start();
  EnterCriticalSection(&lock);
  while (queue_count == 0 && !input_over) SleepConditionVariableCS(&queue_changed, &lock, INFINITE);
  long result = over_result;
  if (queue_count > 0) {
    std::size_t taken = queue_count < capacity ? queue_count : capacity;
    if (taken > QUEUE_CAPACITY - queue_start) taken = QUEUE_CAPACITY - queue_start;
    std::memcpy(destination, queue + queue_start, taken);
    queue_start = (queue_start + taken) % QUEUE_CAPACITY;
    queue_count -= taken;
    WakeAllConditionVariable(&queue_changed);
    result = static_cast<long>(taken);
  }
  LeaveCriticalSection(&lock);
  return result;
}

std::uint32_t QueuedInputAvailable() {
  if (!started) Start();
  EnterCriticalSection(&lock);
  std::uint32_t available = 0;
  if (queue_count > 0) {
    available = static_cast<std::uint32_t>(queue_count);
  } else if (input_over) {
    available = 1;
  }
  LeaveCriticalSection(&lock);
  return available;
}
