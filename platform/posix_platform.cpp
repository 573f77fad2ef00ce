#include "platform/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "platform/fallback_file.h"
#include "platform/processes.h"
#include "platform/shell_quote.h"

namespace varnel {

namespace {

constexpr char kViewer[] = "xdg-open";
constexpr char kDefaultTempFolder[] = "/tmp";
constexpr char kReportSuffix[] = ".txt";

std::string CurrentFolder() {
  const std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
  if (!folder) {
    const int number = errno;
    throw PlatformError(number,
                        std::string("The current folder cannot be read: ") + std::strerror(number));
  }
  return folder.get();
}

bool IsFolder(const char* path) {
  struct stat status;
  return stat(path, &status) == 0 && S_ISDIR(status.st_mode);
}

// What xdg-open's exit statuses mean, as its manual gives them.
std::string ViewerStatusMeaning(int status) {
  switch (status) {
    case 1:
      return " (error in command line syntax)";
    case 2:
      return " (the report file was not found)";
    case 3:
      return " (a required tool could not be found)";
    case 4:
      return " (the action failed)";
    default:
      return "";
  }
}

// Why a viewer that ended with `waitStatus` did not show the report; "" when it did.
std::string ViewerFailure(int waitStatus) {
  if (WIFSIGNALED(waitStatus)) {
    return std::string(kViewer) + " was ended by signal " + SignalName(WTERMSIG(waitStatus));
  }
  if (!WIFEXITED(waitStatus) || WEXITSTATUS(waitStatus) == 0) return "";
  const int status = WEXITSTATUS(waitStatus);
  return std::string(kViewer) + " ended with exit status " + std::to_string(status) +
         ViewerStatusMeaning(status);
}

}  // namespace

PosixPlatform::PosixPlatform(std::string comparerPath) : comparerPath_(std::move(comparerPath)) {}

PosixPlatform::~PosixPlatform() = default;

std::string PosixPlatform::ShortForm(const std::string& path) const {
  struct stat status;
  if (path.empty() || path.find('\0') != std::string::npos || stat(path.c_str(), &status) != 0) {
    return "";
  }
  // Absolute, so it can never start with '-'; made lexically, so the report
  // shows the path as the user knows it rather than where its links lead.
  std::string absolute = path;
  if (absolute.front() != '/') {
    std::string folder = CurrentFolder();
    if (folder.back() != '/') folder += '/';
    absolute = folder + absolute;
  }
  // The comparer takes "/word" without a second '/' for a switch.
  if (absolute.find('/', 1) == std::string::npos) absolute.insert(0, "/.");
  return ShellWord(absolute);
}

std::string PosixPlatform::TempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir != nullptr && *tmpdir != '\0' && IsFolder(tmpdir)
                           ? std::string(tmpdir)
                           : std::string(kDefaultTempFolder);
  if (folder.back() != '/') folder += '/';
  // The report's full name is shown when something goes wrong with it.
  if (folder.front() != '/') {
    try {
      folder = CurrentFolder() + "/" + folder;
    } catch (const PlatformError&) {
      // A relative name still names the file for the command lines.
    }
  }
  return folder;
}

std::string PosixPlatform::UniqueTempFile(const std::string& folder, const std::string& prefix) {
  const std::string pattern = folder + prefix + "XXXXXX" + kReportSuffix;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // O_EXCL and mode 0600 come with mkostemps: the report holds the contents of
  // the user's files, and the folder is usually shared.
  const int fd = mkostemps(name.data(), static_cast<int>(std::strlen(kReportSuffix)), O_CLOEXEC);
  if (fd < 0) return "";
  const bool privateMode = fchmod(fd, 0600) == 0;
  close(fd);
  if (!privateMode) {
    unlink(name.data());
    return "";
  }
  return name.data();
}

bool PosixPlatform::CreateFallbackFile(const std::string& path) {
  CreatePrivateFile(path);
  return true;
}

std::string PosixPlatform::CommandPrefix() const {
  return ShellWord(comparerPath_) + " ";
}

std::string PosixPlatform::ViewerPrefix() const {
  return std::string(kViewer) + " ";
}

long PosixPlatform::Start(const std::string& commandLine) {
  // Only the comparer's standard output reaches the report: without this check
  // a missing comparer would leave an empty report and no word of why.
  if (!IsExecutableFile(comparerPath_)) {
    // A comparer that is there but may not be run is a permission problem,
    // not a missing file: the user may be able to mend that one.
    struct stat status;
    const int number = stat(comparerPath_.c_str(), &status) == 0 ? EACCES : errno;
    throw PlatformError(number, "The comparer " + comparerPath_ + " cannot be run (" +
                                    std::strerror(number) +
                                    "); reinstall Varnel File Compare");
  }
  int error = 0;
  std::unique_ptr<RunProcess> run = RunProcess::Start(commandLine, &error);
  if (!run) return 0;
  const long pid = run->pid();
  runs_[pid] = std::move(run);
  return pid;
}

RunProcess* PosixPlatform::FindRun(long pid) {
  const auto found = runs_.find(pid);
  return found == runs_.end() ? nullptr : found->second.get();
}

RunEnd PosixPlatform::Wait(long pid, const RunInputs&) {
  const auto found = runs_.find(pid);
  if (found == runs_.end()) return DescribeEnd(ReapChild(static_cast<pid_t>(pid)), "");
  const std::unique_ptr<RunProcess> run = std::move(found->second);
  runs_.erase(found);
  return run->Finish();
}

bool PosixPlatform::EndRun() {
  for (auto& [pid, run] : runs_) run->Terminate();
  return !runs_.empty();
}

void PosixPlatform::StartViewer(const std::string& commandLine, ViewerFailed onFailure) {
  SpawnViewer(commandLine, std::move(onFailure));
}

pid_t PosixPlatform::SpawnViewer(const std::string& commandLine, ViewerFailed onFailure) {
  if (FindOnPath(kViewer).empty()) {
    onFailure(std::string(kViewer) +
              " was not found on PATH (it comes with the package xdg-utils)");
    return 0;
  }
  // The viewer outlives the window in a session of its own; until then its
  // end is collected here, so it never stays behind as a zombie.
  int error = 0;
  const pid_t pid = SpawnShell(commandLine, {.newSession = true}, &error);
  if (pid == 0) {
    onFailure(std::string(kViewer) + " could not be started (" + std::strerror(error) + ")");
    return 0;
  }
  viewers_.push_back({pid, std::move(onFailure)});
  return pid;
}

void PosixPlatform::CollectViewers() {
  // The failures are told only once the list is settled: telling one shows a
  // box, and the event loop of that box may come back here.
  std::vector<std::pair<ViewerFailed, std::string>> failures;
  std::erase_if(viewers_, [&failures](Viewer& viewer) {
    if (!HasEnded(viewer.pid)) return false;
    const int status = ReapChild(viewer.pid);
    const std::string reason = status == -1 ? "" : ViewerFailure(status);
    if (!reason.empty()) failures.emplace_back(std::move(viewer.onFailure), reason);
    return true;
  });
  for (auto& [onFailure, reason] : failures) onFailure(reason);
}

}  // namespace varnel
