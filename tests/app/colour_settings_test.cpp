#include <gtest/gtest.h>

#include "app/dialog_controls.h"
#include "platform/fault_injection.h"
#include "tests/support/editor_gallery.h"

namespace {

const char kDefaults[] =
    "/* ファイル「colordata.js」 */\n/* 背景色 */\nvar bgColor=\"#000040\";\n"
    "/* トップ画面「Tavisque」の文字色 */\nvar vrntitleColor=\"#ff0000\";\n"
    "/* 項目名「サブジェクト・タイトル・撮影年月日」の文字色 */\nvar itemColor=\"#ffff00\";\n"
    "/* データの文字色 */\nvar dataColor=\"#ffffff\";\n";

// A colour file of an earlier run with its own four values.
const char kEarlier[] =
    "/* ファイル「colordata.js」 */\n/* 背景色 */\nvar bgColor=\"#123456\";\n"
    "/* トップ画面「Tavisque」の文字色 */\nvar vrntitleColor=\"#abcdef\";\n"
    "/* 項目名「サブジェクト・タイトル・撮影年月日」の文字色 */\nvar itemColor=\"#0a0b0c\";\n"
    "/* データの文字色 */\nvar dataColor=\"#fedcba\";\n";

std::string ColourFile() { return Utf8(TempGallery::ReadFile(paths::kColourFile)); }

void WriteEarlierColours() { TempGallery::WriteFile(paths::kColourFile, OnDisk(Sjis(kEarlier))); }

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

bool Same(RgbColour a, RgbColour b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

struct Button {
  int id;
  const char* prefix;
  const char* earlier;
  const char* confirmation;
} const kButtons[] = {
    {ctl::kBgColor, "var bgColor=\"", "#123456", "背景の色を設定しました。"},
    {ctl::kTitleColor, "var vrntitleColor=\"", "#abcdef",
     "トップ画面の「Tavisque」の文字の色を設定しました。"},
    {ctl::kItemColor, "var itemColor=\"", "#0a0b0c",
     "項目名「サブジェクト・タイトル・撮影年月日」の文字の色を設定しました。"},
    {ctl::kDataColor, "var dataColor=\"", "#fedcba", "データの文字の色を設定しました。"},
};

// Each button writes its chosen colour as "#" and two lower-case digits per
// component into its own line; the other lines keep what the file held.
TEST(ColourSettings, ChosenColourGoesIntoItsLine) {
  struct Choice {
    RgbColour colour;
    const char* value;
  } const kChoices[] = {{{1, 2, 3}, "#010203"},
                        {{255, 255, 255}, "#ffffff"},
                        {{255, 0, 0}, "#ff0000"},
                        {{0, 0, 0}, "#000000"}};
  for (const auto& button : kButtons) {
    for (const auto& choice : kChoices) {
      SCOPED_TRACE(std::string(button.prefix) + choice.value);
      EditorGallery g(1, false);
      WriteEarlierColours();
      g.dlg.OnInitDialog();
      g.ui.colourAnswers.push_back(choice.colour);
      ASSERT_TRUE(g.dlg.Click(button.id));
      EXPECT_EQ(ColourFile(), OnDisk(Replace(kEarlier, std::string(button.prefix) + button.earlier,
                                             std::string(button.prefix) + choice.value)));
      ASSERT_EQ(g.ui.messages.size(), 1u);
      EXPECT_EQ(g.ui.messages[0].utf8, button.confirmation);
      EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kNote);
    }
  }
}

// Cancelling on a fresh start writes the values read at start-up and still confirms.
TEST(ColourSettings, CancelRewritesTheFileAndConfirms) {
  EditorGallery g(1, false);
  WriteEarlierColours();
  g.dlg.OnInitDialog();
  g.dlg.OnBgColor();
  EXPECT_EQ(ColourFile(), OnDisk(kEarlier));
  ASSERT_EQ(g.ui.messages.size(), 1u);
  EXPECT_EQ(g.ui.messages[0].utf8, "背景の色を設定しました。");

  // Without a colour file the defaults are written.
  EditorGallery fresh(1);
  fresh.dlg.OnDataColor();
  EXPECT_EQ(ColourFile(), OnDisk(kDefaults));
}

// The dialog opens with black the first time, whatever the file says, then
// with the colour last accepted at that button; a cancel does not change it.
TEST(ColourSettings, DialogIsSeededWithTheRememberedColour) {
  EditorGallery g(1, false);
  WriteEarlierColours();
  g.dlg.OnInitDialog();
  g.ui.colourAnswers = {RgbColour{10, 20, 30}, std::nullopt, std::nullopt, std::nullopt};
  g.dlg.OnBgColor();
  g.dlg.OnBgColor();
  g.dlg.OnBgColor();
  g.dlg.OnItemColor();
  ASSERT_EQ(g.ui.colourSeeds.size(), 4u);
  EXPECT_TRUE(Same(g.ui.colourSeeds[0], {0, 0, 0}));
  EXPECT_TRUE(Same(g.ui.colourSeeds[1], {10, 20, 30}));
  EXPECT_TRUE(Same(g.ui.colourSeeds[2], {10, 20, 30}));
  EXPECT_TRUE(Same(g.ui.colourSeeds[3], {0, 0, 0}));
}

// The reset changes the lines only: a colour cancelled afterwards writes its
// value from before the reset back, an accepted one changes only its line.
TEST(ColourSettings, ResetKeepsValuesAndRememberedColours) {
  EditorGallery g(1, false);
  WriteEarlierColours();
  g.dlg.OnInitDialog();
  g.ui.colourAnswers = {RgbColour{1, 2, 3}};
  g.dlg.OnTitleColor();
  g.ui.messages.clear();

  ASSERT_TRUE(g.dlg.Click(ctl::kResetColors));
  EXPECT_EQ(ColourFile(), OnDisk(kDefaults));
  ASSERT_EQ(g.ui.messages.size(), 1u);
  EXPECT_EQ(g.ui.messages[0].utf8, "すべて初期の色に設定しました。");

  g.dlg.OnBgColor();  // cancelled
  EXPECT_EQ(ColourFile(),
            OnDisk(Replace(kDefaults, "var bgColor=\"#000040\"", "var bgColor=\"#123456\"")));

  g.ui.colourAnswers = {RgbColour{0xff, 0xee, 0xdd}};
  g.dlg.OnTitleColor();
  EXPECT_TRUE(Same(g.ui.colourSeeds.back(), {1, 2, 3}));
  EXPECT_EQ(ColourFile(),
            OnDisk(Replace(Replace(kDefaults, "#000040", "#123456"), "vrntitleColor=\"#ff0000\"",
                           "vrntitleColor=\"#ffeedd\"")));
}

// With the abort flag set the file is still written, then the dialog ends without a word.
TEST(ColourSettings, AbortFlagEndsTheDialogAfterWriting) {
  for (int button : {ctl::kBgColor, ctl::kResetColors}) {
    EditorGallery g(1, false);
    WriteEarlierColours();
    g.dlg.OnInitDialog();
    g.state().abortFlag = 1;
    g.ui.colourAnswers = {RgbColour{1, 2, 3}};
    g.dlg.Click(button);
    EXPECT_TRUE(g.dlg.ended());
    EXPECT_TRUE(g.ui.messages.empty());
    EXPECT_EQ(ColourFile(), button == ctl::kBgColor
                                ? OnDisk(Replace(kEarlier, "#123456", "#010203"))
                                : OnDisk(kDefaults));
  }
}

// A start-up that stopped early read no colours: the file's other lines are
// kept instead of being replaced by empty ones.
TEST(ColourSettings, StoppedStartUpKeepsTheOtherColours) {
  TempGallery gallery;
  TempGallery::WriteFile(std::string(paths::kPhotoDir) + "/IMG_0001.jpg", TinyJpeg());
  WriteEarlierColours();
  RecordingUi ui;
  CGalleryEditorDlg dlg(ui);
  dlg.OnInitDialog();
  ASSERT_EQ(dlg.state().abortFlag, 1);
  ui.colourAnswers = {RgbColour{1, 2, 3}};
  dlg.OnDataColor();
  EXPECT_EQ(ColourFile(), OnDisk(Replace(kEarlier, "#fedcba", "#010203")));
  EXPECT_TRUE(dlg.ended());
}

TEST(ColourSettings, FailedWriteIsReportedAndTheDialogStays) {
  for (int button : {ctl::kItemColor, ctl::kResetColors}) {
    EditorGallery g(1, false);
    WriteEarlierColours();
    g.dlg.OnInitDialog();
    g.ui.colourAnswers = {RgbColour{1, 2, 3}};
    platform::SetFaultHook(
        [](platform::FileOp op, std::string_view) { return op == platform::FileOp::Write; });
    g.dlg.Click(button);
    platform::SetFaultHook(nullptr);
    ASSERT_EQ(g.ui.messages.size(), 1u);
    EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kError);
    EXPECT_NE(g.ui.messages[0].utf8.find("gallery/data/colordata.js"), std::string::npos);
    EXPECT_FALSE(g.dlg.ended());
    EXPECT_EQ(ColourFile(), OnDisk(kEarlier));
  }
}

}  // namespace
