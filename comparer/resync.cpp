#include "comparer/resync.h"

#include <algorithm>

namespace fc {
namespace {

// Runs of `min_match` lines are hashed as a polynomial in the line hashes, so that the hash
// of the run at the next position follows from the last one in constant time.
constexpr uint32_t kRunBase = 0x01000193u;

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

// The rolling hash of the runs of one side, position by position.
struct RunHasher {
  uint32_t hash = 0;
  uint64_t next = 0;  // the position whose run `hash` will be after Advance()

  uint32_t Advance(const LineWindow& w, uint64_t len, uint32_t top_power) {
    if (next == 0) {
      for (uint64_t k = 0; k < len; ++k) hash = hash * kRunBase + w.hash(k);
    } else {
      hash = (hash - w.hash(next - 1) * top_power) * kRunBase + w.hash(next - 1 + len);
    }
    ++next;
    return hash;
  }
};

}  // namespace

void RunIndex::Clear() {
  keys_.clear();
  next_.clear();
  last_.clear();
  slots_.assign(256, kNone);
  chains_ = 0;
}

size_t RunIndex::Slot(uint32_t key) const {
  size_t mask = slots_.size() - 1;
  size_t at = static_cast<size_t>(key) & mask;
  while (slots_[at] != kNone && keys_[slots_[at]] != key) at = (at + 1) & mask;
  return at;
}

void RunIndex::Grow() {
  std::vector<uint32_t> old;
  old.swap(slots_);
  slots_.assign(old.size() * 2, kNone);
  for (uint32_t first : old)
    if (first != kNone) slots_[Slot(keys_[first])] = first;
}

void RunIndex::Add(uint32_t key) {
  auto pos = static_cast<uint32_t>(keys_.size());
  keys_.push_back(key);
  next_.push_back(kNone);
  last_.push_back(pos);
  size_t at = Slot(key);
  if (slots_[at] == kNone) {
    slots_[at] = pos;
    if (++chains_ * 2 > slots_.size()) Grow();
    return;
  }
  uint32_t first = slots_[at];
  next_[last_[first]] = pos;
  last_[first] = pos;
}

uint32_t RunIndex::First(uint32_t key) const {
  return slots_[Slot(key)];
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

// Once both ends are known: the point from which both files end within `min_match` lines with
// every remaining line equal. The longer the equal tail, the smaller i + j, so the longest one
// (up to min_match - 1 lines) is the only candidate worth checking.
bool ResyncSearch::Tail(LineWindow& a, LineWindow& b, uint64_t max_mismatch, uint64_t min_match,
                        ResyncPoint* best) {
  uint64_t na = a.known(), nb = b.known();
  uint64_t cap = std::min({min_match - 1, na, nb});
  uint64_t equal = 0;
  while (equal < cap) {
    bool same = false;
    if (!Same(a, na - 1 - equal, b, nb - 1 - equal, &same)) return false;
    if (!same) break;
    ++equal;
  }
  uint64_t i = na - equal, j = nb - equal;
  if (i <= max_mismatch && j <= max_mismatch && Better(i, j, *best)) *best = {true, i, j};
  return true;
}

// Levels s = 0, 1, 2, ... add the run starting at distance s on each side to that side's index
// and then try every pair with max(i, j) = s, looking the new run up in the other side's index.
// The index is what keeps a search over a window of W lines near O(W) instead of the O(W*W) of
// trying every pair (i, j); and because the search stops at the first level past the best i + j
// found so far, the work per block is proportional to the block's own size, not to /LB.
bool ResyncSearch::Find(LineWindow& a, LineWindow& b, uint64_t max_mismatch, uint64_t min_match,
                        ResyncPoint* point) {
  ResyncPoint best;
  index_a_.Clear();
  index_b_.Clear();
  failed_up_to_.clear();
  RunHasher run_a, run_b;
  // How much of a run the windows hold; the rest is read on (see RunGoesOn).
  const uint64_t held = std::min(min_match, max_mismatch);
  const uint32_t top_power = Power(kRunBase, held - 1);
  bool tail_done = false;
  auto same_run = [&](uint64_t i, uint64_t j, bool* same) {
    if (!SameRun(a, i, b, j, held, same)) return false;
    return !*same || held == min_match ||
           RunGoesOn(a, i + held, b, j + held, min_match - held, same);
  };
  for (uint64_t s = 0; s <= max_mismatch; ++s) {
    if (best.found && s > best.i + best.j) break;
    if (!a.Extend(s + held) || !b.Extend(s + held)) return false;
    bool ended = a.ended() && b.ended();
    if (ended && !tail_done) {
      tail_done = true;
      if (!Tail(a, b, max_mismatch, min_match, &best)) return false;
      if (best.found && s > best.i + best.j) break;
    }
    if (ended && s > a.known() && s > b.known()) break;
    bool add_a = s + held <= a.known();
    bool add_b = s + held <= b.known();
    if ((add_a && !a.HashLines(s, held)) || (add_b && !b.HashLines(s, held))) return false;
    uint32_t key_a = add_a ? run_a.Advance(a, held, top_power) : 0;
    uint32_t key_b = add_b ? run_b.Advance(b, held, top_power) : 0;
    if (add_a) index_a_.Add(key_a);
    if (add_b) index_b_.Add(key_b);
    for (uint32_t j = add_a ? index_b_.First(key_a) : RunIndex::kNone;
         j != RunIndex::kNone && Better(s, j, best); j = index_b_.Next(j)) {
      bool same = false;
      if (!same_run(s, j, &same)) return false;
      if (same) {
        best = {true, s, j};
        break;
      }
    }
    for (uint32_t i = add_b ? index_a_.First(key_b) : RunIndex::kNone;
         i != RunIndex::kNone && i < s && Better(i, s, best); i = index_a_.Next(i)) {
      bool same = false;
      if (!same_run(i, s, &same)) return false;
      if (same) {
        best = {true, i, s};
        break;
      }
    }
  }
  *point = best;
  return true;
}

}  // namespace fc
