#include "comparer/output.h"

#include <errno.h>
#include <string.h>
#include <unistd.h>

namespace fc {

Output::Output(int fd, size_t capacity) : fd_(fd), capacity_(capacity), buf_(new char[capacity]) {}

void Output::WriteSlow(std::string_view text) {
  while (!text.empty()) {
    size_t room = capacity_ - used_;
    if (room == 0) {
      Flush();
      room = capacity_;
    }
    size_t n = text.size() < room ? text.size() : room;
    text.copy(buf_.get() + used_, n);
    used_ += n;
    text.remove_prefix(n);
  }
}

bool Output::Flush() {
  size_t done = 0;
  while (done < used_ && error_.empty()) {
    ssize_t n = write(fd_, buf_.get() + done, used_ - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && errno != EINTR) {
      error_ = strerror(errno);
      reader_gone_ = errno == EPIPE;
    } else if (n == 0) {
      error_ = "nothing could be written";
    }
  }
  used_ = 0;
  return error_.empty();
}

}  // namespace fc
