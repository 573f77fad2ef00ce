// One child process at a time, started through /bin/sh: how to start it,
// watch for its end and collect it. The viewer is one such child; a
// comparison's run (RunProcess) is made of two.
#pragma once

#include <sys/types.h>

#include <string>

namespace varnel {

// How SpawnShell starts its shell. By default it stays in this program's
// process group and session and shares its standard descriptors.
struct SpawnOptions {
  bool newSession = false;  // a session, and so a process group, of its own
  pid_t processGroup = -1;  // 0: a new group that the shell leads; above 0: that group
  int standardInput = -1;   // a descriptor to hand over as the shell's 0, or -1
  int standardError = -1;   // the same for 2
};

// Starts "/bin/sh -c `commandLine`" with this program's environment, default
// signal handling and no descriptor above 2. Returns the shell's process id,
// or 0 when no process was started, with the reason in `*error` (an errno)
// when `error` is given.
pid_t SpawnShell(const std::string& commandLine, const SpawnOptions& options = {},
                 int* error = nullptr);

// Waits until the child `pid` has ended and collects it, so no zombie stays.
// Returns its wait status, or -1 at once when `pid` is not a child of ours.
int ReapChild(pid_t pid);

// True once the child `pid` has ended (or is none of ours); it is left to be reaped.
bool HasEnded(pid_t pid);

// A descriptor that becomes readable when the child `pid` ends; -1 when the
// kernel offers none.
int OpenPidDescriptor(pid_t pid);

// A signal's name and the system's words for it: "SIGSEGV (Segmentation fault)".
std::string SignalName(int signal);

// The full name of the first executable file called `name` in the folders of
// PATH; "" when there is none.
std::string FindOnPath(const std::string& name);

}  // namespace varnel
