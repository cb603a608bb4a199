// Runs the real engine binary behind pipes, as a chess interface does: write lines, read the
// exact bytes that come back with a deadline, and collect the exit status. A test never hangs:
// every wait has a deadline and the engine is killed when the test is done with it.
//
// The engine is the one this build made, unless the environment names another: MORVA_ENGINE
// gives its path and MORVA_ENGINE_WRAPPER a program to start it with (for example "wine").
#pragma once

#include <string>
#include <vector>
#include <sys/types.h>

// How soon the engine must answer a line during a search: it answers within 100 ms, and the rest
// is room for a loaded machine; the sanitizer build runs several times slower.
#ifdef MORVA_SANITIZED
constexpr int LATENCY_LIMIT_MS = 1000;
#else
constexpr int LATENCY_LIMIT_MS = 300;
#endif

class EngineProcess {
 public:
  EngineProcess();
  ~EngineProcess();
  EngineProcess(const EngineProcess&) = delete;
  EngineProcess& operator=(const EngineProcess&) = delete;

  void Send(const std::string& bytes);
  void SendLine(const std::string& line) { Send(line + "\n"); }
  // Reads until the output holds marker at or after offset `from`; false at the deadline.
  bool ReadUntil(const std::string& marker, int timeout_ms, std::size_t from = 0);
  // Reads until the engine closes its output or the deadline passes.
  void ReadToEnd(int timeout_ms);
  void CloseInput();
  // Stops reading: the engine's next write meets a pipe that nobody reads.
  void CloseOutput();
  // The exit status, or -1 when the engine had not ended by the deadline (it is then killed).
  int WaitExit(int timeout_ms);
  const std::string& Output() const { return output_; }

 private:
  bool ReadSome(int timeout_ms);
  pid_t pid_ = -1;
  int to_engine_ = -1;
  int from_engine_ = -1;
  std::string output_;
};

// The engine's path and the program to start it with (empty: none), as described above.
std::string EnginePath();
std::string EngineWrapper();

struct SessionResult {
  std::string output;
  int status;
};

// Sends the bytes at once, closes the input and collects everything until the engine exits.
SessionResult RunSession(const std::string& input, int timeout_ms = 30000);
// Sends the lines one by one as an interface does: after a line that starts with "go" it waits
// for the "bestmove" line before it sends the next one.
SessionResult RunScript(const std::vector<std::string>& lines, int timeout_ms = 60000);
// Replaces the figure after every " nps " with <rate>.
std::string MaskRates(const std::string& output);
std::string ReadFile(const std::string& path);
