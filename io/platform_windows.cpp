// Windows, built with mingw-w64 (and run under wine by the tests).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <winternl.h>

#include "io/platform.h"

namespace {

// Whether standard input is a console or a pipe (or file), decided on the first question and
// kept for the rest of the run.
bool input_examined = false;
bool input_is_console = false;
HANDLE input_handle = nullptr;

void ExamineInput() {
  input_examined = true;
  input_handle = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  input_is_console = GetConsoleMode(input_handle, &mode) != 0;
}

HANDLE StandardInputHandle() {
  if (!input_examined) ExamineInput();
  return input_handle;
}

bool StandardInputIsConsole() {
  if (!input_examined) ExamineInput();
  return input_is_console;
}

// Standard input from a pipe or a file, read ahead by a thread of its own into a queue.
//
// Whether a pipe holds bytes cannot always be asked without reading: wine, for one, answers
// PeekNamedPipe on a Linux pipe with "not supported". The thread waits in the reads instead,
// so the engine's own thread learns what is waiting from the queue and never waits in a read
// while it searches. The thread starts with the first question or read.
//
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

// Takes up to capacity queued bytes, waiting until at least one is there. Returns the count, 0
// once the input has ended and the queue is empty, or a negative value after a read error.
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

// The number of queued bytes; 1 when none is left and the input has ended or failed, so that
// the read that follows reports it; 0 while the thread is still waiting.
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

bool console_prepared = false;

// Window-size and mouse events would otherwise be counted as pending input. Done once, at the
// first question.
void PrepareConsole(HANDLE console) {
  console_prepared = true;
  DWORD mode = 0;
  GetConsoleMode(console, &mode);
  SetConsoleMode(console, mode & ~static_cast<DWORD>(ENABLE_WINDOW_INPUT | ENABLE_MOUSE_INPUT));
  FlushConsoleInputBuffer(console);
}

// Console reads fail outright on some Windows versions when asked for a very large buffer;
// the line reader asks again for what did not fit.
constexpr std::size_t MAX_CONSOLE_READ = 32768;

// The named-pipe file system's own record of one end of a pipe (anonymous pipes are named pipes
// too); NamedPipeState turns to closing once the other end's last handle is closed.
struct PipeLocalInformation {
  ULONG type, configuration, maximum_instances, current_instances, inbound_quota, read_data_available,
      outbound_quota, write_quota_available, state, end;
};
constexpr ULONG FILE_PIPE_LOCAL_INFORMATION_CLASS = 24;
constexpr ULONG PIPE_DISCONNECTED_STATE = 1;
constexpr ULONG PIPE_CLOSING_STATE = 4;

using QueryInformationFile = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);

QueryInformationFile Query() {
  static const auto query = reinterpret_cast<QueryInformationFile>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
  return query;
}

}  // namespace

// In text mode the C runtime writes every line feed as CR LF and eats CRs on input; the
// engine's replies must be the same bytes on every platform, so both streams go binary.
void PrepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
}

long ReadStandardInput(char* destination, std::size_t capacity) {
  if (!StandardInputIsConsole()) return TakeQueuedInput(destination, capacity);
  const DWORD wanted = static_cast<DWORD>(capacity < MAX_CONSOLE_READ ? capacity : MAX_CONSOLE_READ);
  DWORD got = 0;
  if (ReadFile(StandardInputHandle(), destination, wanted, &got, nullptr)) return static_cast<long>(got);
  return -1;
}

std::uint32_t PlatformInputAvailable() {
  if (!StandardInputIsConsole()) return QueuedInputAvailable();
  const HANDLE console = StandardInputHandle();
  if (!console_prepared) PrepareConsole(console);
  DWORD events = 0;
  GetNumberOfConsoleInputEvents(console, &events);
  // A console queues key presses and releases (and whatever other events its mode lets
  // through) as separate events. A single queued event is not yet input: only from two events
  // on is the count an answer.
  return events >= 2 ? events : 0;
}

// Only a pipe can tell. Under wine, a Linux pipe handed to the engine answers the question with
// "not implemented", like a file or a console: there, only a failed write tells.
bool OutputClosed() {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (Query() == nullptr || GetFileType(output) != FILE_TYPE_PIPE) return false;
  IO_STATUS_BLOCK status{};
  PipeLocalInformation pipe{};
  if (!NT_SUCCESS(Query()(output, &status, &pipe, sizeof pipe, FILE_PIPE_LOCAL_INFORMATION_CLASS))) return false;
  return pipe.state == PIPE_DISCONNECTED_STATE || pipe.state == PIPE_CLOSING_STATE;
}

void EndProcess(int status) { std::exit(status); }
