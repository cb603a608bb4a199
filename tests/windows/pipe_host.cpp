// Starts the Windows engine the way a Windows chess interface does: its standard input is the
// read end of an anonymous pipe made by CreatePipe, its standard output is ours. Our own
// standard input is copied into that pipe, and closing ours closes the pipe. The exit status
// is the engine's. The engine ends with this program, even when this program is killed.
//
// Under wine a program started straight from a Linux pipe sees a handle that behaves unlike a
// Windows pipe (PeekNamedPipe, for one, is not supported on it), so only an engine started
// through a real Windows pipe reads its input as it does on Windows. The engine's path is
// given by MORVA_PIPE_HOST_ENGINE.
//
// With MORVA_PIPE_HOST_HANG_UP set, this program stands for an interface that dies when its
// input ends: the engine's output goes through a Windows pipe too, copied to ours, and at the
// end of our input both of the engine's pipes close together, as a dead Windows interface's
// handles do. (Whether a Linux pipe is still read cannot be asked under wine.)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HANDLE to_engine = nullptr;
HANDLE from_engine = nullptr;
bool hang_up = false;
volatile LONG input_over = 0;

DWORD WINAPI CopyInput(void*) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    DWORD written = 0;
    if (!WriteFile(to_engine, buffer, got, &written, nullptr)) break;
  }
  if (!hang_up) CloseHandle(to_engine);
  InterlockedExchange(&input_over, 1);
  return 0;
}

// Copies the engine's output to ours until our input ends or the engine has ended and said
// everything, then closes its output pipe before its input pipe. It peeks rather than waits in
// a read, so that no read is pending on the pipe when it is closed.
void CopyOutputUntilHangUp(HANDLE engine) {
  char buffer[4096];
  while (input_over == 0) {
    DWORD available = 0, got = 0, written = 0;
    if (PeekNamedPipe(from_engine, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      if (ReadFile(from_engine, buffer, available < sizeof buffer ? available : sizeof buffer, &got, nullptr)) {
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), buffer, got, &written, nullptr);
      }
    } else if (WaitForSingleObject(engine, 5) != WAIT_TIMEOUT) {
      break;
    }
  }
  CloseHandle(from_engine);
  CloseHandle(to_engine);
}

// A job that kills what it holds once its last handle closes, which happens when this
// process ends in any way.
HANDLE KillOnCloseJob() {
  const HANDLE job = CreateJobObjectA(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

HANDLE Inheritable(HANDLE handle) {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS);
  return copy;
}

}  // namespace

int main() {
  const char* engine = std::getenv("MORVA_PIPE_HOST_ENGINE");
  if (engine == nullptr || *engine == '\0') {
    std::fprintf(stderr, "pipe_host: MORVA_PIPE_HOST_ENGINE names no engine\n");
    return 127;
  }
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE engine_input = nullptr;
  if (!CreatePipe(&engine_input, &to_engine, &inherit, 0)) return 127;
  SetHandleInformation(to_engine, HANDLE_FLAG_INHERIT, 0);
  const char* hang_up_setting = std::getenv("MORVA_PIPE_HOST_HANG_UP");
  hang_up = hang_up_setting != nullptr && *hang_up_setting != '\0';
  HANDLE engine_output = Inheritable(GetStdHandle(STD_OUTPUT_HANDLE));
  if (hang_up) {
    CloseHandle(engine_output);
    if (!CreatePipe(&from_engine, &engine_output, &inherit, 0)) return 127;
    SetHandleInformation(from_engine, HANDLE_FLAG_INHERIT, 0);
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = engine_input;
  startup.hStdOutput = engine_output;
  startup.hStdError = Inheritable(GetStdHandle(STD_ERROR_HANDLE));
  std::string command = std::string("\"") + engine + "\"";
  PROCESS_INFORMATION process{};
  const HANDLE job = KillOnCloseJob();
  // Under wine on a loaded machine, a process now and then fails to start with an internal
  // error that the next try does not meet; any other failure is final at once.
  constexpr int START_TRIES = 5;
  for (int tries = 1;; ++tries) {
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                       &process)) {
      break;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || tries == START_TRIES) {
      std::fprintf(stderr, "pipe_host: cannot start %s (error %lu)\n", engine, error);
      return 127;
    }
    Sleep(200);
  }
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  CloseHandle(engine_input);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  CloseHandle(process.hThread);

  CreateThread(nullptr, 0, CopyInput, nullptr, 0, nullptr);
  if (hang_up) CopyOutputUntilHangUp(process.hProcess);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 127;
  GetExitCodeProcess(process.hProcess, &status);
  return static_cast<int>(status);
}
