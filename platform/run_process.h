#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>

#include "compare/platform.h"

namespace varnel {

// How a run ended, from the interpreter's wait status (-1 when there was
// none) and what it wrote on standard error.
RunEnd DescribeEnd(int waitStatus, std::string errors);

// The processes of one comparison: the command interpreter, in a process
// group of its own, and a watchdog that leads that group. The watchdog reads
// a pipe whose write end only this program holds; when this program is gone,
// however it ended (SIGKILL included), the read ends and the watchdog kills
// the whole group, so nothing of the run outlives the window. Being in the
// group, the watchdog also keeps its number from being given to another group
// while the run lasts. What the interpreter and the comparer write on
// standard error comes back through a second pipe.
class RunProcess {
 public:
  // How long a run that was asked to end (Terminate) is given before it is killed.
  static constexpr std::chrono::milliseconds kStopGrace{1000};

  // Starts /bin/sh -c `commandLine`, with no standard input. Returns null,
  // with an errno in `*error`, when nothing could be started.
  static std::unique_ptr<RunProcess> Start(const std::string& commandLine, int* error);

  // Kills whatever is left of the group and collects what this program started.
  ~RunProcess();
  RunProcess(const RunProcess&) = delete;
  RunProcess& operator=(const RunProcess&) = delete;

  pid_t pid() const { return interpreter_; }
  // The run's process group, led by the watchdog; 0 once Finish has returned.
  pid_t group() const { return watchdog_; }
  // Readable when there is standard error to take in (or its end); -1 once it ended.
  int errorDescriptor() const { return errorsEnded_ ? -1 : errors_; }
  // Readable once the interpreter has ended; -1 when the kernel offers none.
  int endDescriptor() const { return ended_; }

  // Takes in what is waiting on standard error, without blocking.
  void ReadErrors();
  // True once the interpreter has ended; it is left to Finish to collect.
  bool HasEnded() const;
  // Sends SIGTERM to the whole group; the run then ends as stopped.
  void Terminate();
  // Sends SIGKILL to the whole group.
  void Kill();

  // Waits until the interpreter has ended, taking in its standard error all
  // the while and killing the group once the grace after Terminate is over;
  // collects it, kills what is left of the group and tells how the run ended.
  RunEnd Finish();

 private:
  RunProcess() = default;

  pid_t interpreter_ = 0;
  pid_t watchdog_ = 0;  // also the group's number
  int guard_ = -1;      // the write end of the watchdog's pipe
  int errors_ = -1;
  int ended_ = -1;
  bool errorsEnded_ = false;
  std::string errorText_;
  bool errorTextCut_ = false;
  bool stopped_ = false;
  bool killed_ = false;
  std::chrono::steady_clock::time_point killAt_;
  bool finished_ = false;
};

}  // namespace varnel
