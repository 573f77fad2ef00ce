#include "fc/zeroed_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace fc {
namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// From this size on a block is given whole huge pages, though up to half of the last one may
// go unused.
constexpr size_t kBig = kHugePage / 2;

size_t Rounded(size_t bytes) {
  return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

// Maps `bytes` (whole huge pages) at an address that huge pages can back, or returns nullptr.
void* MapAligned(size_t bytes) {
  size_t extra = bytes + kHugePage;
  void* p = mmap(nullptr, extra, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  auto start = reinterpret_cast<uintptr_t>(p);
  uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > start) munmap(p, aligned - start);
  size_t tail = start + extra - (aligned + bytes);
  if (tail > 0) munmap(reinterpret_cast<void*>(aligned + bytes), tail);
  void* block = reinterpret_cast<void*>(aligned);
  madvise(block, bytes, MADV_HUGEPAGE);  // only a wish: small pages work too
  return block;
}

}  // namespace

ZeroedMemory::ZeroedMemory(size_t bytes) : bytes_(bytes) {
  p_ = bytes < kBig ? std::calloc(bytes == 0 ? 1 : bytes, 1) : MapAligned(Rounded(bytes));
  if (p_ == nullptr) throw std::bad_alloc();
}

ZeroedMemory::~ZeroedMemory() {
  if (p_ == nullptr) return;
  if (bytes_ < kBig) {
    std::free(p_);
  } else {
    munmap(p_, Rounded(bytes_));
  }
}

}  // namespace fc
