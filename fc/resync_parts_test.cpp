// The pieces of the resync search, each held to the promise that the search's correctness rests
// on: the rolled run hash is the one made afresh, the key filter never rejects a key it holds,
// and the index's chains keep their positions in order.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "fc/key_filter.h"
#include "fc/resync_search.h"
#include "fc/run_hash.h"
#include "fc/run_index.h"
#include "fc/source.h"

namespace fc {
namespace {

// The lines of `text`, read through a buffer of `chunk` bytes into a window as the search reads
// them.
struct Window {
  Window(const std::string& text, size_t chunk)
      : source(text), input(source, "t", InputBuffer::kNoLimit, chunk, chunk), lines(input, {}) {}
  MemorySource source;
  InputBuffer input;
  LineWindow lines;
};

// `count` lines drawn from a few, so that runs and their hashes repeat.
std::string RandomLines(std::mt19937& rng, int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += "line " + std::to_string(rng() % 7) + "\n";
  return text;
}

// Rolled on position by position, asked again for the same position, or sent back and forth:
// every hash is the one that a fresh hasher makes for that run alone.
TEST(RunHasher, RolledHashIsTheHashMadeAfresh) {
  std::mt19937 rng(7);
  Window w(RandomLines(rng, 300), 4096);
  ASSERT_TRUE(w.lines.Extend(300));
  for (uint64_t len : {1, 2, 3, 8, 40}) {
    auto afresh = [&](uint64_t pos) {
      RunHasher fresh;
      fresh.Start(len);
      return fresh.At(w.lines, pos);
    };
    RunHasher rolling;
    rolling.Start(len);
    uint64_t runs = 300 - len + 1;
    for (uint64_t pos = 0; pos < runs; ++pos) {
      EXPECT_EQ(rolling.At(w.lines, pos), afresh(pos)) << "len " << len << " pos " << pos;
      EXPECT_EQ(rolling.At(w.lines, pos), afresh(pos)) << "len " << len << " pos " << pos;
    }
    for (int k = 0; k < 200; ++k) {
      uint64_t pos = rng() % runs;
      EXPECT_EQ(rolling.At(w.lines, pos), afresh(pos)) << "len " << len << " pos " << pos;
    }
  }
}

// A window that grows while its filter follows it, its bits made afresh when it outgrows them:
// every run it holds passes, at every step; and most keys that no run has are stopped.
TEST(KeyFilter, NeverRejectsAKeyItHoldsAndStopsMostOthers) {
  std::mt19937 rng(11);
  std::string text;
  for (int k = 0; k < 3000; ++k) text += std::to_string(rng()) + "\n";
  for (uint64_t len : {1, 2, 5}) {
    Window w(text, 512);
    KeyFilter filter;
    filter.Clear();
    RunHasher run;
    run.Start(len);
    std::map<uint32_t, bool> held;
    for (uint64_t known = 1; known <= 3000; known += 1 + known / 2) {
      ASSERT_TRUE(w.lines.Extend(known));
      w.lines.Reserve(2 * known);
      EXPECT_EQ(filter.Update(w.lines, len), known >= len) << known;
      EXPECT_FALSE(filter.Update(w.lines, len));
      for (uint64_t pos = 0; pos + len <= w.lines.known(); ++pos) {
        uint32_t key = run.At(w.lines, pos);
        held[key] = true;
        ASSERT_TRUE(filter.MayHold(key)) << "len " << len << " known " << known << " pos " << pos;
      }
    }
    int passed = 0, tried = 0;
    for (int k = 0; k < 20000; ++k) {
      auto key = static_cast<uint32_t>(rng());
      if (held.count(key)) continue;
      ++tried;
      passed += filter.MayHold(key);
    }
    EXPECT_LT(passed, tried / 10) << "len " << len;
  }
}

// While a line of the window is not hashed, its runs have no key yet, and the filter passes
// every key.
TEST(KeyFilter, PassesEverythingOnceALineIsUnhashed) {
  Window w("a\nb\n" + std::string(300, 'x') + "\nc\n", 64);
  ASSERT_TRUE(w.lines.Extend(4));
  ASSERT_FALSE(w.lines.all_hashed());
  KeyFilter filter;
  filter.Clear();
  EXPECT_TRUE(filter.Update(w.lines, 1));
  EXPECT_FALSE(filter.Update(w.lines, 1));
  std::mt19937 rng(3);
  for (int k = 0; k < 1000; ++k) EXPECT_TRUE(filter.MayHold(static_cast<uint32_t>(rng())));
}

// Positions of both sides added under keys that share their start slot or their 16-bit tag,
// while the table grows many times over: after every addition, both chains of its key list
// exactly the positions added under it, in the order they came. Clear forgets them, whether the
// table is kept or given back.
TEST(RunIndex, ChainsListTheirPositionsInTheOrderAdded) {
  std::mt19937 rng(5);
  std::vector<uint32_t> keys;
  for (uint32_t k = 0; k < 1500; ++k) {
    keys.push_back(k << 20);          // one start slot for all
    keys.push_back(0x7A5C0000u | k);  // one tag for all
    keys.push_back(static_cast<uint32_t>(rng()));
  }
  RunIndex index;
  for (size_t distinct : {size_t{40}, keys.size(), size_t{40}}) {
    index.Clear();
    std::map<uint32_t, std::vector<uint32_t>> added[2];
    for (uint32_t pos = 0; pos < 6000; ++pos) {
      index.MakeRoom();
      for (int side = 0; side < 2; ++side) {
        uint32_t key = keys[rng() % distinct];
        added[side][key].push_back(pos);
        size_t slot = index.Add(side, key, pos);
        for (int chain = 0; chain < 2; ++chain) {
          std::vector<uint32_t> listed;
          for (uint32_t p : index.Positions(slot, chain)) listed.push_back(p);
          ASSERT_EQ(listed, added[chain][key]) << "distinct " << distinct << " pos " << pos;
        }
      }
    }
  }
}

// A run that the filter keeps out while the other side's window has no run like it joins its
// chain when the window grows one, before the later runs with its key: file2's line k then
// meets file1's first k, and the point is the nearest.
TEST(ResyncSearch, RunsKeptOutJoinTheirChainsInPositionOrder) {
  auto numbered = [](const char* name, int count) {
    std::vector<std::string> lines;
    for (int k = 0; k < count; ++k) lines.push_back(name + std::to_string(k));
    return lines;
  };
  std::vector<std::string> lines_a = numbered("a", 40), lines_b = numbered("b", 40);
  lines_a[5] = lines_a[7] = lines_a[9] = lines_b[30] = "k";
  std::string text_a, text_b;
  for (const std::string& line : lines_a) text_a += line + "\n";
  for (const std::string& line : lines_b) text_b += line + "\n";
  Window a(text_a, 4096), b(text_b, 4096);
  ResyncSearch search(KeyOptions{});
  ResyncPoint point;
  ASSERT_TRUE(search.Find(a.lines, b.lines, 100, 1, &point));
  EXPECT_TRUE(point.found);
  EXPECT_EQ(point.i, 5u);
  EXPECT_EQ(point.j, 30u);
}

}  // namespace
}  // namespace fc
