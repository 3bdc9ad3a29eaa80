// The dialog's initialisation, painting and About box.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"

namespace {

const char kNoPhotos[] =
    "撮影データ（jpg形式）がフォルダ「Pelvora」にありません。撮影データをフォルダ「Pelvora」内にコ"
    "ピ"
    "ーし、「①ファイル名一括変換」以下を実行してください。";
const char kNotRenamed[] =
    "ファイル名が変換されていません。「①ファイル名一括変換」以下を実行してください。";
const char kNoThumbnails[] =
    "サムネイルデータ（jpg形式）がフォルダ「gallery/thumbnail」にありません。「②サムネイル一括作成"
    "」以下を実行してください。";

void AddPhoto(const std::string& name, bool withThumbnail = true) {
  TempGallery::WriteFile("Pelvora/" + name, "photo");
  if (withThumbnail) TempGallery::WriteFile("gallery/thumbnail/Tn_" + name, "thumbnail");
}

struct Dialog {
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
};

TEST(DialogStartup, NoPhotosEndsTheDialog) {
  TempGallery gallery;
  Dialog d;
  EXPECT_FALSE(d.dlg.OnInitDialog());
  ASSERT_EQ(d.ui.messages.size(), 1u);
  EXPECT_EQ(d.ui.messages[0].utf8, kNoPhotos);
  EXPECT_EQ(d.ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_TRUE(d.ui.ended);
  // The port was offered to wait, once, naming the folder to copy into.
  ASSERT_EQ(d.ui.waits.size(), 1u);
  EXPECT_NE(d.ui.waits[0].first.find(d.ui.waits[0].second), std::string::npos);
  const std::filesystem::path folder(d.ui.waits[0].second);
  EXPECT_TRUE(folder.is_absolute() && folder.filename() == "Pelvora") << folder;
}

// A window system waits while the user copies the photos; "look again" with
// none there yet waits once more, and the start-up goes on once they are.
TEST(DialogStartup, AGalleryWithoutPhotosWaitsForThem) {
  TempGallery gallery;
  Dialog d;
  d.ui.whilePhotosAwaited = [&d] {
    if (d.ui.waits.size() == 2) AddPhoto("IMG_0001.JPG");
    return true;
  };
  EXPECT_TRUE(d.dlg.OnInitDialog());
  EXPECT_EQ(d.ui.waits.size(), 2u);
  ASSERT_EQ(d.ui.messages.size(), 1u);
  EXPECT_EQ(d.ui.messages[0].utf8, kNotRenamed);
  EXPECT_FALSE(d.ui.ended);
}

TEST(DialogStartup, UnrenamedFirstPhotoStopsWithTheDialogOpen) {
  TempGallery gallery;
  AddPhoto("IMG_0001.JPG");
  Dialog d;
  EXPECT_TRUE(d.dlg.OnInitDialog());
  ASSERT_EQ(d.ui.messages.size(), 1u);
  EXPECT_EQ(d.ui.messages[0].utf8, kNotRenamed);
  EXPECT_FALSE(d.ui.ended);
  EXPECT_EQ(d.dlg.state().abortFlag, 1);
  // Only the title and the version are painted.
  auto texts = d.dlg.PaintTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].utf8, "Vornami編集");
  EXPECT_EQ(texts[1].utf8, "Ver.8.0");
}

TEST(DialogStartup, OnlyTheFirstListedNameIsCheckedForRenaming) {
  TempGallery gallery;
  AddPhoto("2003_08_03_09_05_00.jpg");
  AddPhoto("IMG_0001.JPG");  // sorts after the renamed photo
  Dialog d;
  EXPECT_TRUE(d.dlg.OnInitDialog());
  EXPECT_TRUE(d.ui.messages.empty());
  EXPECT_EQ(d.dlg.state().photoCount, 2);
}

TEST(DialogStartup, NoThumbnailsStopsWithTheDialogOpen) {
  TempGallery gallery;
  AddPhoto("2003_08_03_09_05_00.jpg", false);
  Dialog d;
  EXPECT_TRUE(d.dlg.OnInitDialog());
  ASSERT_EQ(d.ui.messages.size(), 1u);
  EXPECT_EQ(d.ui.messages[0].utf8, kNoThumbnails);
  EXPECT_FALSE(d.ui.ended);
  EXPECT_EQ(d.dlg.PaintTexts().size(), 2u);
}

TEST(DialogStartup, LoadsStateLabelsAndEdits) {
  TempGallery gallery;
  AddPhoto("2003_08_03_09_05_00.jpg");
  AddPhoto("2003_08_03_09_06_00.jpg");
  AddPhoto("2003_08_04_10_00_00.jpg", false);  // count comes from the thumbnails
  TempGallery::WriteFile("gallery/data/subject.js", "a\r\nb\r\nvar subjectName=\"\x97\xb7\";\r\n");
  TempGallery::WriteFile("gallery/data/note.js", "a\r\nb\r\nc\r\nnote[1]=\"one<br>two\";\r\n");
  Dialog d;
  EXPECT_TRUE(d.dlg.OnInitDialog());
  // The photo without a thumbnail is named; the start-up goes on.
  ASSERT_EQ(d.ui.messages.size(), 1u);
  EXPECT_NE(d.ui.messages[0].utf8.find("サムネイルのない写真（2003_08_04_10_00_00.jpg）"),
            std::string::npos);
  const SharedState& s = d.dlg.state();
  EXPECT_EQ(s.photoCount, 2);
  EXPECT_EQ(s.listedPhotos, 3);
  EXPECT_EQ(s.currentPhoto, 1);
  EXPECT_EQ(s.currentPhotoName, "2003_08_03_09_05_00.jpg");
  EXPECT_EQ(d.ui.edits[ctl::kThemeEdit], "旅");
  EXPECT_EQ(d.ui.edits[ctl::kTitleEdit], "");
  EXPECT_EQ(d.ui.edits[ctl::kMemoEdit], "one\r\ntwo");
  auto texts = d.dlg.PaintTexts();
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[2].utf8, "トータル写真枚数 = 2");
  EXPECT_EQ(texts[2].x, 160);
  EXPECT_EQ(texts[2].y, 255);
  EXPECT_EQ(texts[3].utf8, "No.1");
  EXPECT_EQ(texts[4].utf8, "2003_08_03_09_05_00.jpg");
  EXPECT_FALSE(TempGallery::Exists("gallery/data/title.js"));  // nothing written at start-up
}

// Thumbnails and photos that do not pair up are named in one message that
// suggests ②; the count stays the number of thumbnails and the dialog stays.
TEST(DialogStartup, ThumbnailsAndPhotosThatDoNotPairUpAreNamed) {
  const std::string kHead =
      "フォルダ「gallery/thumbnail」のサムネイルとフォルダ「Pelvora」の写真が対応していません。";
  const std::string kTail =
      "写真のないサムネイルを削除し、「②サムネイル一括作成」を実行してください。";
  auto photo = [](int n) {
    char name[32];
    std::snprintf(name, sizeof name, "2003_08_03_09_05_%02d.jpg", n);
    return std::string(name);
  };
  struct Case {
    const char* what;
    std::vector<int> photos, thumbnails;
    std::vector<std::string> extra;  // thumbnail files of no photo's name
    std::string expected;            // between head and tail; empty: no message
  } cases[] = {
      {"all paired", {1, 2}, {1, 2}, {}, ""},
      {"photo 1's thumbnail deleted",
       {1, 2, 3},
       {2, 3},
       {},
       "サムネイルのない写真（2003_08_03_09_05_01.jpg）。"},
      {"a stale thumbnail and an odd file",
       {1},
       {1, 9},
       {"other.jpg"},
       "写真のないサムネイル（Tn_2003_08_03_09_05_09.jpg、other.jpg）。"},
      {"both kinds, more than ten",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
       {13, 20},
       {},
       "サムネイルのない写真（2003_08_03_09_05_01.jpg、2003_08_03_09_05_02.jpg、"
       "2003_08_03_09_05_03.jpg、2003_08_03_09_05_04.jpg、2003_08_03_09_05_05.jpg、"
       "2003_08_03_09_05_06.jpg、2003_08_03_09_05_07.jpg、2003_08_03_09_05_08.jpg、"
       "2003_08_03_09_05_09.jpg、2003_08_03_09_05_10.jpgほか2件）。"
       "写真のないサムネイル（Tn_2003_08_03_09_05_20.jpg）。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempGallery gallery;
    for (int n : c.photos) AddPhoto(photo(n), false);
    for (int n : c.thumbnails) TempGallery::WriteFile("gallery/thumbnail/Tn_" + photo(n), "t");
    for (const auto& name : c.extra) TempGallery::WriteFile("gallery/thumbnail/" + name, "t");
    Dialog d;
    EXPECT_TRUE(d.dlg.OnInitDialog());
    if (c.expected.empty()) {
      EXPECT_TRUE(d.ui.messages.empty());
    } else {
      ASSERT_EQ(d.ui.messages.size(), 1u);
      EXPECT_EQ(d.ui.messages[0].utf8, kHead + c.expected + kTail);
      EXPECT_EQ(d.ui.messages[0].style, UiPort::MessageStyle::kError);
    }
    EXPECT_FALSE(d.ui.ended);
    EXPECT_EQ(d.dlg.state().abortFlag, 0);
    EXPECT_EQ(d.dlg.state().photoCount, static_cast<int>(c.thumbnails.size() + c.extra.size()));
    EXPECT_EQ(d.dlg.PaintTexts().size(), 5u);
  }
}

// A save cut short leaves "NAME.tmp.vornami"; the next start-up removes it and nothing else.
TEST(DialogStartup, RemovesTemporaryFilesLeftBehind) {
  TempGallery gallery;
  AddPhoto("2003_08_03_09_05_00.jpg");
  TempGallery::WriteFile("gallery/data/title.js.tmp.vornami", "half");
  TempGallery::WriteFile("gallery/data/note.js", "kept");
  TempGallery::WriteFile("gallery/data/tmp.vornami.js", "kept");
  Dialog d;
  d.dlg.OnInitDialog();
  EXPECT_FALSE(TempGallery::Exists("gallery/data/title.js.tmp.vornami"));
  EXPECT_TRUE(TempGallery::Exists("gallery/data/note.js"));
  EXPECT_TRUE(TempGallery::Exists("gallery/data/tmp.vornami.js"));
}

// A damaged data file is named with its lines; the other lines are loaded.
TEST(DialogStartup, NamesTheDamagedLinesOfADataFile) {
  TempGallery gallery;
  AddPhoto("2003_08_03_09_05_00.jpg");
  AddPhoto("2003_08_03_09_06_00.jpg");
  TempGallery::WriteFile("gallery/data/title.js",
                         "/* a */\r\n/* b */\r\ntitleName = new Array();\r\ntitleName[1]=\"" +
                             std::string(300, 'x') + "\";\r\ntitleName[2]=\"two\";\r\n");
  Dialog d;
  EXPECT_TRUE(d.dlg.OnInitDialog());
  ASSERT_EQ(d.ui.messages.size(), 1u);
  EXPECT_EQ(d.ui.messages[0].utf8,
            "データファイル「gallery/data/title.js」の4行目は長すぎるか形式が正しくないため、"
            "読み込みませんでした。ほかの行は読み込みました。読み込まなかった行は空の内容になり、"
            "次にそのファイルを保存したときに書き込まれます。");
  EXPECT_FALSE(d.ui.ended);
  EXPECT_EQ(d.dlg.state().abortFlag, 0);
  EXPECT_EQ(d.ui.edits[ctl::kTitleEdit], "");
  d.dlg.OnNext();
  EXPECT_EQ(d.ui.edits[ctl::kTitleEdit], "two");
}

TEST(DialogStartup, TooManyPhotosOrTooLongNamesAreRefused) {
  struct Case {
    const char* what;
    int photos;
    std::size_t nameLength;
    bool refused;
  } cases[] = {
      {"1000 photos fit", 1000, 28, false},       {"1001 photos do not", 1001, 28, true},
      {"a 96-byte name fits", 1, 96, false},      {"a 97-byte name does not", 1, 97, true},
      {"a 100-byte name does not", 1, 100, true},
  };
  for (const auto& c : cases) {
    TempGallery gallery;
    for (int i = 0; i < c.photos; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "2003_08_03_09_05_00_%04d", i);
      AddPhoto(name + std::string(c.nameLength - 4 - std::strlen(name), 'x') + ".jpg");
    }
    Dialog d;
    EXPECT_TRUE(d.dlg.OnInitDialog()) << c.what;
    bool refused =
        !d.ui.messages.empty() && d.ui.messages[0].utf8.find("97バイト以上") != std::string::npos;
    EXPECT_EQ(refused, c.refused) << c.what;
    // A name too long is named after the message; a count too high names none.
    if (c.refused) {
      EXPECT_EQ(refused && d.ui.messages[0].utf8.ends_with(".jpg）"), c.nameLength > 96) << c.what;
      EXPECT_EQ(d.dlg.state().abortFlag, 1) << c.what;
      EXPECT_FALSE(d.ui.ended) << c.what;
    } else {
      EXPECT_EQ(d.dlg.state().photoCount, c.photos) << c.what;
    }
  }
}

TEST(DialogStartup, SystemCommandsSixteenToThirtyOneOpenTheAboutBox) {
  TempGallery gallery;
  Dialog d;
  for (unsigned id : {16u, 17u, 31u}) d.dlg.OnSysCommand(id);
  EXPECT_EQ(d.ui.aboutBoxes, 3);
  for (unsigned id : {0u, 15u, 32u, 0xF060u}) d.dlg.OnSysCommand(id);
  EXPECT_EQ(d.ui.aboutBoxes, 3);
}

TEST(DialogStartup, CloseEndsTheDialog) {
  TempGallery gallery;
  Dialog d;
  EXPECT_TRUE(d.dlg.Click(ctl::kClose));
  EXPECT_TRUE(d.ui.ended);
}

}  // namespace
