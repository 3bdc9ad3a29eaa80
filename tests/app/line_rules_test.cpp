#include "app/line_rules.h"

#include <gtest/gtest.h>

#include "tests/support/editor_gallery.h"

namespace {

// Quotes and backslashes are escaped; a 0x5C that is the second byte of a
// Shift-JIS character (表 95 5C, ソ 83 5C, 能 94 5C) is part of it and is not.
TEST(LineRules, EscapeIsShiftJisAware) {
  struct Case {
    const char* name;
    std::string plain;
    std::string escaped;
  } cases[] = {
      {"quote", "a\"b", "a\\\"b"},
      {"backslash", "C:\\dir", "C:\\\\dir"},
      {"both at the ends", "\"\\", "\\\"\\\\"},
      {"trail byte 5C", Sjis("表ソ能"), Sjis("表ソ能")},
      {"trail byte 5C before a quote", Sjis("表\""), Sjis("表") + "\\\""},
      {"trail byte 5C before a backslash", Sjis("ソ\\"), Sjis("ソ") + "\\\\"},
      {"half-width kana is one byte", Sjis("ｼ\\"), Sjis("ｼ") + "\\\\"},
      {"nothing to escape", Sjis("富士山 朝"), Sjis("富士山 朝")},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lines::Escape(c.plain), c.escaped) << c.name;
    EXPECT_EQ(lines::Unescape(c.escaped), c.plain) << c.name;
  }
}

TEST(LineRules, UnescapeLeavesOtherBackslashesOfOldFilesAlone) {
  EXPECT_EQ(lines::Unescape("a\\nb"), "a\\nb");
  EXPECT_EQ(lines::Unescape("end\\"), "end\\");
}

// The prefix grows by one byte at photos 10, 100 and 1000.
TEST(LineRules, PrefixesGrowWithTheDigitsOfTheNumber) {
  struct Case {
    int n;
    std::size_t title, memo;
  } cases[] = {{1, 14, 9}, {9, 14, 9}, {10, 15, 10}, {99, 15, 10}, {100, 16, 11}, {1000, 17, 12}};
  for (const auto& c : cases) {
    EXPECT_EQ(lines::TitlePrefix(c.n).size(), c.title) << c.n;
    EXPECT_EQ(lines::MemoPrefix(c.n).size(), c.memo) << c.n;
  }
  EXPECT_EQ(lines::SubjectPrefix().size(), 17u);
}

TEST(LineRules, ComposeAndExtractRoundTrip) {
  const std::string title = Sjis("表\"朝\" C:\\");
  for (int n : {1, 9, 10, 99, 100, 1000}) {
    std::string line = lines::Compose(lines::TitlePrefix(n), title);
    EXPECT_EQ(line, lines::TitlePrefix(n) + Sjis("表") + "\\\"" + Sjis("朝") + "\\\" C:\\\\\";\n");
    EXPECT_EQ(lines::Extract(line, lines::TitlePrefix(n).size()), title) << n;
  }
}

TEST(LineRules, MemoLineBreaksBecomeBrAndComeBack) {
  std::string line = lines::ComposeMemo(lines::MemoPrefix(3), "one\r\ntwo\r\nthree");
  EXPECT_EQ(line, "note[3]=\"one<br>two<br>three\";\n");
  EXPECT_EQ(lines::ExtractMemo(line, 9), "one\r\ntwo\r\nthree");
}

TEST(LineRules, ExtractOfAShortLineIsEmpty) {
  EXPECT_EQ(lines::Extract("titleName[1]=", 14), "");
  EXPECT_EQ(lines::Extract("titleName[1]=\"", 14), "");
  EXPECT_EQ(lines::Extract("titleName[1]=\"\";\n", 14), "");
  EXPECT_EQ(lines::ExtractColour("", 13), "");
}

// A last line without its line end loses the value's last character.
TEST(LineRules, ExtractRemovesExactlyThreeBytes) {
  EXPECT_EQ(lines::Extract("titleName[1]=\"abc\";", 14), "ab");
  EXPECT_EQ(lines::ExtractColour("var bgColor=\"#000040\";\n", 13), "#000040");
}

TEST(LineRules, NormaliseRemovesEveryLineBreakAndAppendsOne) {
  EXPECT_EQ(lines::Normalise("titleName[1]=\"a\r\nb\";\n"), "titleName[1]=\"ab\";\n");
  EXPECT_EQ(lines::Normalise(""), "\n");
  EXPECT_EQ(lines::Normalise("x\ry\n\n"), "xy\n");
}

}  // namespace
