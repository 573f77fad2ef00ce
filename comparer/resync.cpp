#include "comparer/resync.h"

#include <algorithm>
#include <cstring>

namespace fc {
namespace {

uint32_t Power(uint32_t base, uint64_t exp) {
  uint32_t result = 1;
  while (exp > 0) {
    if (exp & 1) result *= base;
    base *= base;
    exp >>= 1;
  }
  return result;
}

bool Better(uint64_t i, uint64_t j, const ResyncPoint& best) {
  if (!best.found) return true;
  uint64_t sum = i + j, best_sum = best.i + best.j;
  return sum < best_sum || (sum == best_sum && i < best.i);
}

constexpr size_t kNoSlot = SIZE_MAX;
// The most slots of an index that is kept from one search to the next.
constexpr size_t kSmall = 4096;
// From how many lines a search counts as big (see Reach).
constexpr uint64_t kBigSearch = 4096;

}  // namespace

void RunHasher::Start(uint64_t len) {
  len_ = len;
  top_power_ = Power(kBase, len - 1);
  hash_ = 0;
  next_ = 0;
}

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

void KeyFilter::Clear() {
  words_.assign(1, 0);
  count_ = 1;
  covered_ = 0;
  valid_ = true;
}

bool KeyFilter::Cover(const LineWindow& w, uint64_t len) {
  if (!valid_) return false;
  if (!w.all_hashed()) {
    valid_ = false;
    return true;
  }
  uint64_t runs = w.known() + 1 - std::min(w.known() + 1, len);
  if (runs <= covered_) return false;
  // Sixteen bits a run: about one key in fifty that no run has still passes. When the window
  // outgrows the bits, they are made enough for as many lines as it has room for (or, once its
  // file has ended, for the runs it holds), and taken again.
  if (count_ * 64 < 16 * runs) {
    uint64_t words = (16 * (w.ended() ? runs : std::max(runs, w.room())) + 63) / 64;
    words_.assign(words, 0);
    count_ = words;
    covered_ = 0;
  }
  RunHasher run;
  run.Start(len);
  for (uint64_t pos = covered_; pos < runs; ++pos) {
    uint64_t mix = Mix(run.At(w, pos));
    words_[Word(mix)] |= Bits(mix);
  }
  covered_ = runs;
  return true;
}

bool ResyncSearch::Same(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* same) {
  *same = false;
  if (i == 0 && j == 0) return true;
  if (!a.HashLines(i, 1) || !b.HashLines(j, 1)) return false;
  if (a.hash(i) != b.hash(j)) return true;
  key_a_.Start();
  key_b_.Start();
  KeyReader ka(a.Reader(i, Fetching::kLineAlone), key_a_);
  KeyReader kb(b.Reader(j, Fetching::kLineAlone), key_b_);
  return SameLine(ka, kb, same);
}

// Hashes first, for all `len` pairs, then the exact texts: a match of hashes alone is never
// taken for equal lines.
bool ResyncSearch::SameRun(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, uint64_t len,
                           bool* same) {
  *same = false;
  for (uint64_t k = 0; k < len; ++k)
    if (a.hash(i + k) != b.hash(j + k)) return true;
  for (uint64_t k = 0; k < len; ++k) {
    if (!Same(a, i + k, b, j + k, same)) return false;
    if (!*same) return true;
  }
  return true;
}

// Sets *end to whether `input` ends at `pos`. Returns false after a read error.
bool ResyncSearch::AtEnd(InputBuffer& input, uint64_t pos, bool* end) {
  size_t avail = 0;
  if (input.Window(pos, 1, &avail) == nullptr) return false;
  *end = avail == 0;
  return true;
}

// Goes on from a run whose lines up to file1 line i and file2 line j are equal, through the
// next `count` pairs, reading the files past the windows. Sets *same when they are all equal, or
// when both files end with every pair before that equal. A run that fails marks its diagonal up
// to the failing pair, so that a later run there that would meet the same pair is not read
// again. Returns false after a read error.
bool ResyncSearch::RunGoesOn(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, uint64_t count,
                             bool* same) {
  *same = false;
  auto diagonal = static_cast<int64_t>(j - i);
  auto known = failed_up_to_.find(diagonal);
  if (known != failed_up_to_.end() && i <= known->second) return true;
  uint64_t pos_a = a.begin(i), pos_b = b.begin(j);
  for (uint64_t k = 0; k < count; ++k) {
    bool end_a = false, end_b = false;
    if (!AtEnd(a.input(), pos_a, &end_a) || !AtEnd(b.input(), pos_b, &end_b)) return false;
    if (end_a && end_b) break;
    bool equal = false;
    if (!end_a && !end_b) {
      key_a_.Start();
      key_b_.Start();
      KeyReader ka(LineReader(a.input(), pos_a), key_a_), kb(LineReader(b.input(), pos_b), key_b_);
      if (!SameLine(ka, kb, &equal)) return false;
      pos_a = ka.next_start();
      pos_b = kb.next_start();
    }
    if (!equal) {
      failed_up_to_[diagonal] = i + k;
      return true;
    }
  }
  *same = true;
  return true;
}

// Once both ends are known: the point from which both files end within min_match lines with
// every remaining line equal. The longer the equal tail, the smaller i + j, so the longest one
// (up to min_match - 1 lines) is the only candidate worth checking.
bool ResyncSearch::Tail(LineWindow& a, LineWindow& b) {
  uint64_t na = a.known(), nb = b.known();
  uint64_t cap = std::min({min_match_ - 1, na, nb});
  uint64_t equal = 0;
  while (equal < cap) {
    bool same = false;
    if (!Same(a, na - 1 - equal, b, nb - 1 - equal, &same)) return false;
    if (!same) break;
    ++equal;
  }
  uint64_t i = na - equal, j = nb - equal;
  if (i <= max_mismatch_ && j <= max_mismatch_ && Better(i, j, best_)) best_ = {true, i, j};
  return true;
}

// Whether the runs at file1 line i and file2 line j match for min_match lines (or to both ends):
// the windows hold the first held_ lines of each, and the rest is read on in the files.
bool ResyncSearch::Matches(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* same) {
  if (!SameRun(a, i, b, j, held_, same)) return false;
  if (!*same || held_ == min_match_) return true;
  return RunGoesOn(a, i + held_, b, j + held_, min_match_ - held_, same);
}

void ResyncSearch::MarkIndexed(int side, uint64_t pos) {
  std::vector<uint64_t>& bits = indexed_[side];
  if (pos / 64 >= bits.size()) bits.resize(pos / 64 + 1, 0);
  bits[pos / 64] |= uint64_t{1} << (pos % 64);
}

// Adds the run at s of `side`, whose hash is `key`, to the index and returns its slot; or, when
// none of the other side's known runs has that key, keeps it out and returns kNoSlot.
size_t ResyncSearch::AddRun(int side, uint32_t key, uint64_t s) {
  if (!filter_[1 - side].MayHold(key)) return kNoSlot;
  MarkIndexed(side, s);
  return index_.Add(side, key, static_cast<uint32_t>(s));
}

// Brings the filter of `side` up to its window `w`. When that lets more keys through, the
// other side's runs of the levels before `level` that were kept out and may match one of the
// new runs get their place in the index, in order of position: every run kept out has a key
// that the filter stopped, so a run of the same side with the same key that is in the index
// already came after it, and each chain stays in order. Their keys are made again from the
// lines' hashes, which costs less than keeping them: a search through files that have little
// in common keeps nearly all of its runs out.
void ResyncSearch::Cover(const LineWindow& w, int side, const LineWindow& other, uint64_t level) {
  const KeyFilter& filter = filter_[side];
  if (!filter_[side].Cover(w, held_)) return;
  int from = 1 - side;
  uint64_t runs = std::min(level, other.known() + 1 - std::min(other.known() + 1, held_));
  RunHasher run;
  run.Start(held_);
  for (uint64_t pos = 0; pos < runs; ++pos) {
    uint32_t key = run.At(other, pos);
    if (Indexed(from, pos) || !filter.MayHold(key)) continue;
    index_.MakeRoom();
    index_.Add(from, key, static_cast<uint32_t>(pos));
    MarkIndexed(from, pos);
  }
}

// Makes the window know at least `count` lines, unless its file ends first. It reads on (never
// past the most the search can ask for) by half as many again while the search is small, so
// that it reads little past a short block, and by four times as many once it is big, so that
// the window grows in a few large steps. Room is made ahead only for four times the lines the
// window already holds: the counts may promise far more lines than the file has.
bool ResyncSearch::Reach(LineWindow& w, uint64_t count) {
  if (w.known() >= count || w.ended()) return true;
  uint64_t ahead = count < kBigSearch ? count + count / 2 : 4 * count;
  ahead = std::min(ahead, max_mismatch_ + held_);
  w.Reserve(std::min(ahead, 4 * (w.known() + kBigSearch)));
  return w.Extend(ahead);
}

// The last level that can still give a better point, or the bound of the search.
uint64_t ResyncSearch::LastLevel(const LineWindow& a, const LineWindow& b) const {
  uint64_t last = max_mismatch_;
  if (best_.found) last = std::min(last, best_.i + best_.j);
  if (a.ended() && b.ended()) last = std::min(last, std::max(a.known(), b.known()));
  return last;
}

// Goes on from level s, while both windows hold the level's runs, to the first level where a
// run of either side may match one of the other side's known runs, or past the last level; the
// runs in between stay out of the index until the other side's window grows (see Cover), and
// the levels give no point. This is most of a search through files that have little in common.
uint64_t ResyncSearch::SkipHopeless(const LineWindow& a, const LineWindow& b, uint64_t s) {
  uint64_t last = LastLevel(a, b);
  for (; s <= last; ++s) {
    bool in_a = s + held_ <= a.known(), in_b = s + held_ <= b.known();
    if ((!in_a && !a.ended()) || (!in_b && !b.ended())) break;  // a window has to read on
    uint32_t key_a = in_a ? run_[0].At(a, s) : 0;
    uint32_t key_b = in_b ? run_[1].At(b, s) : 0;
    if ((in_a && filter_[1].MayHold(key_a)) || (in_b && filter_[0].MayHold(key_b))) break;
  }
  return s;
}

// Tries the pairs of level s: file1's run s against file2's runs up to s with the same hash,
// then file2's run s against file1's runs before s, each in order, and stops at the first that
// matches or can no longer beat the best point. kNoSlot stands for a side without a run at s.
bool ResyncSearch::TryLevel(LineWindow& a, LineWindow& b, uint64_t s, size_t slot_a,
                            size_t slot_b) {
  for (uint32_t e = slot_a != kNoSlot ? index_.First(slot_a, 1) : RunIndex::kNone;
       e != RunIndex::kNone; e = index_.Next(1, e)) {
    uint32_t j = index_.Position(1, e);
    if (!Better(s, j, best_)) break;
    bool same = false;
    if (!Matches(a, s, b, j, &same)) return false;
    if (same) {
      best_ = {true, s, j};
      break;
    }
  }
  for (uint32_t e = slot_b != kNoSlot ? index_.First(slot_b, 0) : RunIndex::kNone;
       e != RunIndex::kNone; e = index_.Next(0, e)) {
    uint32_t i = index_.Position(0, e);
    if (i >= s || !Better(i, s, best_)) break;
    bool same = false;
    if (!Matches(a, i, b, s, &same)) return false;
    if (same) {
      best_ = {true, i, s};
      break;
    }
  }
  return true;
}

// Adds the runs at level s that can match to the index and tries the level's pairs. Returns
// false after a read error.
bool ResyncSearch::SearchLevel(LineWindow& a, LineWindow& b, uint64_t s) {
  bool add_a = s + held_ <= a.known();
  bool add_b = s + held_ <= b.known();
  if ((add_a && !a.HashLines(s, held_)) || (add_b && !b.HashLines(s, held_))) return false;
  index_.MakeRoom();
  size_t slot_a = add_a ? AddRun(0, run_[0].At(a, s), s) : kNoSlot;
  size_t slot_b = add_b ? AddRun(1, run_[1].At(b, s), s) : kNoSlot;
  return (slot_a == kNoSlot && slot_b == kNoSlot) || TryLevel(a, b, s, slot_a, slot_b);
}

// Levels s = 0, 1, 2, ... add the run starting at distance s on each side to the index and then
// try every pair with max(i, j) = s, looking the new run up among the other side's. The index
// is what keeps a search over a window of W lines near O(W) instead of the O(W*W) of trying
// every pair (i, j); and because the search stops at the first level past the best i + j found
// so far, the work per block is proportional to the block's own size, not to /LB. A run whose
// key none of the other side's known runs has stays out of the index until one may (see
// Cover), so that files with little in common, whose searches are the longest, fill it little.
bool ResyncSearch::Find(LineWindow& a, LineWindow& b, uint64_t max_mismatch, uint64_t min_match,
                        ResyncPoint* point) {
  max_mismatch_ = max_mismatch;
  min_match_ = min_match;
  // How much of a run the windows hold; the rest is read on (see RunGoesOn).
  held_ = std::min(min_match, max_mismatch);
  best_ = ResyncPoint();
  index_.Clear();
  if (!failed_up_to_.empty()) failed_up_to_.clear();
  for (int side = 0; side < 2; ++side) {
    filter_[side].Clear();
    indexed_[side].clear();
  }
  run_[0].Start(held_);
  run_[1].Start(held_);
  bool tail_done = false;
  for (uint64_t s = 0; s <= max_mismatch; ++s) {
    if (best_.found && s > best_.i + best_.j) break;
    if (!Reach(a, s + held_) || !Reach(b, s + held_)) return false;
    if (a.ended() && b.ended() && !tail_done) {
      tail_done = true;
      if (!Tail(a, b)) return false;
    }
    Cover(a, 0, b, s);
    Cover(b, 1, a, s);
    // The levels where no run can match go by at a glance, while every line is hashed; the
    // search goes on from where that stops as from any level, reading on first if it must.
    if (a.all_hashed() && b.all_hashed()) {
      uint64_t next = SkipHopeless(a, b, s);
      if (next > s) {
        s = next - 1;
        continue;
      }
    }
    if (s > LastLevel(a, b)) break;
    if (!SearchLevel(a, b, s)) return false;
  }
  *point = best_;
  return true;
}

}  // namespace fc
