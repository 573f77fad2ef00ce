#include "fc/run_index.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace fc {
namespace {

// The most slots of an index that is kept from one search to the next.
constexpr size_t kSmall = 4096;

}  // namespace

void RunIndex::Clear() {
  keys_ = 0;
  entries_[0].clear();
  entries_[1].clear();
  // A search after a short block, the common case, keeps the small table: its tags alone mark
  // its slots unused. A big one is given back.
  if (size_ > 0 && size_ <= kSmall) {
    std::memset(tags_, 0, size_ * sizeof(uint16_t));
  } else {
    Resize(0);
  }
}

// Moves the slots in use into a fresh table of `size` slots (a power of two), or of 256 when
// `size` is 0 and the slots are to be forgotten.
void RunIndex::Resize(size_t size) {
  ZeroedMemory old = std::move(memory_);
  const uint16_t* old_tags = tags_;
  const Slot* old_slots = slots_;
  size_t old_size = size_;
  size_ = std::max<size_t>(size, 256);
  // The tags first, then the slots; tags of 0 mark every slot unused.
  memory_ = ZeroedMemory(size_ * (sizeof(uint16_t) + sizeof(Slot)));
  tags_ = static_cast<uint16_t*>(memory_.get());
  slots_ = reinterpret_cast<Slot*>(tags_ + size_);
  if (size == 0) return;
  for (size_t k = 0; k < old_size; ++k) {
    if (old_tags[k] == 0) continue;
    size_t at = Place(old_slots[k].key);
    tags_[at] = old_tags[k];
    slots_[at] = old_slots[k];
  }
}

// The slot of `key`, or the unused slot where it would go.
size_t RunIndex::Place(uint32_t key) const {
  size_t mask = size_ - 1;
  size_t at = key & mask;
  uint16_t tag = Tag(key);
  while (tags_[at] != 0 && (tags_[at] != tag || slots_[at].key != key)) at = (at + 1) & mask;
  return at;
}

size_t RunIndex::Add(int side, uint32_t key, uint32_t pos) {
  GrowingArray<Entry>& entries = entries_[side];
  auto entry = static_cast<uint32_t>(entries.size());
  entries.push_back(Entry{pos, kNone, entry});
  size_t at = Place(key);
  Slot& slot = slots_[at];
  if (tags_[at] == 0) {
    tags_[at] = Tag(key);
    slot = Slot{key, {kNone, kNone}};
    ++keys_;
  }
  if (slot.first[side] == kNone) {
    slot.first[side] = entry;
  } else {
    Entry& first = entries[slot.first[side]];
    entries[first.last].next = entry;
    first.last = entry;
  }
  return at;
}

}  // namespace fc
