#include "platform/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "compare/program_text.h"
#include "platform/child_process.h"
#include "platform/file_kind.h"
#include "platform/shell_word.h"

namespace varnel {

namespace {

constexpr char kViewer[] = "xdg-open";
constexpr char kDefaultTempFolder[] = "/tmp";
constexpr char kReportSuffix[] = ".txt";

// The reasons the user reads, as written; they are shown in the user's
// language (see Tr).
constexpr char kTextContext[] = "PosixPlatform";
constexpr char kNoCurrentFolder[] =
    QT_TRANSLATE_NOOP("PosixPlatform", "The current folder cannot be read: %1");
constexpr char kPathTooLong[] = QT_TRANSLATE_NOOP("PosixPlatform", "The path %1 is too long");
constexpr char kComparerUnusable[] = QT_TRANSLATE_NOOP(
    "PosixPlatform", "The comparer %1 cannot be run (%2); reinstall Varnel File Compare");
// %1 is the viewer's name in the viewer's reasons.
constexpr char kViewerMissing[] = QT_TRANSLATE_NOOP(
    "PosixPlatform", "%1 was not found on PATH (it comes with the package xdg-utils)");
constexpr char kViewerNotStarted[] =
    QT_TRANSLATE_NOOP("PosixPlatform", "%1 could not be started (%2)");
constexpr char kViewerSignalled[] = QT_TRANSLATE_NOOP("PosixPlatform", "%1 was ended by signal %2");
constexpr char kViewerStatus[] = QT_TRANSLATE_NOOP("PosixPlatform", "%1 ended with exit status %2");

// One of the texts above in the user's language.
std::string Tr(const Platform& platform, const char* text) {
  return platform.Translated(kTextContext, text);
}

std::string CurrentFolder(const Platform& platform) {
  const std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
  if (!folder) {
    const int number = errno;
    throw PlatformError(number, Format(Tr(platform, kNoCurrentFolder), {std::strerror(number)}));
  }
  return folder.get();
}

bool HasDotPiece(const std::string& path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string_view piece = std::string_view(path).substr(start, end - start);
    if (piece == "." || piece == "..") return true;
    start = end + 1;
  }
  return false;
}

bool SameFolder(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// `folder` made absolute against the current folder, so that a report's full
// name can be shown; as it is when the current folder cannot be read, as a
// relative name still names the file for the command lines.
std::string AbsoluteFolder(const Platform& platform, const std::string& folder) {
  if (folder.empty() || folder.front() == '/') return folder;
  try {
    std::string absolute = CurrentFolder(platform);
    if (absolute.back() != '/') absolute += '/';
    return absolute + (folder.starts_with("./") ? folder.substr(2) : folder);
  } catch (const PlatformError&) {
    return folder;
  }
}

PlatformError PathTooLong(const Platform& platform, const std::string& path) {
  return PlatformError(ENAMETOOLONG, Format(Tr(platform, kPathTooLong), {path}));
}

// Makes a new file `folder` + `prefix` + six random characters + ".txt", mode
// 0600, never one that existed before. Returns its name, or "" with the
// reason, an errno, in `error`.
std::string MakeUniqueFile(const std::string& folder, const std::string& prefix, int* error) {
  const std::string pattern = folder + prefix + "XXXXXX" + kReportSuffix;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // O_EXCL and mode 0600 come with mkostemps: the report holds the contents of
  // the user's files, and the folder is usually shared. The mode is set again
  // for a umask that would take the owner's writing away.
  const int fd = mkostemps(name.data(), static_cast<int>(std::strlen(kReportSuffix)), O_CLOEXEC);
  if (fd < 0) {
    *error = errno;
    return "";
  }
  if (fchmod(fd, 0600) != 0) {
    *error = errno;
    close(fd);
    unlink(name.data());
    return "";
  }
  close(fd);
  return name.data();
}

// Why xdg-open ended with `status`, as its manual gives the meanings.
const char* ViewerStatusReason(int status) {
  switch (status) {
    case 1:
      return QT_TRANSLATE_NOOP("PosixPlatform",
                               "%1 ended with exit status %2 (error in command line syntax)");
    case 2:
      return QT_TRANSLATE_NOOP("PosixPlatform",
                               "%1 ended with exit status %2 (the report file was not found)");
    case 3:
      return QT_TRANSLATE_NOOP("PosixPlatform",
                               "%1 ended with exit status %2 (a required tool could not be found)");
    case 4:
      return QT_TRANSLATE_NOOP("PosixPlatform", "%1 ended with exit status %2 (the action failed)");
    default:
      return kViewerStatus;
  }
}

// Why a viewer that ended with `waitStatus` did not show the report; "" when it did.
std::string ViewerFailure(const Platform& platform, int waitStatus) {
  const RunEnd end = DescribeEnd(waitStatus, "");
  if (end.kind == RunEnd::Kind::kSignalled)
    return Format(Tr(platform, kViewerSignalled), {kViewer, end.signalName});
  if (end.status <= 0) return "";
  return Format(Tr(platform, ViewerStatusReason(end.status)),
                {kViewer, std::to_string(end.status)});
}

}  // namespace

PosixPlatform::PosixPlatform(std::string comparerPath) : comparerPath_(std::move(comparerPath)) {}

PosixPlatform::~PosixPlatform() = default;

std::string PosixPlatform::ShortForm(const std::string& path) const {
  struct stat status;
  if (path.empty() || path.find('\0') != std::string::npos) return "";
  if (stat(path.c_str(), &status) != 0) {
    if (errno == ENAMETOOLONG) throw PathTooLong(*this, path);
    return "";
  }
  // Absolute, so it can never start with '-'; made lexically, so the report
  // shows the path as the user knows it rather than where its links lead.
  std::string absolute = path;
  if (absolute.front() != '/') {
    std::string folder = CurrentFolder(*this);
    if (folder.back() != '/') folder += '/';
    absolute = folder + absolute;
  }
  // The comparer opens the absolute form: a relative name inside folders
  // nested deeper than the limit exists here, but not for it.
  if (absolute.size() >= PATH_MAX) throw PathTooLong(*this, path);
  // The comparer takes "/word" without a second '/' for a switch.
  if (absolute.find('/', 1) == std::string::npos) absolute.insert(0, "/.");
  return ShellWord(absolute);
}

std::string PosixPlatform::CommandWord(const std::string& word) const {
  return ShellWord(word);
}

std::string PosixPlatform::TempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = tmpdir != nullptr && *tmpdir != '\0' && IsFolder(tmpdir)
                           ? std::string(tmpdir)
                           : std::string(kDefaultTempFolder);
  if (folder.back() != '/') folder += '/';
  // The report's full name is shown when something goes wrong with it.
  return AbsoluteFolder(*this, folder);
}

std::string PosixPlatform::UniqueTempFile(const std::string& folder, const std::string& prefix,
                                          std::string* whyNot) {
  int error = 0;
  std::string name = MakeUniqueFile(folder, prefix, &error);
  if (name.empty()) *whyNot = std::strerror(error);
  return name;
}

std::string PosixPlatform::CreateFallbackFile(const std::string& folder,
                                              const std::string& prefix) {
  const std::string place = AbsoluteFolder(*this, folder);
  int error = 0;
  std::string name = MakeUniqueFile(place, prefix, &error);
  if (name.empty()) {
    throw PlatformError(error, place + " (" + std::strerror(error) + ")");
  }
  return name;
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
    throw PlatformError(
        number, Format(Tr(*this, kComparerUnusable), {comparerPath_, std::strerror(number)}));
  }
  int error = 0;
  std::unique_ptr<RunProcess> run = RunProcess::Start(commandLine, &error);
  if (!run) {
    errno = error;
    return 0;
  }
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

std::string PosixPlatform::WorkingFolder() const {
  const char* shells = std::getenv("PWD");
  if (shells != nullptr && shells[0] == '/' && !HasDotPiece(shells) && SameFolder(shells, "."))
    return shells;
  try {
    return CurrentFolder(*this);
  } catch (const PlatformError&) {
    return "";
  }
}

bool PosixPlatform::StandardErrorIsTerminal() const {
  return isatty(STDERR_FILENO) == 1;
}

std::string PosixPlatform::Translated(const char*, const char* text) const {
  return text;
}

pid_t PosixPlatform::SpawnViewer(const std::string& commandLine, ViewerFailed onFailure) {
  if (FindOnPath(kViewer).empty()) {
    onFailure(Format(Tr(*this, kViewerMissing), {kViewer}));
    return 0;
  }
  // The viewer outlives the window in a session of its own; until then its
  // end is collected here, so it never stays behind as a zombie.
  int error = 0;
  const pid_t pid = SpawnShell(commandLine, {.newSession = true}, &error);
  if (pid == 0) {
    onFailure(Format(Tr(*this, kViewerNotStarted), {kViewer, std::strerror(error)}));
    return 0;
  }
  viewers_.push_back({pid, std::move(onFailure)});
  return pid;
}

void PosixPlatform::CollectViewers() {
  // The failures are told only once the list is settled: telling one shows a
  // box, and the event loop of that box may come back here.
  std::vector<std::pair<ViewerFailed, std::string>> failures;
  std::erase_if(viewers_, [this, &failures](Viewer& viewer) {
    if (!HasEnded(viewer.pid)) return false;
    const int status = ReapChild(viewer.pid);
    const std::string reason = ViewerFailure(*this, status);
    if (!reason.empty()) failures.emplace_back(std::move(viewer.onFailure), reason);
    return true;
  });
  for (auto& [onFailure, reason] : failures) onFailure(reason);
}

}  // namespace varnel
