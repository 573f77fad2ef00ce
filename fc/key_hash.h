// Hashing keys: the hash of a key given in pieces, and the part of it that a line keeps.
#pragma once

#include <xxhash.h>

#include <cstdint>
#include <memory>
#include <string_view>

namespace fc {

// XXH3's 64-bit hash of a key given in pieces: equal byte strings give equal hashes however
// they were cut, and the same hash as the key given whole. Throws std::bad_alloc when there is
// no memory for its state.
class KeyHasher {
 public:
  KeyHasher();

  void Add(std::string_view piece) { XXH3_64bits_update(state_.get(), piece.data(), piece.size()); }
  // The hash of everything added since the last Finish; starts over.
  uint64_t Finish() {
    uint64_t hash = XXH3_64bits_digest(state_.get());
    XXH3_64bits_reset(state_.get());
    return hash;
  }
  // The hash of `key` given whole: the same as Add(key) and then Finish().
  static uint64_t Of(std::string_view key) { return XXH3_64bits(key.data(), key.size()); }

 private:
  struct FreeState {
    void operator()(XXH3_state_t* state) const { XXH3_freeState(state); }
  };
  std::unique_ptr<XXH3_state_t, FreeState> state_;
};

// The 32 bits of a key's hash that the resync search keeps for a line. They are plenty: equal
// hashes only ever pick candidates, which are then compared exactly, and the smaller window
// lets /LB reach far with little memory.
inline uint32_t LineHash(uint64_t hash) {
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

}  // namespace fc
