#include "tests/protocol/engine_process.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

std::string EnginePath() {
  const char* path = std::getenv("MORVA_ENGINE");
  return path != nullptr && *path != '\0' ? path : MORVA_ENGINE;
}

std::string EngineWrapper() {
  const char* wrapper = std::getenv("MORVA_ENGINE_WRAPPER");
  return wrapper != nullptr ? wrapper : "";
}

EngineProcess::EngineProcess() {
  std::signal(SIGPIPE, SIG_IGN);
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) std::abort();
  pid_ = fork();
  if (pid_ == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    close(in[0]);
    close(in[1]);
    close(out[0]);
    close(out[1]);
    const std::string path = EnginePath();
    const std::string wrapper = EngineWrapper();
    if (!wrapper.empty()) {
      execlp(wrapper.c_str(), wrapper.c_str(), path.c_str(), static_cast<char*>(nullptr));
    } else {
      execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
    }
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  to_engine_ = in[1];
  from_engine_ = out[0];
  fcntl(from_engine_, F_SETFL, fcntl(from_engine_, F_GETFL) | O_NONBLOCK);
}

EngineProcess::~EngineProcess() {
  CloseInput();
  if (pid_ > 0 && WaitExit(0) == -1) {}
  if (from_engine_ >= 0) close(from_engine_);
}

void EngineProcess::Send(const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size() && to_engine_ >= 0) {
    const ssize_t n = write(to_engine_, bytes.data() + sent, bytes.size() - sent);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

bool EngineProcess::ReadSome(int timeout_ms) {
  if (from_engine_ < 0) return false;
  pollfd fd{from_engine_, POLLIN, 0};
  if (poll(&fd, 1, timeout_ms) <= 0) return false;
  char buffer[65536];
  const ssize_t n = read(from_engine_, buffer, sizeof buffer);
  if (n <= 0) {
    close(from_engine_);
    from_engine_ = -1;
    return false;
  }
  output_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

bool EngineProcess::ReadUntil(const std::string& marker, int timeout_ms, std::size_t from) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (output_.find(marker, from) == std::string::npos) {
    if (from_engine_ < 0 || RemainingMs(deadline) == 0) return false;
    ReadSome(RemainingMs(deadline));
  }
  return true;
}

void EngineProcess::ReadToEnd(int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (from_engine_ >= 0 && RemainingMs(deadline) > 0) ReadSome(RemainingMs(deadline));
}

void EngineProcess::CloseInput() {
  if (to_engine_ >= 0) close(to_engine_);
  to_engine_ = -1;
}

void EngineProcess::CloseOutput() {
  if (from_engine_ >= 0) close(from_engine_);
  from_engine_ = -1;
}

int EngineProcess::WaitExit(int timeout_ms) {
  if (pid_ <= 0) return -1;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      ReadToEnd(1000);
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (RemainingMs(deadline) == 0) break;
    // With no output left to wait on, the wait for the exit needs a pause of its own.
    if (!ReadSome(10) && from_engine_ < 0) usleep(10 * 1000);
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
  return -1;
}

SessionResult RunSession(const std::string& input, int timeout_ms) {
  EngineProcess engine;
  engine.Send(input);
  engine.CloseInput();
  const int status = engine.WaitExit(timeout_ms);
  return {engine.Output(), status};
}

SessionResult RunScript(const std::vector<std::string>& lines, int timeout_ms) {
  EngineProcess engine;
  for (const std::string& line : lines) {
    const std::size_t before = engine.Output().size();
    engine.SendLine(line);
    if (line.rfind("go", 0) == 0) engine.ReadUntil("bestmove", timeout_ms, before);
  }
  engine.CloseInput();
  const int status = engine.WaitExit(timeout_ms);
  return {engine.Output(), status};
}

std::string MaskRates(const std::string& output) {
  std::string masked;
  std::size_t at = 0;
  for (;;) {
    const std::size_t nps = output.find(" nps ", at);
    if (nps == std::string::npos) break;
    const std::size_t value = nps + 5;
    std::size_t end = value;
    while (end < output.size() && output[end] != ' ' && output[end] != '\n') ++end;
    masked.append(output, at, value - at).append("<rate>");
    at = end;
  }
  return masked.append(output, at, std::string::npos);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}
