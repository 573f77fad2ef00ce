#include "fc/line_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "fc/bytes.h"
#include "fc/key_hash.h"

namespace fc {
namespace {

std::string Key(std::string_view line, bool tabs, bool white, bool fold) {
  KeyOptions o;
  o.expand_tabs = tabs;
  o.compress_white = white;
  o.fold_case = fold;
  std::string scratch;
  return std::string(BuildKey(line, o, &scratch));
}

TEST(LineKey, TabsExpandToEveryEighthColumnCountingCodePoints) {
  EXPECT_EQ(Key("a\tb", true, false, false), "a       b");
  EXPECT_EQ(Key("\t", true, false, false), "        ");
  EXPECT_EQ(Key("12345678\tx", true, false, false), "12345678        x");
  // "é" is two bytes but one column; a stray byte counts as one column.
  EXPECT_EQ(Key("\xC3\xA9\tx", true, false, false), "\xC3\xA9       x");
  EXPECT_EQ(Key("\xFF\xFE\tx", true, false, false), "\xFF\xFE      x");
  EXPECT_EQ(Key("a\tb", false, false, false), "a\tb");  // /T
}

TEST(LineKey, CompressWhiteSpace) {
  EXPECT_EQ(Key(" \t a  \t b \t", true, true, false), "a b");
  EXPECT_EQ(Key("a\tb", false, true, false), "a b");
  EXPECT_EQ(Key(" \t ", true, true, false), "");
  EXPECT_EQ(Key("a\xC2\xA0 b", true, true, false), "a\xC2\xA0 b");  // only blanks and tabs
}

TEST(LineKey, CaseFoldingIsUnicodeSimpleFoldingAndAsciiForBadBytes) {
  EXPECT_EQ(Key("HeLLo", true, false, true), "hello");
  EXPECT_EQ(Key("\xC3\x89"
                "COLE",
                true, false, true),
            "\xC3\xA9"
            "cole");                                                    // ÉCOLE
  EXPECT_EQ(Key("\xE2\x84\xAA", true, false, true), "k");               // Kelvin sign
  EXPECT_EQ(Key("\xCF\x82", true, false, true), "\xCF\x83");            // final sigma
  EXPECT_EQ(Key("\xC3\x9F", true, false, true), "\xC3\x9F");            // ß stays (simple)
  EXPECT_EQ(Key("A\xC3Z\xFF", true, false, true), "a\xC3z\xFF");        // broken UTF-8
  EXPECT_EQ(Key("\xED\xA0\x80Q", true, false, true), "\xED\xA0\x80q");  // a surrogate
}

TEST(LineKey, SameKeyAndHashAgree) {
  EXPECT_EQ(Key("  Hello   World", true, true, true), Key("hello world\t", true, true, true));
  EXPECT_NE(Key("hello world", true, true, true), Key("helloworld", true, true, true));
  EXPECT_NE(Key("a", false, false, false), Key("A", false, false, false));
  auto hash = [](std::string_view bytes) {
    KeyHasher h;
    h.Add(bytes);
    return h.Finish();
  };
  EXPECT_NE(hash("abcdefgh1"), hash("abcdefgh2"));
  EXPECT_NE(hash(""), hash(std::string_view("\0", 1)));
}

// The key and its hash do not depend on where the line is cut: every cut in two, and a cut
// after every byte, under every option.
TEST(LineKey, KeyBuiltInPiecesIsTheWholeLineKey) {
  const std::string lines[] = {" \t A\xC3\x89\t\xE2\x84\xAA  b\xF0\x9F\x98\x80\t ",
                               "\xE2\x84\xAA\xF0\x9F\x98\x80\xC3\xA9x\xFF\tb",
                               // Sixteen bytes at a time: a sequence cut short by one across
                               // their end, a sequence across it, a stray continuation byte,
                               // an overlong sequence, then a tab.
                               "aaaaaaaaaaaa\xE2\x82\xE2\x82\xAC"
                               "aaaaaaaaaaaaaa\xE2\x82\xAC"
                               "x\xA9yyyyyyyyyyyyyy"
                               "\xE0\x80\x80zzzzzzzzzzzzz\tw",
                               "\xC3\tx\xE2\x84 \xFF\xC3"};
  for (const std::string& line : lines) {
    for (int combo = 0; combo < 8; ++combo) {
      KeyOptions o;
      o.expand_tabs = !(combo & 1);
      o.compress_white = combo & 2;
      o.fold_case = combo & 4;
      std::string scratch;
      std::string whole(BuildKey(line, o, &scratch));
      KeyHasher hasher;
      hasher.Add(whole);
      uint64_t whole_hash = hasher.Finish();
      EXPECT_EQ(KeyHasher::Of(whole), whole_hash);
      // Cut once at `cut`, or after every byte when `cut` is past the end.
      for (size_t cut = 0; cut <= line.size() + 1; ++cut) {
        KeyBuilder builder(o);
        builder.Start();
        std::string key;
        for (size_t at = 0, end; at < line.size(); at = end) {
          end = cut > line.size() ? at + 1 : at < cut ? cut : line.size();
          std::string_view piece =
              builder.Feed(std::string_view(line).substr(at, end - at), end == line.size());
          key += piece;
          hasher.Add(piece);
        }
        EXPECT_EQ(key, whole) << "options " << combo << " cut " << cut;
        EXPECT_EQ(hasher.Finish(), whole_hash);
      }
    }
  }
}

// At every length across the hash's own steps (16, 128 and 240 bytes, its 256-byte buffer, its
// 64-byte stripes and 1 KiB blocks), the hash of a key given whole is that of the key cut in
// two anywhere, and the next length hashes differently.
TEST(LineKey, HashOfAKeyAtEveryLengthAndCut) {
  std::string bytes;
  for (size_t k = 0; k < 1100; ++k) bytes += static_cast<char>(k * 37 + 11);
  KeyHasher hasher;
  uint64_t last = 0;
  for (size_t n = 0; n <= bytes.size(); n += n < 300 ? 1 : 97) {
    std::string_view key(bytes.data(), n);
    uint64_t whole = KeyHasher::Of(key);
    EXPECT_NE(whole, last) << n;
    last = whole;
    for (size_t cut = 0; cut <= n; ++cut) {
      hasher.Add(key.substr(0, cut));
      hasher.Add(key.substr(cut));
      EXPECT_EQ(hasher.Finish(), whole) << n << " cut at " << cut;
    }
  }
}

// Bytes that are not well-formed UTF-8 count one column each and fold by ASCII rules: stray
// continuation bytes, bytes that lead nothing, overlong forms, surrogates, values past U+10FFFF
// and sequences cut short, also where a decoder would take several of them as one ill-formed
// sequence. The well-formed sequences at the edges of those ranges, U+FFFD among them, are one
// column each and fold as characters.
TEST(LineKey, EachByteOfAMalformedSequenceIsOneColumn) {
  for (std::string bytes : {"\x80", "\xBF", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xE0\x9F\xBF",
                            "\xED\xA0\x80", "\xED\xBF\xBF", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80",
                            "\xF5\x80\x80", "\xFE\xFF", "\xE2\x82", "\xF0\x9F\x98"}) {
    std::string padding(8 - bytes.size(), ' ');
    EXPECT_EQ(Key(bytes + "\tA", true, false, true), bytes + padding + "a");
  }
  for (std::string bytes : {"\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80",
                            "\xEF\xBF\xBD", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
    EXPECT_EQ(Key(bytes + "\tA", true, false, true), bytes + "       a");
  EXPECT_EQ(Key("\xC3\x89\xE2\x82\xAC\xF0\x90\x90\x80\tx", true, false, true),
            "\xC3\xA9\xE2\x82\xAC\xF0\x90\x90\xA8     x");  // É € 𐐀 fold to é € 𐐨
}

// The scans over runs of equal bytes find the first difference wherever it lies against their
// steps (16 and 128 bytes, memcmp's blocks, the rounds after which line feeds are summed), and
// count the line feeds before it, also where every byte is one.
TEST(ByteScans, FirstDifferenceAndLineFeedsBeforeItAtEveryPlace) {
  for (const char* pieces : {"ab\n", "\n"}) {
    std::string a;
    for (size_t k = 0; a.size() < 20000; ++k) a += pieces[k * 7 % std::strlen(pieces)];
    for (size_t n : {size_t{0}, size_t{100}, size_t{8064}, size_t{8065}, size_t{20000}}) {
      for (size_t at :
           {0, 1, 15, 16, 127, 128, 255, 256, 4095, 4352, 8063, 8064, 8191, 16129, 19999, 20000}) {
        std::string b = a;
        if (at < b.size()) b[at] ^= 1;
        size_t want = std::min(at, n);
        uint64_t lines = 5;
        EXPECT_EQ(FirstMismatch(a.data(), b.data(), n), want) << n << " " << at;
        EXPECT_EQ(FirstMismatchCounting(a.data(), b.data(), n, &lines), want) << n << " " << at;
        EXPECT_EQ(lines, 5 + std::count(a.begin(), a.begin() + want, '\n')) << n << " " << at;
      }
    }
  }
}

// UTF-16 is narrowed up to the first unit that is not ASCII, wherever it lies against the
// steps of 16 and 32 units, in either byte order.
TEST(ByteScans, NarrowAscii16StopsAtTheFirstUnitThatIsNotAscii) {
  std::string text;
  for (size_t k = 0; k < 200; ++k) text += static_cast<char>(' ' + k % 90);
  for (bool big_endian : {false, true}) {
    for (size_t at : {0, 1, 15, 16, 31, 32, 33, 63, 64, 100, 199, 200}) {
      for (char16_t odd : {u'\u0080', u'\u0100', u'\u00ff', u'\uff41'}) {
        std::string units;
        for (size_t k = 0; k < text.size(); ++k) {
          char16_t unit = k == at ? odd : static_cast<char16_t>(text[k]);
          char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
          units += big_endian ? std::string{high, low} : std::string{low, high};
        }
        std::string out(text.size(), '\0');
        ASSERT_EQ(NarrowAscii16(units.data(), text.size(), big_endian, out.data()), at);
        EXPECT_EQ(out.substr(0, at), text.substr(0, at));
      }
    }
  }
}

}  // namespace
}  // namespace fc
