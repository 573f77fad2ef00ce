#include "fc/output.h"

#include <errno.h>
#include <string.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>

namespace fc {

Output::Output(int fd, size_t capacity) : fd_(fd), capacity_(capacity), buf_(new char[capacity]) {}

// Writes the buffer out together with the start of `text` that makes it a whole piece, in one
// call and without a copy; whole pieces of what is left go straight from `text`, so that every
// write is still one piece long, and the rest waits in the buffer.
void Output::WriteSlow(std::string_view text) {
  size_t room = capacity_ - used_;
  WriteOut(std::string_view(buf_.get(), used_), text.substr(0, room));
  text.remove_prefix(room);
  while (text.size() >= capacity_) {
    WriteOut(text.substr(0, capacity_), {});
    text.remove_prefix(capacity_);
  }
  text.copy(buf_.get(), text.size());
  used_ = text.size();
}

bool Output::Flush() {
  WriteOut(std::string_view(buf_.get(), used_), {});
  used_ = 0;
  return error_.empty();
}

void Output::WriteOut(std::string_view first, std::string_view second) {
  while (!(first.empty() && second.empty()) && error_.empty()) {
    iovec parts[2] = {{const_cast<char*>(first.data()), first.size()},
                      {const_cast<char*>(second.data()), second.size()}};
    ssize_t wrote = writev(fd_, parts, 2);
    if (wrote > 0) {
      auto n = static_cast<size_t>(wrote);
      size_t from_first = std::min(n, first.size());
      first.remove_prefix(from_first);
      second.remove_prefix(n - from_first);
    } else if (wrote < 0 && errno != EINTR) {
      error_ = strerror(errno);
      reader_gone_ = errno == EPIPE;
    } else if (wrote == 0) {
      error_ = "nothing could be written";
    }
  }
}

}  // namespace fc
