#include "comparer/line_key.h"

#include <gtest/gtest.h>

#include <cstring>

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

TEST(LineKey, Utf8DecodingRejectsMalformedSequences) {
  char32_t c;
  auto decode = [&](const char* s) {
    return DecodeUtf8(reinterpret_cast<const unsigned char*>(s), std::strlen(s), &c);
  };
  EXPECT_EQ(decode("\xE2\x82\xAC"), 3u);
  EXPECT_EQ(c, U'\u20AC');
  EXPECT_EQ(decode("\xF0\x9F\x98\x80"), 4u);
  EXPECT_EQ(decode("\xC0\xAF"), 0u);          // overlong
  EXPECT_EQ(decode("\xE0\x80\xAF"), 0u);      // overlong
  EXPECT_EQ(decode("\xF4\x90\x80\x80"), 0u);  // past U+10FFFF
  EXPECT_EQ(decode("\xE2\x82"), 0u);          // cut short
}

}  // namespace
}  // namespace fc
