#include "fc/key_hash.h"

#include <new>

namespace fc {

KeyHasher::KeyHasher() : state_(XXH3_createState()) {
  if (state_ == nullptr) throw std::bad_alloc();
  XXH3_64bits_reset(state_.get());
}

}  // namespace fc
