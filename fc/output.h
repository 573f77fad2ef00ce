// The report's way out: one large buffer in front of a file descriptor.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace fc {

// Collects the report and writes it in large pieces. After the first failed write everything
// else is dropped and failed() stays true.
class Output {
 public:
  // The size of one write. Writes of 512 KiB and 1 MiB into the page cache now and then took
  // several times as long as smaller ones (a 400 MB report in 0.28 s in most runs, up to 1.2 s
  // in some), while 128 KiB and 256 KiB were steady and as fast; the smaller is the one
  // furthest from the slow sizes, and its 3200 writes for 400 MB cost nothing that shows.
  static constexpr size_t kPiece = size_t{128} << 10;

  explicit Output(int fd, size_t capacity = kPiece);

  // Appends `text` to the report; a failure shows later in failed().
  void Write(std::string_view text) {
    if (text.size() <= capacity_ - used_) {
      text.copy(buf_.get() + used_, text.size());
      used_ += text.size();
    } else {
      WriteSlow(text);
    }
  }
  // Room for at least `n` more bytes (n no more than the capacity), to format into directly;
  // Commit() then says how many were used.
  char* Reserve(size_t n) {
    if (capacity_ - used_ < n) Flush();
    return buf_.get() + used_;
  }
  void Commit(size_t n) { used_ += n; }

  // Writes out what is buffered. Returns false when this or an earlier write failed.
  bool Flush();
  bool failed() const { return !error_.empty(); }
  // The system's reason for the failed write.
  const std::string& error() const { return error_; }
  // Whether the write failed because the reader has gone away (a closed pipe).
  bool reader_gone() const { return reader_gone_; }

 private:
  void WriteSlow(std::string_view text);
  void WriteOut(std::string_view first, std::string_view second);

  int fd_;
  size_t capacity_;
  std::unique_ptr<char[]> buf_;  // left uninitialised: pages are touched only as they fill
  size_t used_ = 0;
  std::string error_;
  bool reader_gone_ = false;
};

}  // namespace fc
