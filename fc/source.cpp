#include "fc/source.h"

#include <algorithm>
#include <cstring>

namespace fc {

bool MemorySource::ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string*) {
  *got = 0;
  if (offset >= bytes_.size()) return true;
  *got = std::min<size_t>(size, bytes_.size() - offset);
  std::memcpy(out, bytes_.data() + offset, *got);
  return true;
}

}  // namespace fc
