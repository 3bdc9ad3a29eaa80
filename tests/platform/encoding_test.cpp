#include "platform/encoding.h"

#include <gtest/gtest.h>

#include "texts/app_texts.h"

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X ", b);
    out += buf;
  }
  if (!out.empty()) out.pop_back();
  return out;
}

// Pins the conversion so that a wrong code page cannot pass silently.
TEST(Encoding, BuildTimeTextsAreCp932Bytes) {
  EXPECT_EQ(Hex(txt::kCircled1), "87 40");                               // ①
  EXPECT_EQ(Hex(txt::kCircled11), "87 4A");                              // ⑪
  EXPECT_EQ(Hex(txt::kStaticTheme), "83 65 81 5B 83 7D");                // テーマ
  EXPECT_EQ(Hex(txt::kLabelJumpBack), "91 4F 82 C9 BC DE AC DD CC DF");  // 前にｼﾞｬﾝﾌﾟ
}

// The characters every build takes, with the same bytes (the Windows build
// gets its CP932 from the system, the Linux build from glibc). A JIS form
// reads back as the full-width form that shares its bytes.
TEST(Encoding, Utf8ToSjisPinsBytes) {
  struct Case {
    const char* utf8;
    const char* hex;
    const char* back = nullptr;  // when it reads back as another character
  } cases[] = {
      {"①", "87 40"},        {"表", "95 5C"},       {"ソ", "83 5C"},      {"ｼ", "BC"},
      {"A\"\\", "41 22 5C"}, {"～", "81 60"},       {"－", "81 7C"},      {"｡", "A1"},
      {"∥", "81 61"},        {"￠", "81 91"},       {"￡", "81 92"},      {"￢", "81 CA"},
      {"―", "81 5C"},        {"〜", "81 60", "～"}, {"−", "81 7C", "－"}, {"‖", "81 61", "∥"},
      {"¢", "81 91", "￠"},  {"£", "81 92", "￡"},  {"¬", "81 CA", "￢"}, {"—", "81 5C", "―"},
      {"¥", "5C", "\\"},     {"‾", "7E", "~"},      {"♪", "81 F4"},       {"・", "81 45"},
      {"Ⅰ", "87 54"},        {"㈱", "87 8A"},       {"∑", "87 94"},       {"髙", "FB FC"},
      {"ⅰ", "FA 40"},        {"\uE000", "F0 40"},
  };
  for (const auto& c : cases) {
    auto r = platform::Utf8ToSjis(c.utf8);
    ASSERT_TRUE(r) << c.utf8;
    EXPECT_EQ(Hex(*r), c.hex) << c.utf8;
    EXPECT_EQ(platform::SjisToUtf8(*r), c.back ? c.back : c.utf8) << c.utf8;
  }
}

TEST(Encoding, RefusesCharactersShiftJisCannotHoldAndNamesThem) {
  auto r = platform::Utf8ToSjis("ab😀cd");
  EXPECT_FALSE(r);
  EXPECT_EQ(r.error(), "😀");
  // Never a look-alike in its place (Windows' best fit would take these).
  for (const char* refused : {"한", "é", "€", "¦", "µ", "¹", "\xC0\xAF", "\xFF"}) {
    r = platform::Utf8ToSjis(std::string("a") + refused + "b");
    EXPECT_FALSE(r) << refused;
    EXPECT_EQ(r.error(), refused);
  }
}

TEST(Encoding, InvalidShiftJisBecomesReplacementCharacters) {
  EXPECT_EQ(platform::SjisToUtf8("a\x81"), "a\xEF\xBF\xBD");
  EXPECT_EQ(platform::SjisToUtf8(std::string("\xA0z", 2)), "\xEF\xBF\xBDz");
  for (const char* undefined : {"\x80", "\xFD", "\xFE", "\xFF"})
    EXPECT_EQ(platform::SjisToUtf8(undefined), "\xEF\xBF\xBD") << Hex(undefined);
}

// The converters are opened once and reused: a text cut off in the middle of a
// character must not leave anything behind for the next text.
TEST(Encoding, AFailedOrCutTextLeavesNothingForTheNext) {
  for (int round = 0; round < 2; ++round) {
    EXPECT_FALSE(platform::Utf8ToSjis("\xE3\x81"));  // あ cut after two bytes
    EXPECT_EQ(Hex(*platform::Utf8ToSjis("\xE3\x81\x82")), "82 A0");
    EXPECT_FALSE(platform::Utf8ToSjis("x😀"));
    EXPECT_EQ(*platform::Utf8ToSjis("ok"), "ok");
    EXPECT_EQ(platform::SjisToUtf8("\x82"), "\xEF\xBF\xBD");      // a lead byte alone
    EXPECT_EQ(platform::SjisToUtf8("\x82\xA0"), "\xE3\x81\x82");  // あ
  }
}

TEST(Encoding, LeadBytes) {
  EXPECT_TRUE(platform::IsSjisLeadByte(0x81));
  EXPECT_TRUE(platform::IsSjisLeadByte(0x9F));
  EXPECT_TRUE(platform::IsSjisLeadByte(0xE0));
  EXPECT_FALSE(platform::IsSjisLeadByte(0xA0));  // half-width katakana are single bytes
  EXPECT_FALSE(platform::IsSjisLeadByte(0xDF));
  EXPECT_FALSE(platform::IsSjisLeadByte(0x5C));
}

// Bytes that are no UTF-8 character never reach a terminal as they are.
TEST(Encoding, ValidUtf8ShowsEveryBrokenByteAsAReplacement) {
  const std::string r = "\xEF\xBF\xBD";
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"\xe6\x97\x85 \xf0\x9f\x98\x80", "\xe6\x97\x85 \xf0\x9f\x98\x80"},
      {"a\xff"
       "b",
       "a" + r + "b"},
      {"\xc0\xaf", r + r},                  // overlong "/"
      {"\xe0\x80\xaf", r + r + r},          // overlong, three bytes
      {"\xed\xa0\x80", r + r + r},          // a surrogate
      {"\xf4\x90\x80\x80", r + r + r + r},  // past U+10FFFF
      {"\xe6\x97", r + r},                  // cut short
      {"\xc3(", r + "("},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(platform::ValidUtf8(in), out) << in;
}

}  // namespace
