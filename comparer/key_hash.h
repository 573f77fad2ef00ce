// Hashing keys: the hash of a key given in pieces, and the part of it that a line keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fc {

// A 64-bit hash of bytes given in pieces. Equal byte strings give equal hashes however they
// were cut, because the bytes are mixed in whole 8-byte words.
class KeyHasher {
 public:
  void Add(std::string_view piece);
  // The hash of everything added since the last Finish; starts over.
  uint64_t Finish();

 private:
  void Mix(uint64_t word);

  uint64_t state_ = kSeed;
  uint64_t length_ = 0;
  unsigned char word_[8] = {};  // the bytes of an unfinished word
  size_t held_ = 0;
  static constexpr uint64_t kSeed = 0x243F6A8885A308D3ull;
};

// The 32 bits of a key's hash that the resync search keeps for a line. They are plenty: equal
// hashes only ever pick candidates, which are then compared exactly, and the smaller window
// lets /LB reach far with little memory.
inline uint32_t LineHash(uint64_t hash) {
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

}  // namespace fc
