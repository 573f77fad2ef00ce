#include "fc/file_source.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fc {

FileSource::~FileSource() {
  close(fd_);
}

// Reading on from the furthest byte read moves the file's offset with it; anything else is read
// in place, and moves the offset only to bytes never read before.
bool FileSource::ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) {
  bool reading_on = offset == furthest_;
  for (;;) {
    ssize_t n =
        reading_on ? read(fd_, out, size) : pread(fd_, out, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    *got = static_cast<size_t>(n);
    uint64_t end = offset + *got;
    if (end > furthest_) {
      if (!reading_on && lseek(fd_, static_cast<off_t>(end), SEEK_SET) < 0) break;
      furthest_ = end;
    }
    return true;
  }
  *error = strerror(errno);
  return false;
}

bool FileSource::IsOpenAs(int fd) const {
  struct stat mine, other;
  return fstat(fd_, &mine) == 0 && fstat(fd, &other) == 0 && mine.st_dev == other.st_dev &&
         mine.st_ino == other.st_ino;
}

namespace {

// What a name turned out to be once opened; only a regular file is read.
enum class FileKind { kRegular, kFolder, kPipe, kDevice, kSocket, kOther };

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  if (S_ISFIFO(mode)) return FileKind::kPipe;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
  if (S_ISSOCK(mode)) return FileKind::kSocket;
  return FileKind::kOther;
}

// The report's line for `name`, which is of a `kind` that is not read.
std::string Refusal(const std::string& name, FileKind kind) {
  const std::string not_read = ", not a regular file; it is not read";
  switch (kind) {
    case FileKind::kFolder:
      return "FC: " + name + " is a folder, not a file";
    case FileKind::kPipe:
      return "FC: " + name + " is a pipe" + not_read;
    case FileKind::kDevice:
      return "FC: " + name + " is a device" + not_read;
    case FileKind::kSocket:
      return "FC: " + name + " is a socket" + not_read;
    default:
      return "FC: " + name + " is not a regular file";
  }
}

}  // namespace

std::unique_ptr<FileSource> FileSource::Open(const std::string& name, uint64_t* size,
                                             std::string* complaint) {
  // O_NONBLOCK makes opening a pipe return at once instead of waiting for a writer; the file
  // is checked with fstat before anything is read from it.
  int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    *complaint = "FC: cannot open " + name + " - " + strerror(errno);
    return nullptr;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) {
    *complaint = "FC: cannot open " + name + " - " + strerror(errno);
    close(fd);
    return nullptr;
  }
  FileKind kind = KindOf(st.st_mode);
  if (kind != FileKind::kRegular) {
    *complaint = Refusal(name, kind);
    close(fd);
    return nullptr;
  }
  *size = static_cast<uint64_t>(st.st_size);
  return std::unique_ptr<FileSource>(new FileSource(fd));
}

}  // namespace fc
