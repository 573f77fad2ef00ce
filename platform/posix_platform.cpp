#include "platform/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
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

}  // namespace

PosixPlatform::PosixPlatform(std::string comparerPath) : comparerPath_(std::move(comparerPath)) {}

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
  return SpawnShell(commandLine);
}

void PosixPlatform::Wait(long pid) {
  ReapChild(static_cast<pid_t>(pid));
}

void PosixPlatform::StartDetached(const std::string& commandLine) {
  if (FindOnPath(kViewer).empty()) {
    throw PlatformError(ENOENT, std::string(kViewer) +
                                    " was not found on PATH, so the report cannot be shown "
                                    "(it comes with the package xdg-utils)");
  }
  // The viewer runs in the background of a shell that ends at once and is
  // reaped here; the viewer, left without a parent, is collected by the
  // system, never becomes our zombie, and outlives the window in its own session.
  int error = 0;
  const pid_t shell = SpawnShell(commandLine + " &", /*newSession=*/true, &error);
  if (shell == 0) {
    throw PlatformError(error,
                        std::string("The viewer could not be started: ") + std::strerror(error));
  }
  ReapChild(shell);
}

}  // namespace varnel
