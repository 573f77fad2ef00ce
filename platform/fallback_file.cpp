#include "platform/fallback_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "compare/platform.h"

namespace varnel {

namespace {

constexpr mode_t kPrivateMode = 0600;

// Closes the descriptor it holds when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

[[noreturn]] void Fail(const std::string& path, int number) {
  throw PlatformError(number,
                      "The report file " + path + " could not be made: " + std::strerror(number));
}

[[noreturn]] void Refuse(const std::string& path) {
  throw PlatformError(EEXIST, "The report file " + path +
                                  " already exists and is not a plain file of yours; it was "
                                  "left alone");
}

// A file we may empty: regular, ours, and not reachable under another name
// that someone else could have made to point at one of our files.
bool IsOwnPlainFile(const struct stat& status) {
  return S_ISREG(status.st_mode) && status.st_uid == geteuid() && status.st_nlink == 1;
}

}  // namespace

void CreatePrivateFile(const std::string& path) {
  struct stat before {};
  const bool existed = lstat(path.c_str(), &before) == 0;
  int fd = -1;
  if (existed) {
    if (!IsOwnPlainFile(before)) Refuse(path);
    // O_NOFOLLOW and O_NONBLOCK: a link or a pipe swapped in after the check
    // fails here instead of being followed or hanging the window.
    fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) Fail(path, errno);
  } else if (errno == ENOENT) {
    fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivateMode);
    if (fd < 0) Fail(path, errno);
  } else {
    Fail(path, errno);
  }
  const FileDescriptor file(fd);

  struct stat opened;
  if (fstat(file.get(), &opened) != 0) Fail(path, errno);
  if (!IsOwnPlainFile(opened)) Refuse(path);
  if (existed && (opened.st_dev != before.st_dev || opened.st_ino != before.st_ino)) {
    Refuse(path);  // replaced between the check and the opening
  }
  if (ftruncate(file.get(), 0) != 0 || fchmod(file.get(), kPrivateMode) != 0) Fail(path, errno);
}

}  // namespace varnel
