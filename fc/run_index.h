// The index of the runs that a resync search has seen on both sides.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fc/growing_array.h"
#include "fc/zeroed_memory.h"

namespace fc {

// A hash table of run hashes with open addressing (linear probing over 16-bit tags), whose
// slots head, for each side, a chain of the positions added under their key in the order they
// were added: the hash chains of an LZ77 match finder. One table serves both sides, so that
// adding a run and finding the other side's runs with the same hash is one look. Positions are
// 32-bit: a window of four billion lines would need far more memory than the index saves.
class RunIndex {
  struct Entry;
  static constexpr uint32_t kNone = UINT32_MAX;

 public:
  // The positions of one side under one key, in the order they were added.
  class Chain {
   public:
    class Iterator {
     public:
      uint32_t operator*() const { return (*entries_)[entry_].pos; }
      Iterator& operator++() {
        entry_ = (*entries_)[entry_].next;
        return *this;
      }
      bool operator!=(const Iterator& other) const { return entry_ != other.entry_; }

     private:
      friend class Chain;
      Iterator(const GrowingArray<Entry>* entries, uint32_t entry)
          : entries_(entries), entry_(entry) {}
      const GrowingArray<Entry>* entries_;
      uint32_t entry_;
    };
    Iterator begin() const { return Iterator(entries_, first_); }
    Iterator end() const { return Iterator(entries_, kNone); }

   private:
    friend class RunIndex;
    Chain(const GrowingArray<Entry>* entries, uint32_t first) : entries_(entries), first_(first) {}
    const GrowingArray<Entry>* entries_;
    uint32_t first_;
  };

  // Forgets every position.
  void Clear();
  // Makes room for two more keys, so that the slots that the next two Add calls return stay
  // where they are until the call after them.
  void MakeRoom() {
    if ((keys_ + 2) * 2 > size_) Resize(2 * size_);
  }
  // Adds position `pos` of `side` under `key`, after every position of that side added before;
  // returns the slot of that key.
  size_t Add(int side, uint32_t key, uint32_t pos);
  // The positions of `side` under the key of `slot`, a slot that Add returned since the last
  // MakeRoom but one.
  Chain Positions(size_t slot, int side) const {
    return Chain(&entries_[side], slots_[slot].first[side]);
  }

 private:
  struct Slot {
    uint32_t key;
    uint32_t first[2];  // the first entry of each side under `key`, or kNone
  };
  // A position added, in a chain of the entries of one side under one key. `last` is kept at a
  // chain's first entry only: where the chain ends, for the next one to be added.
  struct Entry {
    uint32_t pos;
    uint32_t next;  // the entry added after this one under the same key, or kNone
    uint32_t last;
  };
  // A slot's tag: 16 bits of its key, never 0, which marks a slot unused.
  static uint16_t Tag(uint32_t key) { return static_cast<uint16_t>(key >> 16) | (key >> 16 == 0); }
  void Resize(size_t size);
  size_t Place(uint32_t key) const;

  // Half full at most. A look for a key goes through the slots' tags, which take a seventh of
  // the memory and so mostly stay in the processor's cache; the slot itself is read only when
  // its tag matches, which for a key not yet added is almost never.
  ZeroedMemory memory_;
  uint16_t* tags_ = nullptr;
  Slot* slots_ = nullptr;
  size_t size_ = 0;
  size_t keys_ = 0;
  // The entries of each side in the order they were added: as many as there are runs in the
  // index, side by side in memory, however far apart their positions lie.
  GrowingArray<Entry> entries_[2];
};

}  // namespace fc
