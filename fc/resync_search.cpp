#include "fc/resync_search.h"

#include <algorithm>

#include "fc/line_reader.h"

namespace fc {
namespace {

// Whether the point (i, j) comes before `best` in the search's order: smaller i + j, then
// smaller i.
bool Better(uint64_t i, uint64_t j, const ResyncPoint& best) {
  if (!best.found) return true;
  uint64_t sum = i + j, best_sum = best.i + best.j;
  return sum < best_sum || (sum == best_sum && i < best.i);
}

// Sets *end to whether `input` ends at `pos`. Returns false after a read error.
bool AtEnd(InputBuffer& input, uint64_t pos, bool* end) {
  size_t avail = 0;
  if (input.Window(pos, 1, &avail) == nullptr) return false;
  *end = avail == 0;
  return true;
}

constexpr size_t kNoSlot = SIZE_MAX;
// From how many lines a search counts as big (see Reach).
constexpr uint64_t kBigSearch = 4096;

}  // namespace

// Sets *equal to whether file1 line i and file2 line j have the same key; lines 0 of both are
// where the block starts, known to differ. Returns false after a read error.
bool ResyncSearch::LinesEqual(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* equal) {
  *equal = false;
  if (i == 0 && j == 0) return true;
  if (!a.HashLines(i, 1) || !b.HashLines(j, 1)) return false;
  if (a.hash(i) != b.hash(j)) return true;
  key_a_.Start();
  key_b_.Start();
  KeyReader ka(a.Reader(i, Fetching::kLineAlone), key_a_);
  KeyReader kb(b.Reader(j, Fetching::kLineAlone), key_b_);
  return SameLine(ka, kb, equal);
}

// Sets *equal to whether the `count` lines from file1 line i and file2 line j, all in the
// windows and hashed, are equal pairwise: hashes first, for all pairs, then the exact texts, so
// that a match of hashes alone is never taken for equal lines. Returns false after a read error.
bool ResyncSearch::HeldLinesEqual(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j,
                                  uint64_t count, bool* equal) {
  *equal = false;
  for (uint64_t k = 0; k < count; ++k)
    if (a.hash(i + k) != b.hash(j + k)) return true;
  for (uint64_t k = 0; k < count; ++k) {
    if (!LinesEqual(a, i + k, b, j + k, equal)) return false;
    if (!*equal) return true;
  }
  return true;
}

// Goes on from a run whose lines up to file1 line i and file2 line j are equal, through the
// next `count` pairs, reading the files past the windows. Sets *equal when they are all equal,
// or when both files end with every pair before that equal. A run that fails marks its diagonal
// up to the failing pair, so that a later run there that would meet the same pair is not read
// again. Returns false after a read error.
bool ResyncSearch::LinesPastWindowsEqual(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j,
                                         uint64_t count, bool* equal) {
  *equal = false;
  auto diagonal = static_cast<int64_t>(j - i);
  auto known = failed_up_to_.find(diagonal);
  if (known != failed_up_to_.end() && i <= known->second) return true;
  uint64_t pos_a = a.begin(i), pos_b = b.begin(j);
  for (uint64_t k = 0; k < count; ++k) {
    bool end_a = false, end_b = false;
    if (!AtEnd(a.input(), pos_a, &end_a) || !AtEnd(b.input(), pos_b, &end_b)) return false;
    if (end_a && end_b) break;
    bool same = false;
    if (!end_a && !end_b) {
      key_a_.Start();
      key_b_.Start();
      KeyReader ka(LineReader(a.input(), pos_a), key_a_), kb(LineReader(b.input(), pos_b), key_b_);
      if (!SameLine(ka, kb, &same)) return false;
      pos_a = ka.next_start();
      pos_b = kb.next_start();
    }
    if (!same) {
      failed_up_to_[diagonal] = i + k;
      return true;
    }
  }
  *equal = true;
  return true;
}

// Sets *match to whether the runs at file1 line i and file2 line j match for min_match lines
// (or to both ends): the windows hold the first held_ lines of each, and the rest is read on in
// the files. Returns false after a read error.
bool ResyncSearch::RunsMatch(LineWindow& a, uint64_t i, LineWindow& b, uint64_t j, bool* match) {
  if (!HeldLinesEqual(a, i, b, j, held_, match)) return false;
  if (!*match || held_ == min_match_) return true;
  return LinesPastWindowsEqual(a, i + held_, b, j + held_, min_match_ - held_, match);
}

// Once both ends are known: the point from which both files end within min_match lines with
// every remaining line equal. The longer the equal tail, the smaller i + j, so the longest one
// (up to min_match - 1 lines) is the only candidate worth checking. Returns false after a read
// error.
bool ResyncSearch::TryEnds(LineWindow& a, LineWindow& b) {
  uint64_t na = a.known(), nb = b.known();
  uint64_t cap = std::min({min_match_ - 1, na, nb});
  uint64_t tail = 0;
  while (tail < cap) {
    bool equal = false;
    if (!LinesEqual(a, na - 1 - tail, b, nb - 1 - tail, &equal)) return false;
    if (!equal) break;
    ++tail;
  }
  uint64_t i = na - tail, j = nb - tail;
  if (i <= max_mismatch_ && j <= max_mismatch_ && Better(i, j, best_)) best_ = {true, i, j};
  return true;
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
void ResyncSearch::UpdateFilter(int side, const LineWindow& w, const LineWindow& other,
                                uint64_t level) {
  KeyFilter& filter = filter_[side];
  if (!filter.Update(w, held_)) return;
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
// window already holds: the counts may promise far more lines than the file has. Returns false
// after a read error.
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

// Returns the first level from s on where a run of either side may match one of the other
// side's known runs, where a window has to read on, or past the last level: the levels before
// it give no point, and their runs stay out of the index until the other side's window grows
// (see UpdateFilter). This is most of a search through files that have little in common. Only
// while every line of both windows is hashed can the filters say so; until then, returns s.
uint64_t ResyncSearch::SkipHopeless(const LineWindow& a, const LineWindow& b, uint64_t s) {
  if (!a.all_hashed() || !b.all_hashed()) return s;
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

// Tries the run at level s of `side`, which the index holds under `slot`, against the other
// side's runs there in order of position, up to s for file1's run and before s for file2's (the
// pair (s, s) is file1's to try), and stops at the first that matches or can no longer beat the
// best point. Returns false after a read error.
bool ResyncSearch::TryRun(LineWindow& a, LineWindow& b, int side, uint64_t s, size_t slot) {
  for (uint32_t pos : index_.Positions(slot, 1 - side)) {
    if (side == 1 && pos >= s) break;
    uint64_t i = side == 0 ? s : pos, j = side == 0 ? pos : s;
    if (!Better(i, j, best_)) break;
    bool match = false;
    if (!RunsMatch(a, i, b, j, &match)) return false;
    if (match) {
      best_ = {true, i, j};
      break;
    }
  }
  return true;
}

// Adds the runs at level s that can match to the index and tries the level's pairs: file1's
// new run against file2's runs, then file2's against file1's. Returns false after a read error.
bool ResyncSearch::SearchLevel(LineWindow& a, LineWindow& b, uint64_t s) {
  bool add_a = s + held_ <= a.known();
  bool add_b = s + held_ <= b.known();
  if ((add_a && !a.HashLines(s, held_)) || (add_b && !b.HashLines(s, held_))) return false;
  index_.MakeRoom();
  size_t slot_a = add_a ? AddRun(0, run_[0].At(a, s), s) : kNoSlot;
  size_t slot_b = add_b ? AddRun(1, run_[1].At(b, s), s) : kNoSlot;
  return (slot_a == kNoSlot || TryRun(a, b, 0, s, slot_a)) &&
         (slot_b == kNoSlot || TryRun(a, b, 1, s, slot_b));
}

// Forgets the last search and sets up one for these counts.
void ResyncSearch::Start(uint64_t max_mismatch, uint64_t min_match) {
  max_mismatch_ = max_mismatch;
  min_match_ = min_match;
  // How much of a run the windows hold; the rest is read on (see LinesPastWindowsEqual).
  held_ = std::min(min_match, max_mismatch);
  best_ = ResyncPoint();
  index_.Clear();
  if (!failed_up_to_.empty()) failed_up_to_.clear();
  for (int side = 0; side < 2; ++side) {
    filter_[side].Clear();
    indexed_[side].clear();
    run_[side].Start(held_);
  }
}

// Levels s = 0, 1, 2, ... add the run starting at distance s on each side to the index and then
// try every pair with max(i, j) = s, looking the new run up among the other side's. The index
// is what keeps a search over a window of W lines near O(W) instead of the O(W*W) of trying
// every pair (i, j); and because the search stops at the first level past the best i + j found
// so far, the work per block is proportional to the block's own size, not to /LB. A run whose
// key none of the other side's known runs has stays out of the index until one may (see
// UpdateFilter), so that files with little in common, whose searches are the longest, fill it
// little.
bool ResyncSearch::Find(LineWindow& a, LineWindow& b, uint64_t max_mismatch, uint64_t min_match,
                        ResyncPoint* point) {
  Start(max_mismatch, min_match);
  bool ends_tried = false;
  uint64_t s = 0;
  while (s <= max_mismatch && !(best_.found && s > best_.i + best_.j)) {
    // Each turn first brings the windows, and then the filters, up to level s.
    if (!Reach(a, s + held_) || !Reach(b, s + held_)) return false;
    if (a.ended() && b.ended() && !ends_tried) {
      ends_tried = true;
      if (!TryEnds(a, b)) return false;
    }
    UpdateFilter(0, a, b, s);
    UpdateFilter(1, b, a, s);
    // Then it either passes the levels where no run can match at a glance, and the next turn
    // takes the level where that stopped as any other, reading on first if it must; or it
    // searches level s.
    uint64_t hopeful = SkipHopeless(a, b, s);
    if (hopeful > s) {
      s = hopeful;
    } else {
      if (s > LastLevel(a, b)) break;
      if (!SearchLevel(a, b, s)) return false;
      ++s;
    }
  }
  *point = best_;
  return true;
}

}  // namespace fc
