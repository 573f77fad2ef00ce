// Memory for the big table of a long resync search.
#pragma once

#include <cstddef>
#include <utility>

namespace fc {

// A block of `bytes` zeroed bytes, given back when destroyed. A big block is mapped afresh, which
// gives zeroed pages without a pass over them, and in huge pages where the system has them: the
// index of a search over a million lines is reached at random, and with small pages nearly
// every look into it also walks page tables that no cache holds (in a virtual machine, twice
// over). Throws std::bad_alloc when there is no memory, as new does.
class ZeroedMemory {
 public:
  ZeroedMemory() = default;
  explicit ZeroedMemory(size_t bytes);
  ~ZeroedMemory();
  ZeroedMemory(ZeroedMemory&& other) noexcept { *this = std::move(other); }
  ZeroedMemory& operator=(ZeroedMemory&& other) noexcept {
    std::swap(p_, other.p_);
    std::swap(bytes_, other.bytes_);
    return *this;
  }
  void* get() const { return p_; }

 private:
  void* p_ = nullptr;
  size_t bytes_ = 0;
};

}  // namespace fc
