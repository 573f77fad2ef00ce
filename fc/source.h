// Where the comparer's bytes come from: a file, or memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fc {

// Random-access reading of one input.
class Source {
 public:
  virtual ~Source() = default;

  // Reads up to `size` bytes at `offset` into `out` and sets *got (0 at the end of the data).
  // Returns false with *error set to the system's reason when the read fails.
  virtual bool ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) = 0;
};

// A source over bytes held in memory; reads never fail.
class MemorySource : public Source {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
  bool ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) override;

 private:
  std::string bytes_;
};

}  // namespace fc
