// The information page's text: its head, item blocks, custom functions and
// the missing-value mark.
#include "site/info_page.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/encoding.h"

namespace {

std::vector<std::string> Lines(const std::string& sjisPage) {
  std::vector<std::string> lines;
  std::istringstream in(platform::SjisToUtf8(sjisPage));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Label(const std::string& utf8) {
  return "document.write(\"<font color='\",itemColor,\"'>" + utf8 + "</font><br>\");";
}

InfoValueTexts AllItems() {
  InfoValueTexts texts;
  for (int item = 1; item <= kValueItems; ++item) texts.SetItem(item, "v" + std::to_string(item));
  return texts;
}

TEST(InfoPage, HeadCarriesTheCharsetRightAfterHead) {
  ShootingInfoMemory other;
  other.maker = "NIKON";
  auto lines = Lines(ComposeInfoPage(7, AllItems(), other));
  const std::vector<std::string> head = {
      "<!-- inf7.html -->",
      "<html lang=\"ja\">",
      "<head>",
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
      "<title>Tavisque</title>",
      "</head>",
      "<Script Language=\"JavaScript\" src=\"../../data/colordata.js\">",
      "</Script>",
      "<Script Language=\"JavaScript\">",
      "document.write(\"<body bgcolor='\",bgColor,\"' text='\",dataColor,\"' "
      "link='#000000' vlink='#000000' alink='#000000'>\");",
      "</Script>",
      "<font face=\"Century\" size=3>",
      "<!-- 撮影情報 -->",
  };
  ASSERT_EQ(lines.size(), 89u);
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << i;
  EXPECT_EQ(lines[13], "<Script Language=\"JavaScript\">");
  EXPECT_EQ(lines[14], Label("カメラメーカー名"));
  EXPECT_EQ(lines[15], "</Script>");
  EXPECT_EQ(lines[16], "v1<br>");
  EXPECT_EQ(lines[14 + 17 * 4], Label("記録画素数（高さ）"));
  EXPECT_EQ(lines[16 + 17 * 4], "v18<br>");
  EXPECT_EQ(lines[85], "</font>");
  EXPECT_EQ(lines[86],
            "<Script Language=\"JavaScript\" src=\"../../script/photopage.js\"></Script>");
  EXPECT_EQ(lines[87], "</body>");
  EXPECT_EQ(lines[88], "</html>");
}

TEST(InfoPage, LengthFollowsMakerModelAndHeaders) {
  ShootingInfoMemory canon;  // "Canon" from program start
  InfoValueTexts texts = AllItems();
  EXPECT_EQ(Lines(ComposeInfoPage(1, texts, canon)).size(), 173u);

  texts.SetItem(2, "Canon EOS D30");
  EXPECT_EQ(Lines(ComposeInfoPage(1, texts, canon)).size(), 12u + 1 + 41 * 4 + 3 + 13 + 4);
  for (std::size_t k = 1; k <= 13; ++k) canon.headerSet[k] = true;
  EXPECT_EQ(Lines(ComposeInfoPage(1, texts, canon)).size(), 236u);

  texts.SetItem(2, "Canon EOS D60 with more");
  EXPECT_EQ(Lines(ComposeInfoPage(1, texts, canon)).size(), 236u);
  texts.SetItem(2, "Canon EOS D3");
  EXPECT_EQ(Lines(ComposeInfoPage(1, texts, canon)).size(), 173u);
  texts.SetItem(2, "Canon EOS 10D");
  EXPECT_EQ(Lines(ComposeInfoPage(1, texts, canon)).size(), 173u);
}

TEST(InfoPage, CustomFunctionPairsShowHeadersSeenSoFar) {
  ShootingInfoMemory canon;
  canon.headerSet[5] = true;
  InfoValueTexts texts = AllItems();
  texts.SetItem(2, "Canon EOS D60");
  texts.SetCustomValue(1, "x1");  // a value without header: only its value line
  auto lines = Lines(ComposeInfoPage(3, texts, canon));
  // Items 1 to 41, then item 42's label.
  std::size_t at = 13 + 41 * 4;
  EXPECT_EQ(lines[at + 1], Label("カスタムファンクション"));
  at += 3;
  EXPECT_EQ(lines[at++], "x1<br>");
  for (int k = 2; k <= 4; ++k) EXPECT_EQ(lines[at++], "<br>") << k;
  EXPECT_EQ(lines[at + 1], Label("05:AF補助光"));
  EXPECT_EQ(lines[at + 3], "<br>");  // header without value: an empty value line
  at += 4;
  for (int k = 6; k <= 13; ++k) EXPECT_EQ(lines[at++], "<br>") << k;
  EXPECT_EQ(lines[at], "</font>");
}

TEST(InfoPage, MissingValuesAreMarkedUpToItem39) {
  InfoValueTexts texts;
  texts.SetItem(3, "1/4秒");
  texts.SetItem(5, "0");
  MarkMissingValues(texts);
  for (int item = 1; item <= 39; ++item) {
    if (item == 3) continue;
    EXPECT_EQ(platform::SjisToUtf8(texts.item(item)), "（不明）") << item;
  }
  EXPECT_EQ(texts.item(3), "1/4秒");
  EXPECT_EQ(texts.item(40), "");
  EXPECT_EQ(texts.item(41), "");

  InfoValueTexts iso;
  iso.SetItem(5, "100");
  MarkMissingValues(iso);
  EXPECT_EQ(iso.item(5), "100");
  iso.SetItem(5, "00");
  MarkMissingValues(iso);
  EXPECT_EQ(iso.item(5), "00");
}

TEST(InfoPage, TextsAreCStringsCutToTheirCapacity) {
  InfoValueTexts texts;
  texts.SetItem(2, std::string(250, 'm'));
  EXPECT_EQ(texts.item(2).size(), kItemCapacity);
  texts.SetItem(2, std::string("Canon\0 EOS", 10));
  EXPECT_EQ(texts.item(2), "Canon");
  texts.SetCustomValue(4, std::string(150, 'c'));
  EXPECT_EQ(texts.customValue(4).size(), kCustomValueCapacity);
}

TEST(InfoPage, TextsFromThePhotoGoInAsHtmlText) {
  ShootingInfoMemory canon;
  for (std::size_t k = 1; k <= 13; ++k) canon.headerSet[k] = true;
  InfoValueTexts texts = AllItems();
  texts.SetItem(1, "Canon & Co");
  texts.SetItem(2, "Canon EOS D60 <b>");
  texts.SetItem(40, "<img src=x onerror=alert(1)>");
  texts.SetCustomValue(13, "a<b");
  auto lines = Lines(ComposeInfoPage(1, texts, canon));
  EXPECT_EQ(lines[16], "Canon &amp; Co<br>");
  EXPECT_EQ(lines[20], "Canon EOS D60 &lt;b&gt;<br>");
  EXPECT_EQ(lines[16 + 39 * 4], "&lt;img src=x onerror=alert(1)&gt;<br>");
  EXPECT_EQ(lines[lines.size() - 5], "a&lt;b<br>");
}

}  // namespace
