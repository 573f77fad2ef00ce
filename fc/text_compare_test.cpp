// The line-by-line engine against a plain rendering of the resync rule, on many small random
// file pairs, each also stored with byte-order marks, as UTF-8, UTF-16 and UTF-32, counting
// the bytes it reads; plus read errors in the middle of a comparison.
#include "fc/text_compare.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "fc/binary_compare.h"
#include "fc/source.h"
#include "fc/testing/line_pulling.h"
#include "fc/text_source.h"

namespace fc {
namespace {

struct Block {
  uint64_t a, i, b, j;
  bool before, resync_a, resync_b;
  std::vector<std::string> text;  // every line of the block as printed, both sides
  bool operator==(const Block&) const = default;
};

struct Result {
  std::vector<Block> blocks;
  bool failed = false;
  uint64_t fail_a = 0, fail_b = 0;
  bool operator==(const Result&) const = default;
};

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t nl = bytes.find('\n', at);
    if (nl == std::string::npos) {
      lines.push_back(bytes.substr(at));
      break;
    }
    std::string line = bytes.substr(at, nl - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = nl + 1;
  }
  return lines;
}

// The rule written out as directly as possible: try every (i, j) in order of i + j, then i.
Result Reference(const std::string& file_a, const std::string& file_b, const TextOptions& o) {
  std::vector<std::string> A = SplitLines(file_a), B = SplitLines(file_b);
  uint64_t na = A.size(), nb = B.size(), lb = o.max_mismatch, r = o.min_match;
  auto keys = [&](const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    std::string scratch;
    for (const std::string& line : lines) out.emplace_back(BuildKey(line, o.key, &scratch));
    return out;
  };
  std::vector<std::string> key_a = keys(A), key_b = keys(B);
  auto eq = [&](uint64_t x, uint64_t y) { return key_a[x] == key_b[y]; };
  auto qualifies = [&](uint64_t x, uint64_t y) {
    uint64_t left_a = na - x, left_b = nb - y;
    if (left_a >= r && left_b >= r) {
      for (uint64_t k = 0; k < r; ++k)
        if (!eq(x + k, y + k)) return false;
      return true;
    }
    if (left_a != left_b) return false;
    for (uint64_t k = 0; k < left_a; ++k)
      if (!eq(x + k, y + k)) return false;
    return true;
  };
  Result result;
  uint64_t a = 0, b = 0;
  for (;;) {
    while (a < na && b < nb && eq(a, b)) ++a, ++b;
    if (a == na && b == nb) break;
    bool found = false;
    uint64_t fi = 0, fj = 0;
    for (uint64_t s = 0; s <= 2 * lb && !found; ++s)
      for (uint64_t i = 0; i <= s && !found; ++i) {
        uint64_t j = s - i;
        if (i > lb || j > lb || a + i > na || b + j > nb) continue;
        if (qualifies(a + i, b + j)) found = true, fi = i, fj = j;
      }
    if (!found) {
      result.failed = true;
      result.fail_a = a;
      result.fail_b = b;
      break;
    }
    Block block{a, fi, b, fj, a > 0, a + fi < na, b + fj < nb, {}};
    for (uint64_t k = a - (a > 0); k <= a + fi && k < na; ++k) block.text.push_back(A[k]);
    for (uint64_t k = b - (b > 0); k <= b + fj && k < nb; ++k) block.text.push_back(B[k]);
    result.blocks.push_back(block);
    a += fi;
    b += fj;
  }
  return result;
}

// Records each block, its lines read one by one; and checks that the same lines read as one
// stretch of the file, as the report copies them, print the same.
class Recorder : public TextSink {
 public:
  bool Block(const BlockSide& a, const BlockSide& b, LineAccess& lines) override {
    EXPECT_EQ(a.has_before, b.has_before);
    fc::Block block{a.first,      a.count,      b.first,      b.count,
                    a.has_before, a.has_resync, b.has_resync, {}};
    int k = 0;
    for (const BlockSide* s : {&a, &b}) {
      PulledSide side;
      EXPECT_TRUE(PullSide(lines, k++, *s, &side));
      EXPECT_EQ(AsPrinted(side.stretch), LinesPrinted(side));
      block.text.insert(block.text.end(), side.lines.begin(), side.lines.end());
      printed += 2 * side.stretch.size();
    }
    result.blocks.push_back(block);
    return true;
  }
  bool ResyncFailed(uint64_t a, bool, uint64_t b, bool) override {
    result.failed = true;
    result.fail_a = a;
    result.fail_b = b;
    return true;
  }
  bool Finish(bool) override { return true; }
  Result result;
  // The bytes of the lines printed, line ends included, twice: this sink pulls them one by one
  // and as one stretch.
  uint64_t printed = 0;
};

// Counts the bytes read through it.
class CountingSource : public Source {
 public:
  explicit CountingSource(Source& source) : source_(source) {}
  bool ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) override {
    bool ok = source_.ReadAt(offset, out, size, got, error);
    read += *got;
    return ok;
  }
  uint64_t read = 0;

 private:
  Source& source_;
};

// How a comparison reads its inputs, and what it read of them.
struct Reading {
  size_t chunk;
  size_t hold;
  uint64_t read = 0;     // of both inputs, through their sources
  uint64_t printed = 0;  // of the lines that the sink pulls, as they stand in the files
};

// More than any pair of these tests needs, as the comparer's hold is for nearly every block.
constexpr size_t kHoldAll = size_t{1} << 20;

// The promise that each byte is read once: a comparison reads its inputs' bytes once, besides
// the lines that the report prints, which it may fetch again, and one read more.
void ExpectReadOnce(const Reading& reading, uint64_t sizes) {
  EXPECT_LE(reading.read, sizes + reading.printed + reading.chunk)
      << "the inputs hold " << sizes << " bytes, the report prints " << reading.printed;
}

// Compares the two sources' text as `reading` says.
Outcome Compare(Source& sa, Source& sb, uint64_t limit_a, uint64_t limit_b, const TextOptions& o,
                Reading* reading, Result* result) {
  CountingSource ca(sa), cb(sb);
  InputBuffer a(ca, "a", limit_a, reading->chunk, reading->hold);
  InputBuffer b(cb, "b", limit_b, reading->chunk, reading->hold);
  Recorder recorder;
  std::string error;
  Outcome outcome = CompareText(a, b, o, recorder, &error);
  EXPECT_EQ(error, "");
  *result = recorder.result;
  reading->read = ca.read + cb.read;
  reading->printed = recorder.printed;
  return outcome;
}

Outcome Engine(const std::string& file_a, const std::string& file_b, const TextOptions& o,
               Reading* reading, Result* result) {
  MemorySource sa(file_a), sb(file_b);
  return Compare(sa, sb, file_a.size(), file_b.size(), o, reading, result);
}

Outcome Engine(const std::string& file_a, const std::string& file_b, const TextOptions& o,
               size_t chunk, Result* result) {
  Reading reading{chunk, chunk};
  return Engine(file_a, file_b, o, &reading, result);
}

// How a side's text is stored in its file: as it stands, or after a byte-order mark.
enum class Stored { kAsIs, kUtf8Mark, kUtf16Le, kUtf16Be, kUtf32Le, kUtf32Be };

// `text` converted by ICU from one encoding to another; bytes that are not valid in the first
// become U+FFFD, as a text editor saving a file would store them.
std::string Converted(const std::string& text, const char* to, const char* from) {
  std::string out(text.size() * 4 + 4, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = ucnv_convert(to, from, out.data(), static_cast<int32_t>(out.size()), text.data(),
                           static_cast<int32_t>(text.size()), &status);
  EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
  out.resize(static_cast<size_t>(n));
  return out;
}

// The bytes of a file that stores the UTF-8 `text` as `how` says.
std::string Store(const std::string& text, Stored how) {
  switch (how) {
    case Stored::kAsIs:
      return text;
    case Stored::kUtf8Mark:
      return "\xEF\xBB\xBF" + text;
    case Stored::kUtf16Le:
      return "\xFF\xFE" + Converted(text, "UTF-16LE", "UTF-8");
    case Stored::kUtf16Be:
      return "\xFE\xFF" + Converted(text, "UTF-16BE", "UTF-8");
    case Stored::kUtf32Le:
      return std::string("\xFF\xFE\0\0", 4) + Converted(text, "UTF-32LE", "UTF-8");
    case Stored::kUtf32Be:
      return std::string("\0\0\xFE\xFF", 4) + Converted(text, "UTF-32BE", "UTF-8");
  }
  return text;
}

// The text, in UTF-8, that the file made by Store(text, how) holds.
std::string Held(const std::string& text, Stored how) {
  bool decoded = how != Stored::kAsIs && how != Stored::kUtf8Mark;
  return decoded ? Converted(Converted(text, "UTF-16LE", "UTF-8"), "UTF-8", "UTF-16LE") : text;
}

// Checks that the texts `a` and `b`, stored in files as `pick` chooses and read through a
// decoder whose steps and restart points `pick` makes small, give the blocks that the plain
// reference finds for the UTF-8 text that the files hold; and, when `read_once`, that each of
// the files' bytes is read once, as each byte of their text is. The steps hold up to 20 units
// of UTF-32, so that ASCII is sometimes narrowed many units at once.
void ExpectSameAsStoredPlain(const std::string& a, const std::string& b, const TextOptions& o,
                             size_t chunk, size_t hold, bool read_once, std::mt19937& pick) {
  const Stored kinds[] = {Stored::kAsIs,    Stored::kUtf8Mark, Stored::kUtf16Le,
                          Stored::kUtf16Be, Stored::kUtf32Le,  Stored::kUtf32Be};
  Stored how_a = kinds[pick() % 6], how_b = kinds[pick() % 6];
  // UTF-16 little-endian that starts with a NUL starts with the mark of UTF-32.
  if (how_a == Stored::kUtf16Le && a.starts_with('\0')) how_a = Stored::kUtf16Be;
  if (how_b == Stored::kUtf16Le && b.starts_with('\0')) how_b = Stored::kUtf16Be;
  DecodeSizes sizes{4 + 2 * (pick() % 40), 2 + pick() % 4};
  std::string stored_a = Store(a, how_a), stored_b = Store(b, how_b);
  MemorySource file_a(stored_a), file_b(stored_b);
  CountingSource raw_a(file_a), raw_b(file_b);
  TextSource sa(raw_a, InputBuffer::kNoLimit, sizes), sb(raw_b, InputBuffer::kNoLimit, sizes);
  std::string held_a = Held(a, how_a), held_b = Held(b, how_b);
  Result want = Reference(held_a, held_b, o), got;
  Reading reading{chunk, hold};
  Outcome outcome =
      Compare(sa, sb, InputBuffer::kNoLimit, InputBuffer::kNoLimit, o, &reading, &got);
  ASSERT_EQ(got, want) << "stored as " << static_cast<int>(how_a) << " and "
                       << static_cast<int>(how_b) << ", steps of " << sizes.block << "\nA:\n"
                       << a << "\nB:\n"
                       << b;
  EXPECT_EQ(outcome, want.blocks.empty() && !want.failed ? Outcome::kSame : Outcome::kDifferent);
  if (read_once) {
    ExpectReadOnce(reading, held_a.size() + held_b.size());
    // UTF-32 stores a text in at most four times its bytes in UTF-8.
    Reading raw = reading;
    raw.read = raw_a.read + raw_b.read;
    raw.printed *= 4;
    ExpectReadOnce(raw, stored_a.size() + stored_b.size());
  }
}

std::string RandomFile(std::mt19937& rng, const std::vector<std::string>& alphabet,
                       int max_lines = 11) {
  std::string file;
  int lines = static_cast<int>(rng() % (max_lines + 1));
  for (int k = 0; k < lines; ++k) {
    file += alphabet[rng() % alphabet.size()];
    file += rng() % 5 == 0 ? "\r\n" : "\n";
  }
  if (!file.empty() && rng() % 4 == 0) file.pop_back();  // a last line without its LF
  return file;
}

// Deletes, inserts and replaces a few lines so that the pair resynchronises in between.
std::string Edit(std::mt19937& rng, const std::string& file,
                 const std::vector<std::string>& alphabet) {
  std::vector<std::string> lines = SplitLines(file);
  int edits = 1 + static_cast<int>(rng() % 3);
  for (int e = 0; e < edits; ++e) {
    size_t at = lines.empty() ? 0 : rng() % (lines.size() + 1);
    switch (rng() % 3) {
      case 0:
        if (at < lines.size()) lines.erase(lines.begin() + static_cast<long>(at));
        break;
      case 1:
        lines.insert(lines.begin() + static_cast<long>(at), alphabet[rng() % alphabet.size()]);
        break;
      default:
        if (at < lines.size()) lines[at] = alphabet[rng() % alphabet.size()];
    }
  }
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

// Small files read through tiny buffers, so that lines cross their edges; and longer files
// read through buffers of a few hundred bytes, where lines are found many at a time and the
// lines with a tab have twins without one that expand to the same key.
TEST(ResyncRule, EngineAgreesWithPlainReferenceOnRandomPairs) {
  const std::vector<std::string> small = {"a",   "b", "c",    "A",    " a", "a  ", "\ta",
                                          "a\t", "",  "  \t", "x\tb", "é",  "É",   "\xff"};
  const std::string q(70, 'q'), blanks(16, ' ');
  const std::vector<std::string> longer = {
      "a",         "\ta",        "        a", "x\tb",
      "x       b", "é\t.",       "é       .", "alpha beta gamma delta epsilon",
      "",          "\t\t",       blanks,      q + "\t!",
      "A\tB",      q + "      !"};
  std::mt19937 rng(20240607), pick(17);
  const uint64_t limits[] = {1, 2, 3, 5, 100};
  for (int round = 0; round < 7500; ++round) {
    bool big = round >= 6000;
    const std::vector<std::string>& alphabet = big ? longer : small;
    std::string a = RandomFile(rng, alphabet, big ? 60 : 11);
    std::string b = rng() % 2 ? Edit(rng, a, alphabet) : RandomFile(rng, alphabet, big ? 60 : 11);
    TextOptions o;
    o.max_mismatch = limits[rng() % 5];
    o.min_match = 1 + rng() % 4;
    o.key.expand_tabs = rng() % 2;
    o.key.compress_white = rng() % 3 == 0;
    o.key.fold_case = rng() % 3 == 0;
    size_t chunk = big ? 64 + rng() % 400 : 8 + rng() % 40;
    Result want = Reference(a, b, o), got;
    Reading reading{chunk, kHoldAll};
    Outcome outcome = Engine(a, b, o, &reading, &got);
    ASSERT_EQ(got, want) << "round " << round << " /LB" << o.max_mismatch << " /" << o.min_match
                         << "\nA:\n"
                         << a << "\nB:\n"
                         << b;
    bool same = want.blocks.empty() && !want.failed;
    ASSERT_EQ(outcome, same ? Outcome::kSame : Outcome::kDifferent);
    ExpectReadOnce(reading, a.size() + b.size());
    // Held whole, or as little as the comparer holds against its reads, so that lines are
    // fetched again.
    bool whole = pick() % 2;
    ExpectSameAsStoredPlain(a, b, o, chunk, whole ? kHoldAll : chunk / 4, whole, pick);
    if (HasFatalFailure()) return;
  }
}

TEST(ResyncRule, LongLinesAcrossSmallBuffers) {
  std::string long_a(5000, 'x'), long_b = long_a;
  long_b[4000] = 'y';
  std::string a = "1\n" + long_a + "\n2\n3\n", b = "1\n" + long_b + "\n2\n3\n";
  TextOptions o;
  Result want = Reference(a, b, o), got;
  EXPECT_EQ(Engine(a, b, o, 16, &got), Outcome::kDifferent);
  EXPECT_EQ(got, want);
  ASSERT_EQ(got.blocks.size(), 1u);
  EXPECT_EQ(got.blocks[0].i, 1u);
  // A tab several buffers into an equal start sets the column of a tab after the first
  // difference: the tab reaches column 816, as the two blanks do.
  std::string start = std::string(301, 'x') + "\xC3\xA9" + std::string(203, 'y') + "\t" +
                      std::string(301, 'z') + "1";
  EXPECT_EQ(Engine(start + "\tw\n", start + "  w\n", o, 256, &got), Outcome::kSame);
  EXPECT_EQ(Engine(start + "\tw\n", start + "   w\n", o, 256, &got), Outcome::kDifferent);
}

// A change early, in the middle or late in a file costs what reading the pair once costs,
// whether a block is found or the resync fails, as it stands or stored in another encoding: the
// lines passed are numbered as they go by and never read again. The window holds a quarter of
// a read's worth of what it has read, as the comparer's does.
TEST(ResyncRule, EachByteIsReadOnceWhereverTheChangeIs) {
  auto file = [](size_t from, size_t changed) {
    std::string text;
    for (size_t k = 0; k < 3000; ++k) {
      text += k >= from && k < from + changed ? "other " : "line ";
      text += std::to_string(k) + (k % 7 ? "\n" : "\t.\r\n");
    }
    return text;
  };
  std::mt19937 pick(5);
  const std::string a = file(0, 0);
  for (size_t at : {30, 1500, 2970}) {
    for (size_t changed : {1, 3}) {  // three changed lines are too many for /LB2
      std::string b = file(at, changed);
      TextOptions o;
      o.max_mismatch = 2;
      Result want = Reference(a, b, o), got;
      ASSERT_EQ(want.failed, changed == 3);
      Reading reading{256, 64};
      Engine(a, b, o, &reading, &got);
      EXPECT_EQ(got, want) << "line " << at;
      ExpectReadOnce(reading, a.size() + b.size());
      ExpectSameAsStoredPlain(a, b, o, 256, 64, true, pick);
    }
  }
  // A line far longer than the window, changed in its middle, is read to its end once: then
  // only whole, to hash its key for the search and to print it.
  std::string line;
  while (line.size() < 20000) line += "word \t";
  std::string changed = line;
  changed[10000] = 'y';
  std::string long_a = "first\n" + line + "\nlast\n", long_b = "first\n" + changed + "\nlast\n";
  Result want = Reference(long_a, long_b, TextOptions()), got;
  Reading reading{256, 64};
  Engine(long_a, long_b, TextOptions(), &reading, &got);
  EXPECT_EQ(got, want);
  reading.printed += line.size() + changed.size();
  ExpectReadOnce(reading, long_a.size() + long_b.size());
}

// Lines about as long as the input's chunk, one, two or three halves of it (a line of up to
// half a chunk comes in one piece), made of pieces that straddle the cuts: multi-byte
// characters, tabs, blank runs, a stray byte, a CR. The copy changes a byte, a letter's case or
// a blank run here and there, so that some keys differ and some do not. A run of characters
// past U+FFFF takes the most room decoded, and U+1D800 in UTF-32 big-endian ends in the bytes
// of a UTF-16 lead surrogate.
TEST(ResyncRule, LinesAcrossChunkEdgesUnderEveryOption) {
  const std::string astral = "\xF0\x9D\xA0\x80\xF0\x9F\x98\x80";  // U+1D800 U+1F600
  const std::vector<std::string> pieces = {"a",
                                           "B",
                                           " ",
                                           "   ",
                                           "\t",
                                           " \t",
                                           "\xC3\xA9",
                                           "\xC3\x89",
                                           "\xE2\x84\xAA",
                                           "\xF0\x9F\x98\x80",
                                           astral + astral,
                                           "\xFF",
                                           "\xC3",
                                           "\r",
                                           "k"};
  const size_t chunk = 32;
  std::mt19937 rng(20240611), pick(11);
  for (int round = 0; round < 1500; ++round) {
    std::string a, b;
    for (int n = 1 + static_cast<int>(rng() % 3); n > 0; --n) {
      size_t length = (1 + rng() % 3) * chunk / 2 + rng() % 3 - 1;
      std::string line;
      while (line.size() + 1 < length) line += pieces[rng() % pieces.size()];
      std::string copy = line;
      if (rng() % 2) {
        size_t at = rng() % copy.size();
        switch (rng() % 4) {
          case 0:
            copy[at] = static_cast<char>(copy[at] ^ 0x20);
            break;  // case, or blank to NUL
          case 1:
            copy.insert(at, " ");
            break;
          case 2:
            copy.erase(at, 1);
            break;
          default:
            copy.insert(at, "\t");
            break;
        }
      }
      a += line + "\n";
      b += copy + (rng() % 4 ? "\n" : "\r\n");
    }
    for (int combo = 0; combo < 8; ++combo) {
      TextOptions o;
      o.key.expand_tabs = !(combo & 1);
      o.key.compress_white = combo & 2;
      o.key.fold_case = combo & 4;
      o.max_mismatch = 1 + rng() % 3;
      o.min_match = 1 + rng() % 2;
      Result want = Reference(a, b, o), got;
      Engine(a, b, o, chunk, &got);
      ASSERT_EQ(got, want) << "round " << round << " options " << combo << "\nA:\n"
                           << a << "\nB:\n"
                           << b;
    }
    TextOptions o;
    o.key.compress_white = round % 2;
    ExpectSameAsStoredPlain(a, b, o, chunk, chunk, false, pick);
    if (HasFatalFailure()) return;
  }
}

// Fails every read from `limit` on; or, when `shrink`, holds only the bytes before `limit` once
// it has been read to its end, as a file cut short while the comparer still needs its text.
class FailingSource : public Source {
 public:
  FailingSource(std::string bytes, uint64_t limit, bool shrink)
      : bytes_(std::move(bytes)), limit_(limit), shrink_(shrink) {}
  bool ReadAt(uint64_t offset, char* out, size_t size, size_t* got, std::string* error) override {
    *got = 0;
    if (!shrink_ && offset >= limit_) {
      *error = "Input/output error";
      return false;
    }
    uint64_t end = shrink_ && !cut_ ? bytes_.size() : limit_;
    if (offset >= end) {
      cut_ = shrink_;
      return true;
    }
    *got = std::min<uint64_t>(size, end - offset);
    std::memcpy(out, bytes_.data() + offset, *got);
    return true;
  }

 private:
  std::string bytes_;
  uint64_t limit_;
  bool shrink_;
  bool cut_ = false;
};

// Reads every line of each block, as the report does, and stops when one cannot be read.
class ReadingSink : public TextSink, public BinarySink {
 public:
  bool Block(const BlockSide& a, const BlockSide& b, LineAccess& lines) override {
    int k = 0;
    std::string text;
    for (const BlockSide* s : {&a, &b}) {
      for (uint64_t line = s->first - s->has_before; line < s->first + s->count + s->has_resync;
           ++line) {
        if (!PullLine(lines, k, line, &text)) return false;
      }
      ++k;
    }
    return true;
  }
  bool ResyncFailed(uint64_t, bool, uint64_t, bool) override { return true; }
  bool Difference(uint64_t, unsigned char, unsigned char) override { return true; }
  bool Longer(int) override { return true; }
  bool Finish(bool) override { return true; }
};

TEST(ReadTrouble, ReadErrorAndShrinkingFileAreReportedNotHidden) {
  std::string text, changed;
  for (int k = 0; k < 2000; ++k) {
    text += "line " + std::to_string(k) + "\n";
    changed += (k < 1000 ? "line " : "other ") + std::to_string(k) + "\n";
  }
  for (bool binary : {false, true}) {
    FailingSource bad(text, text.size() / 2, false);
    MemorySource good(text);
    InputBuffer a(good, "good.txt", text.size(), 64, 64), b(bad, "bad.txt", text.size(), 64, 64);
    ReadingSink sink;
    std::string error;
    Outcome outcome =
        binary ? CompareBinary(a, b, sink, &error) : CompareText(a, b, TextOptions(), sink, &error);
    EXPECT_EQ(outcome, Outcome::kTrouble);
    EXPECT_EQ(error, "FC: error reading bad.txt - Input/output error");
  }
  // The second half of file2 differs: the search reads it to its end, and by the time the
  // report reads its lines again the file holds only three quarters of them.
  FailingSource bad(changed, changed.size() * 3 / 4, true);
  MemorySource good(text);
  InputBuffer a(good, "good.txt", InputBuffer::kNoLimit, 64, 64);
  InputBuffer b(bad, "bad.txt", InputBuffer::kNoLimit, 64, 64);
  ReadingSink sink;
  TextOptions o;
  o.max_mismatch = 5000;
  std::string error;
  EXPECT_EQ(CompareText(a, b, o, sink, &error), Outcome::kTrouble);
  EXPECT_EQ(error, "FC: bad.txt shrank while it was being read");
}

}  // namespace
}  // namespace fc
