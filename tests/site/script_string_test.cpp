// Texts from the photos inside the data scripts' string literals.
#include "site/script_string.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptString, PlainTextsStayAsTheyAre) {
  EXPECT_EQ(site::ScriptStringBody("Canon EOS 40D   "), "Canon EOS 40D   ");
  EXPECT_EQ(site::ScriptStringBody("2003_08_03_09_05_00.jpg"), "2003_08_03_09_05_00.jpg");
  EXPECT_EQ(site::ScriptStringBody(""), "");
}

TEST(ScriptString, QuotesBackslashesAndLineBreaksAreEscaped) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"Evil\";alert(1);//", "Evil\\\";alert(1);//"},
      {"C:\\x", "C:\\\\x"},
      {"two\nlines\r\n", "two\\nlines\\r\\n"},
      {"tab\tstays", "tab\tstays"},
  };
  for (const auto& c : cases) EXPECT_EQ(site::ScriptStringBody(c.in), c.out) << c.in;
}

TEST(ScriptString, ShiftJisCharactersStayWholeEvenWithA5CSecondByte) {
  // 表 is 95 5C and ソ is 83 5C: their second byte is no backslash.
  EXPECT_EQ(site::ScriptStringBody("\x95\x5C\x83\x5C"), "\x95\x5C\x83\x5C");
  // Half-width katakana are single bytes.
  EXPECT_EQ(site::ScriptStringBody("\xB1\xDF"), "\xB1\xDF");
}

TEST(ScriptString, BytesThatAreNoCharacterBecomeQuestionMarks) {
  struct Case {
    std::string in, out;
  } cases[] = {
      // A lead byte before a quote would swallow the escaping backslash.
      {"\x81\"", "?\\\""},
      // An unassigned pair: a browser would let its 5C loose as a backslash.
      {"\x85\x5C\"", "?\\\\\\\""},
      // A lead byte at the end, before the closing quote.
      {"abc\x81", "abc?"},
      {"\xA0x\xFD\xFE\xFF", "?x???"},
      // An unassigned lead byte before a lead byte: the second one starts the character.
      {"\x85\x81\x40", "?\x81\x40"},
  };
  for (const auto& c : cases) EXPECT_EQ(site::ScriptStringBody(c.in), c.out);
}

}  // namespace
