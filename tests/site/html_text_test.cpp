// Texts from photos as HTML text: only "&", "<" and ">" change, and the
// bytes of Shift-JIS characters are never taken for them.
#include "site/html_text.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/encoding.h"

namespace {

TEST(HtmlText, EscapesOnlyAmpersandAndAngleBrackets) {
  const struct {
    std::string in, out;
  } rows[] = {
      {"", ""},
      {"Canon", "Canon"},
      {"<Digimax i50 MP3, Samsung #1 MP3>", "&lt;Digimax i50 MP3, Samsung #1 MP3&gt;"},
      {"A&B", "A&amp;B"},
      {"&amp;", "&amp;amp;"},
      {"<script>x</script>", "&lt;script&gt;x&lt;/script&gt;"},
      {"\"quoted\" 'single' \\", "\"quoted\" 'single' \\"},  // quotes and backslash stay
      {std::string("a\0<", 3), std::string("a\0&lt;", 6)},
  };
  for (const auto& row : rows) EXPECT_EQ(site::HtmlText(row.in), row.out) << row.in;
}

TEST(HtmlText, ShiftJisCharactersStayWhole) {
  // "表" and "ソ" end in 0x5C; the text around them is still escaped.
  const std::string sjis = *platform::Utf8ToSjis("表<ソ>");
  EXPECT_EQ(platform::SjisToUtf8(site::HtmlText(sjis)), "表&lt;ソ&gt;");
}

}  // namespace
