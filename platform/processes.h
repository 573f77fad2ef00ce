#pragma once

#include <sys/types.h>

#include <string>

namespace varnel {

// Starts "/bin/sh -c `commandLine`" with this program's environment, default
// signal handling and, when `newSession` is set, in a session of its own.
// Returns the shell's process id, or 0 when no process was started, with the
// reason in `*error` (an errno) when `error` is given.
pid_t SpawnShell(const std::string& commandLine, bool newSession = false, int* error = nullptr);

// Waits until the child `pid` has ended and collects its exit status, so no
// zombie stays. Returns at once when `pid` is not a child of ours.
void ReapChild(pid_t pid);

// True when `path` names a regular file that this program may execute.
bool IsExecutableFile(const std::string& path);

// The full name of the first executable file called `name` in the folders of
// PATH; "" when there is none.
std::string FindOnPath(const std::string& name);

}  // namespace varnel
