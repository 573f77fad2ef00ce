#include "platform/run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string_view>

#include "platform/child_process.h"

namespace varnel {

namespace {

// Deaf to the signals that end a run or a terminal, the watchdog waits until
// its pipe says anything or ends, then kills its group, itself included.
constexpr char kWatchdog[] = "trap '' HUP INT TERM; read -r line; kill -KILL 0";

// How much of standard error is kept: enough for the comparer's complaints,
// not so much that a chatty failure fills the box.
constexpr std::size_t kErrorTextLimit = 2000;
constexpr char kCutMark[] = "\n[...]";

// How often Finish looks at the interpreter when the kernel offers no pidfd.
constexpr int kPollMilliseconds = 25;

void CloseDescriptor(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Removes the last line of `text` when it begins with `words`.
void DropLastLineStartingWith(std::string& text, std::string_view words) {
  const std::size_t end = text.find_last_not_of('\n');
  if (end == std::string::npos) return;
  const std::size_t newline = text.rfind('\n', end);
  const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
  if (std::string_view(text).substr(start).starts_with(words)) text.erase(start);
}

}  // namespace

RunEnd DescribeEnd(int waitStatus, std::string errors) {
  RunEnd end;
  int signal = 0;
  if (waitStatus == -1) {
    end.status = -1;
  } else if (WIFSIGNALED(waitStatus)) {
    signal = WTERMSIG(waitStatus);
  } else if (WIFEXITED(waitStatus)) {
    end.status = WEXITSTATUS(waitStatus);
    // The interpreter tells of a command that a signal ended by the status
    // 128 + its number, and on standard error in the signal's own words: that
    // line is the interpreter's, not the comparer's.
    if (end.status > 128 && end.status - 128 < NSIG) {
      signal = end.status - 128;
      DropLastLineStartingWith(errors, strsignal(signal));
    }
  }
  if (signal != 0) {
    end.kind = RunEnd::Kind::kSignalled;
    end.status = signal;
    end.signalName = SignalName(signal);
  }
  end.errors = std::move(errors);
  return end;
}

std::unique_ptr<RunProcess> RunProcess::Start(const std::string& commandLine, int* error) {
  std::unique_ptr<RunProcess> run(new RunProcess);
  int guard[2], errors[2];
  if (pipe2(guard, O_CLOEXEC) != 0) {
    *error = errno;
    return nullptr;
  }
  run->guard_ = guard[1];
  run->watchdog_ = SpawnShell(kWatchdog, {.processGroup = 0, .standardInput = guard[0]}, error);
  close(guard[0]);
  if (run->watchdog_ == 0 || pipe2(errors, O_CLOEXEC) != 0) {
    if (run->watchdog_ != 0) *error = errno;
    return nullptr;
  }
  run->errors_ = errors[0];
  fcntl(run->errors_, F_SETFL, O_NONBLOCK);
  // The comparer reads no standard input; in a group of its own, it would be
  // stopped if it tried to read a terminal.
  const int nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);
  run->interpreter_ = SpawnShell(
      commandLine,
      {.processGroup = run->watchdog_, .standardInput = nothing, .standardError = errors[1]},
      error);
  close(errors[1]);
  if (nothing >= 0) close(nothing);
  if (run->interpreter_ == 0) return nullptr;
  run->ended_ = OpenPidDescriptor(run->interpreter_);
  return run;
}

RunProcess::~RunProcess() {
  if (watchdog_ > 0) kill(-watchdog_, SIGKILL);
  if (interpreter_ > 0 && !finished_) ReapChild(interpreter_);
  if (watchdog_ > 0) ReapChild(watchdog_);
  CloseDescriptor(guard_);
  CloseDescriptor(errors_);
  CloseDescriptor(ended_);
}

void RunProcess::ReadErrors() {
  if (errorsEnded_) return;
  char buffer[4096];
  while (true) {
    const ssize_t count = read(errors_, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      // The end, or nothing more for now; an error ends the reading too.
      if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) errorsEnded_ = true;
      return;
    }
    const std::size_t room = kErrorTextLimit - std::min(kErrorTextLimit, errorText_.size());
    errorText_.append(buffer, std::min(room, static_cast<std::size_t>(count)));
    if (static_cast<std::size_t>(count) > room) errorTextCut_ = true;
  }
}

bool RunProcess::HasEnded() const {
  return varnel::HasEnded(interpreter_);
}

// The group is signalled only while the watchdog keeps its number: a group
// number of 0 would be this program's own group.
void RunProcess::Terminate() {
  if (stopped_ || watchdog_ <= 0) return;
  stopped_ = true;
  killAt_ = std::chrono::steady_clock::now() + kStopGrace;
  kill(-watchdog_, SIGTERM);
}

void RunProcess::Kill() {
  if (watchdog_ <= 0) return;
  killed_ = true;
  kill(-watchdog_, SIGKILL);
}

RunEnd RunProcess::Finish() {
  while (!HasEnded()) {
    pollfd watched[] = {{errorDescriptor(), POLLIN, 0}, {ended_, POLLIN, 0}};
    int timeout = ended_ < 0 ? kPollMilliseconds : -1;
    if (stopped_ && !killed_) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            killAt_ - std::chrono::steady_clock::now())
                            .count();
      if (left <= 0) {
        Kill();
        continue;
      }
      timeout = timeout < 0 ? static_cast<int>(left) : std::min(timeout, static_cast<int>(left));
    }
    poll(watched, 2, timeout);
    ReadErrors();
  }
  const int status = ReapChild(interpreter_);
  finished_ = true;
  ReadErrors();
  // The run is over: nothing of it is needed any more, and nothing may stay.
  kill(-watchdog_, SIGKILL);
  ReapChild(watchdog_);
  watchdog_ = 0;

  std::string errors = errorText_;
  if (errorTextCut_) errors += kCutMark;
  RunEnd end = DescribeEnd(status, std::move(errors));
  if (stopped_) end.kind = RunEnd::Kind::kStopped;
  return end;
}

}  // namespace varnel
