#include <gtest/gtest.h>

#include "app/annotation_text.h"
#include "app/dialog_controls.h"
#include "app/line_rules.h"
#include "tests/support/editor_gallery.h"

namespace {

using annotation::Field;

void Type(EditorGallery& g, const std::string& theme, const std::string& title,
          const std::string& memo) {
  g.ui.edits[ctl::kThemeEdit] = theme;
  g.ui.edits[ctl::kTitleEdit] = title;
  g.ui.edits[ctl::kMemoEdit] = memo;
}

// Registering photo 5 changes subject line 2, title line 7 and memo line 7, nothing else.
TEST(AnnotationRegister, ChangesExactlyTheThreeLinesOfTheCurrentPhoto) {
  EditorGallery g(7);
  for (int i = 0; i < 4; ++i) g.dlg.OnNext();
  ASSERT_EQ(g.state().currentPhoto, 5);
  const DataTables before = g.state().tables;
  Type(g, "旅行", "富士山", "一行目\r\n二行目");
  ASSERT_TRUE(g.dlg.Click(ctl::kRegister));

  const DataTables& after = g.state().tables;
  EXPECT_EQ(Utf8(after.subject[2]), "var subjectName=\"旅行\";\n");
  EXPECT_EQ(Utf8(after.title[7]), "titleName[5]=\"富士山\";\n");
  EXPECT_EQ(Utf8(after.memo[7]), "note[5]=\"一行目<br>二行目\";\n");
  EXPECT_EQ(after.subject[0], before.subject[0]);
  EXPECT_EQ(after.subject[1], before.subject[1]);
  for (std::size_t i = 0; i < after.title.size(); ++i) {
    if (i == 7) continue;
    EXPECT_EQ(after.title[i], before.title[i]) << i;
    EXPECT_EQ(after.memo[i], before.memo[i]) << i;
  }
  EXPECT_EQ(after.colour, before.colour);
  EXPECT_TRUE(g.ui.messages.empty());  // registering says nothing
}

// A memo typed as three lines is one line with two "<br>" and comes back as three lines.
TEST(AnnotationRegister, MemoLinesComeBackOnRevisit) {
  EditorGallery g(3);
  Type(g, "", "", "あ\r\nい\r\nう");
  g.dlg.OnRegister();
  EXPECT_EQ(Utf8(g.state().tables.memo[3]), "note[1]=\"あ<br>い<br>う\";\n");
  g.dlg.OnNext();
  EXPECT_EQ(g.Edit(ctl::kMemoEdit), "");
  g.dlg.OnFirst();
  EXPECT_EQ(g.Edit(ctl::kMemoEdit), "あ\r\nい\r\nう");
}

// Quotes and backslashes are stored escaped so that the script's string does
// not end early, and come back as typed; 表, ソ and 能 end in 0x5C and stay as they are.
TEST(AnnotationRegister, QuotesBackslashesAndTrailBytesRoundTrip) {
  EditorGallery g(2);
  const std::string title = "富士山 \"朝\" C:\\写真\\";
  const std::string memo = "表ソ能\r\n\"引用\" \\";
  Type(g, "旅\"行\"", title, memo);
  g.dlg.OnRegister();
  const DataTables& t = g.state().tables;
  EXPECT_EQ(t.title[3], Sjis("titleName[1]=\"富士山 \\\"朝\\\" C:\\\\写真\\\\\";\n"));
  EXPECT_EQ(t.memo[3], Sjis("note[1]=\"表ソ能<br>\\\"引用\\\" \\\\\";\n"));
  EXPECT_EQ(t.subject[2], Sjis("var subjectName=\"旅\\\"行\\\"\";\n"));
  // 表 is 95 5C and stays two bytes.
  Type(g, "", "表", "");
  g.dlg.OnRegister();
  EXPECT_EQ(t.title[3], "titleName[1]=\"\x95\x5C\";\n");

  Type(g, "", title, memo);
  g.dlg.OnRegister();
  g.dlg.OnNext();
  g.dlg.OnBack();
  EXPECT_EQ(g.Edit(ctl::kTitleEdit), title);
  EXPECT_EQ(g.Edit(ctl::kMemoEdit), memo);
}

TEST(AnnotationRegister, LimitsByFieldAndPhotoNumber) {
  struct Case {
    int n;
    std::size_t theme, title, memo;
  } cases[] = {
      {1, 179, 182, 987},  {9, 179, 182, 987},   {10, 179, 181, 986},
      {99, 179, 181, 986}, {100, 179, 180, 985}, {1000, 179, 179, 984},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(annotation::MaxValueBytes(Field::kTheme, c.n), c.theme) << c.n;
    EXPECT_EQ(annotation::MaxValueBytes(Field::kTitle, c.n), c.title) << c.n;
    EXPECT_EQ(annotation::MaxValueBytes(Field::kMemo, c.n), c.memo) << c.n;
  }
}

// Texts exactly at the limit register; one byte more is refused with an
// error naming the field, and nothing at all is registered.
TEST(AnnotationRegister, RefusesTextsLongerThanTheirLine) {
  EditorGallery g(100);
  struct Case {
    const char* name;
    int n;
    Field field;
    std::string text;  // UTF-8, exactly at the limit after escaping
    std::string oneMore;
  };
  auto a = [](std::size_t k) { return std::string(k, 'a'); };
  std::vector<Case> cases;
  for (int n : {9, 10, 99, 100}) {
    const std::size_t title = annotation::MaxValueBytes(Field::kTitle, n);
    const std::size_t memo = annotation::MaxValueBytes(Field::kMemo, n);
    cases.push_back({"ascii title", n, Field::kTitle, a(title), a(title + 1)});
    cases.push_back(
        {"quotes count two", n, Field::kTitle, a(title - 2) + "\"", a(title - 1) + "\""});
    cases.push_back(
        {"backslashes count two", n, Field::kTitle, a(title - 4) + "\\\\", a(title - 3) + "\\\\"});
    cases.push_back({"ascii memo", n, Field::kMemo, a(memo), a(memo + 1)});
    cases.push_back(
        {"memo breaks count four", n, Field::kMemo, a(memo - 4) + "\r\n", a(memo - 3) + "\r\n"});
    // あ is two bytes in Shift-JIS, three in UTF-8.
    std::string wide;
    for (std::size_t i = 0; i < memo / 2; ++i) wide += "あ";
    cases.push_back({"wide memo", n, Field::kMemo, wide + (memo % 2 ? "a" : ""),
                     wide + (memo % 2 ? "あ" : "aa")});
  }
  cases.push_back({"theme", 9, Field::kTheme, a(179), a(180)});
  cases.push_back({"theme with quote", 100, Field::kTheme, a(177) + "\"", a(178) + "\""});

  const char* kNames[] = {"テーマ", "タイトル", "メモ"};
  const int kEdits[] = {ctl::kThemeEdit, ctl::kTitleEdit, ctl::kMemoEdit};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " at photo " + std::to_string(c.n));
    g.state().currentPhoto = c.n;
    const int field = static_cast<int>(c.field);
    Type(g, "theme ok", "title ok", "memo ok");
    g.ui.edits[kEdits[field]] = c.oneMore;
    const DataTables before = g.state().tables;
    g.ui.messages.clear();
    g.dlg.OnRegister();
    ASSERT_EQ(g.ui.messages.size(), 1u);
    EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kError);
    EXPECT_EQ(g.ui.messages[0].utf8.rfind(kNames[field], 0), 0u) << g.ui.messages[0].utf8;
    EXPECT_EQ(g.state().tables.subject, before.subject);
    EXPECT_EQ(g.state().tables.title, before.title);
    EXPECT_EQ(g.state().tables.memo, before.memo);
    EXPECT_FALSE(g.dlg.ended());

    g.ui.edits[kEdits[field]] = c.text;
    g.ui.messages.clear();
    g.dlg.OnRegister();
    EXPECT_TRUE(g.ui.messages.empty());
    const std::string& line = field == 0   ? g.state().tables.subject[2]
                              : field == 1 ? g.state().tables.title[c.n + 2]
                                           : g.state().tables.memo[c.n + 2];
    EXPECT_EQ(line.size(), field == 2 ? 999u : 199u);
  }
}

// Characters Shift-JIS cannot hold are refused by name; nothing is replaced silently.
TEST(AnnotationRegister, RefusesCharactersShiftJisCannotHold) {
  EditorGallery g(2);
  struct Case {
    const char* name;
    int edit;
    std::string text;
    std::string field, shown;
  } cases[] = {
      {"emoji in the title", ctl::kTitleEdit, "山😀", "タイトル", "「😀」（U+1F600）"},
      {"hangul in the memo", ctl::kMemoEdit, "a\r\n한", "メモ", "「한」（U+D55C）"},
      {"zero in the theme", ctl::kThemeEdit, std::string("a\0b", 3), "テーマ", "「」（U+0000）"},
      {"broken UTF-8", ctl::kTitleEdit, "a\xff", "タイトル", "（0xFF）"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Type(g, "テーマ", "題", "メモ");
    g.ui.edits[c.edit] = c.text;
    const DataTables before = g.state().tables;
    g.ui.messages.clear();
    g.dlg.OnRegister();
    ASSERT_EQ(g.ui.messages.size(), 1u);
    const std::string& message = g.ui.messages[0].utf8;
    EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kError);
    EXPECT_EQ(message.rfind(c.field, 0), 0u) << message;
    EXPECT_NE(message.find(c.shown), std::string::npos) << message;
    EXPECT_EQ(g.state().tables.subject, before.subject);
    EXPECT_EQ(g.state().tables.title, before.title);
    EXPECT_EQ(g.state().tables.memo, before.memo);
  }
}

}  // namespace
