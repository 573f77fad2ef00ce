#include "platform/child_process.h"

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/file_kind.h"

extern char** environ;

namespace varnel {

namespace {

constexpr char kShell[] = "/bin/sh";

// Spawn attributes that give the child a clean signal state whatever the
// window program has blocked or ignored.
class SpawnAttributes {
 public:
  explicit SpawnAttributes(const SpawnOptions& options) {
    posix_spawnattr_init(&attributes_);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes_, &none);
    posix_spawnattr_setsigdefault(&attributes_, &defaults);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (options.newSession) flags |= POSIX_SPAWN_SETSID;
    if (options.processGroup >= 0) {
      flags |= POSIX_SPAWN_SETPGROUP;
      posix_spawnattr_setpgroup(&attributes_, options.processGroup);
    }
    posix_spawnattr_setflags(&attributes_, flags);
  }
  ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;

  const posix_spawnattr_t* get() const { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

// File actions that leave the child only standard input, output and error,
// given the descriptors of the options: the viewer lives long and should not
// hold on to the window's descriptors, and the pipes of a comparison must end
// when the window ends.
class SpawnFileActions {
 public:
  explicit SpawnFileActions(const SpawnOptions& options) {
    posix_spawn_file_actions_init(&actions_);
    if (options.standardInput >= 0) {
      posix_spawn_file_actions_adddup2(&actions_, options.standardInput, STDIN_FILENO);
    }
    if (options.standardError >= 0) {
      posix_spawn_file_actions_adddup2(&actions_, options.standardError, STDERR_FILENO);
    }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
#endif
  }
  ~SpawnFileActions() {
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnFileActions(const SpawnFileActions&) = delete;
  SpawnFileActions& operator=(const SpawnFileActions&) = delete;

  const posix_spawn_file_actions_t* get() const {
    return &actions_;
  }

 private:
  posix_spawn_file_actions_t actions_;
};

}  // namespace

pid_t SpawnShell(const std::string& commandLine, const SpawnOptions& options, int* error) {
  const SpawnAttributes attributes(options);
  const SpawnFileActions actions(options);
  std::string shell = kShell, dashC = "-c", line = commandLine;
  char* argv[] = {shell.data(), dashC.data(), line.data(), nullptr};
  pid_t pid = 0;
  const int result = posix_spawn(&pid, kShell, actions.get(), attributes.get(), argv, environ);
  if (error != nullptr) *error = result;
  return result == 0 ? pid : 0;
}

int ReapChild(pid_t pid) {
  // waitpid(0 or -1, ...) would take any child; only a real id is waited for.
  if (pid <= 0) return -1;
  int status = 0;
  pid_t reaped;
  while ((reaped = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
  }
  return reaped == pid ? status : -1;
}

bool HasEnded(pid_t pid) {
  siginfo_t info{};
  if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return true;
  return info.si_pid != 0;
}

int OpenPidDescriptor(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  return -1;
#endif
}

std::string SignalName(int signal) {
  std::string name;
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 32))
  if (const char* abbreviation = sigabbrev_np(signal)) name = std::string("SIG") + abbreviation;
#endif
  if (name.empty()) name = std::to_string(signal);
  return name + " (" + strsignal(signal) + ")";
}

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    const std::size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    // An empty entry means the current folder.
    const std::string candidate =
        (folder.empty() ? std::string(".") : std::string(folder)) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) return "";
    folders.remove_prefix(colon + 1);
  }
}

}  // namespace varnel
