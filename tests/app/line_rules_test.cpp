#include "app/line_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(LineRules, PrefixGrowsAtPhotoNumbersTenAndHundred) {
  struct Case {
    int n;
    std::size_t title, memo;
  } cases[] = {{1, 14, 9}, {9, 14, 9}, {10, 15, 10}, {99, 15, 10}, {100, 16, 11}, {998, 16, 11}};
  for (const auto& c : cases) {
    EXPECT_EQ(lines::TitlePrefix(c.n).size(), c.title) << c.n;
    EXPECT_EQ(lines::MemoPrefix(c.n).size(), c.memo) << c.n;
  }
  EXPECT_EQ(lines::SubjectPrefix().size(), 17u);
}

TEST(LineRules, ComposeAndExtractRoundTripAtEveryPrefixLength) {
  for (int n : {9, 10, 99, 100}) {
    std::string line = lines::Compose(lines::TitlePrefix(n), "Fuji");
    EXPECT_EQ(line, "titleName[" + std::to_string(n) + "]=\"Fuji\";\n");
    EXPECT_EQ(lines::Extract(line, lines::TitlePrefix(n).size()), "Fuji") << n;
  }
  // Extracting photo 10's line with photo 9's prefix keeps a byte of the prefix.
  EXPECT_EQ(lines::Extract("titleName[10]=\"Fuji\";\n", 14), "\"Fuji");
}

TEST(LineRules, ExtractEdgeCases) {
  // Shorter than what is to be removed: empty.
  EXPECT_EQ(lines::Extract("note[1]=\"", 9), "");
  EXPECT_EQ(lines::Extract("", 9), "");
  // Exactly prefix + 3 bytes: empty value.
  EXPECT_EQ(lines::Extract("note[1]=\"\";\n", 9), "");
  // The last line of a file without its line end loses the value's last byte.
  EXPECT_EQ(lines::Extract("note[1]=\"abc\";", 9), "ab");
}

TEST(LineRules, MemoLineBreaksAreStoredAsBr) {
  std::string line = lines::ComposeMemo(lines::MemoPrefix(3), "one\r\ntwo\r\nthree");
  EXPECT_EQ(line, "note[3]=\"one<br>two<br>three\";\n");
  EXPECT_EQ(lines::ExtractMemo(line, 9), "one\r\ntwo\r\nthree");
}

TEST(LineRules, QuotesAndBackslashesAreEscapedShiftJisAware) {
  const std::string hyo = "\x95\x5c";  // 表: its second byte is 0x5C, not a backslash
  struct Case {
    std::string typed, stored;
  } cases[] = {
      {"say \"hi\"", "say \\\"hi\\\""},
      {"C:\\dir", "C:\\\\dir"},
      {hyo, hyo},
      {hyo + "\\", hyo + "\\\\"},
      {hyo + "\"", hyo + "\\\""},
      {"\xb1\\", "\xb1\\\\"},  // a half-width katakana is one byte: the backslash is real
      {"\x81", "\x81"},        // a lead byte cut off at the end stays as it is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lines::Escape(c.typed), c.stored) << c.typed;
    EXPECT_EQ(lines::Unescape(c.stored), c.typed) << c.typed;
    std::string line = lines::Compose(lines::TitlePrefix(1), c.typed);
    EXPECT_EQ(lines::Extract(line, 14), c.typed);
  }
}

TEST(LineRules, NormaliseRemovesEveryCrAndLfAndEndsWithOneLineEnd) {
  EXPECT_EQ(lines::Normalise("titleName[1]=\"a\r\nb\";\n"), "titleName[1]=\"ab\";\n");
  EXPECT_EQ(lines::Normalise(""), "\n");
  EXPECT_EQ(lines::Normalise("\r\n\n"), "\n");
  EXPECT_EQ(lines::Normalise("x"), "x\n");
}

TEST(LineRules, ColourLines) {
  EXPECT_EQ(lines::ComposeColour("var bgColor=\"", "#010203"), "var bgColor=\"#010203\";\n");
  EXPECT_EQ(lines::ExtractColour("var bgColor=\"#000040\";\n", 13), "#000040");
}

}  // namespace
