// Opening an input file safely and reading it through the Source interface.
#pragma once

#include <memory>
#include <string>

#include "fc/source.h"

namespace fc {

// A regular file opened for reading; closes it when destroyed. The file's offset stays at the
// furthest byte read, however the reads go back and forth, so that another program can see in
// /proc/<pid>/fdinfo how far the comparison has come.
class FileSource : public Source {
 public:
  ~FileSource() override;
  bool ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) override;

  // Opens `name` and checks that it is a regular file, without ever reading from anything
  // else (a pipe or a device could block or never end). Returns nullptr and sets *complaint
  // to the report's one-line complaint when the file cannot be used; sets *size to the size it
  // has when opened otherwise.
  static std::unique_ptr<FileSource> Open(const std::string& name, uint64_t* size,
                                          std::string* complaint);

  // Whether `fd` is open on this same file.
  bool IsOpenAs(int fd) const;

 private:
  explicit FileSource(int fd) : fd_(fd) {}
  int fd_;
  uint64_t furthest_ = 0;  // the end of the bytes read so far, where the file's offset is
};

}  // namespace fc
