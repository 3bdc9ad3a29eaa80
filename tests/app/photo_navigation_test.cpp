#include <gtest/gtest.h>

#include <filesystem>

#include "app/dialog_controls.h"
#include "app/line_rules.h"
#include "tests/support/editor_gallery.h"

namespace {

// Title and memo files whose entry n holds "T<n>" and "M<n>" over two lines.
void WriteAnnotations(int photos) {
  std::string titles = "h1\r\nh2\r\nh3\r\n", memos = titles;
  for (int n = 1; n <= photos; ++n) {
    titles += "titleName[" + std::to_string(n) + "]=\"T" + std::to_string(n) + "\";\r\n";
    memos += "note[" + std::to_string(n) + "]=\"M" + std::to_string(n) + "<br>x\";\r\n";
  }
  TempGallery::WriteFile(paths::kTitleFile, titles);
  TempGallery::WriteFile(paths::kMemoFile, memos);
}

void ExpectShowing(EditorGallery& g, int n) {
  EXPECT_EQ(g.state().currentPhoto, n);
  EXPECT_EQ(g.state().currentPhotoName, PhotoName(n));
  EXPECT_EQ(g.state().numberLabel, "No." + std::to_string(n));
  EXPECT_EQ(g.Edit(ctl::kTitleEdit), "T" + std::to_string(n));
  EXPECT_EQ(g.Edit(ctl::kMemoEdit), "M" + std::to_string(n) + "\r\nx");
  EXPECT_TRUE(g.ui.messages.empty());
  EXPECT_FALSE(g.dlg.ended());
}

// Each button bounds only on the side it moves to.
TEST(PhotoNavigation, MovesAndBounds) {
  struct Case {
    const char* name;
    int photos, from, button, expected;
  } cases[] = {
      {"first", 30, 17, ctl::kFirst, 1},
      {"first at 1", 30, 1, ctl::kFirst, 1},
      {"back", 30, 17, ctl::kBack, 16},
      {"back at 1", 30, 1, ctl::kBack, 1},
      {"jump back", 30, 22, ctl::kJumpBack, 2},
      {"jump back to exactly 1", 30, 21, ctl::kJumpBack, 1},
      {"jump back from 15", 30, 15, ctl::kJumpBack, 1},
      {"jump back at 1", 30, 1, ctl::kJumpBack, 1},
      {"next", 30, 17, ctl::kNext, 18},
      {"next at the last", 30, 30, ctl::kNext, 30},
      {"jump forward", 30, 9, ctl::kJumpForward, 29},
      {"jump forward to exactly the last", 30, 10, ctl::kJumpForward, 30},
      {"jump forward at the last", 30, 30, ctl::kJumpForward, 30},
      {"last", 30, 4, ctl::kLast, 30},
      {"last at the last", 30, 30, ctl::kLast, 30},
      {"jump forward from 990 of 998", 998, 990, ctl::kJumpForward, 998},
      {"jump forward from 977 of 998", 998, 977, ctl::kJumpForward, 997},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EditorGallery g(c.photos, false);
    WriteAnnotations(c.photos);
    g.dlg.OnInitDialog();
    g.state().currentPhoto = c.from;
    ASSERT_TRUE(g.dlg.Click(c.button));
    ExpectShowing(g, c.expected);
  }
}

// Photo 10 and 100 have a one byte longer prefix than 9 and 99 (1000 again).
TEST(PhotoNavigation, ExtractsWithThePrefixOfTheNumber) {
  EditorGallery g(1000, false);
  WriteAnnotations(1000);
  g.dlg.OnInitDialog();
  for (int n : {9, 10, 99, 100, 999, 1000}) {
    g.state().currentPhoto = n - 1;
    g.dlg.OnNext();
    ExpectShowing(g, n);
  }
}

// The photo is shown again from the tables even when the number stays: text
// typed and not registered is gone; the theme edit is not touched.
TEST(PhotoNavigation, ReloadsTheSamePhotoAndKeepsTheTheme) {
  EditorGallery g(3, false);
  WriteAnnotations(3);
  g.dlg.OnInitDialog();
  g.dlg.OnLast();
  int invalidations = g.ui.invalidations;
  g.ui.edits[ctl::kThemeEdit] = "theme typed";
  g.ui.edits[ctl::kTitleEdit] = "typed, not registered";
  g.dlg.OnNext();
  ExpectShowing(g, 3);
  EXPECT_EQ(g.Edit(ctl::kThemeEdit), "theme typed");
  EXPECT_GT(g.ui.invalidations, invalidations);
}

// A start-up that found no thumbnails has no photos: navigation does nothing
// and in particular does not end the dialog on a missing thumbnail.
TEST(PhotoNavigation, DoesNothingWithoutPhotos) {
  EditorGallery g(0, false);
  TempGallery::WriteFile(std::string(paths::kPhotoDir) + "/" + PhotoName(1), TinyJpeg());
  g.dlg.OnInitDialog();
  ASSERT_EQ(g.state().photoCount, 0);
  ASSERT_EQ(g.ui.messages.size(), 1u);
  for (int button :
       {ctl::kFirst, ctl::kJumpBack, ctl::kBack, ctl::kNext, ctl::kJumpForward, ctl::kLast}) {
    ASSERT_TRUE(g.dlg.Click(button));
    EXPECT_EQ(g.state().currentPhoto, 1);
  }
  EXPECT_EQ(g.ui.messages.size(), 1u);
  EXPECT_FALSE(g.dlg.ended());
  EXPECT_EQ(g.ui.edits.count(ctl::kTitleEdit), 0u);
}

// The count comes from the thumbnails: a number without a photo behind it, or
// a photo whose thumbnail was deleted, shows an empty preview and the dialog
// goes on; texts registered before stay to be saved.
TEST(PhotoNavigation, MissingThumbnailKeepsTheDialogAndTheRegisteredTexts) {
  EditorGallery g(3, false);
  TempGallery::WriteFile(std::string(paths::kThumbnailDir) + "/Tn_2003_08_04_00_00_00.jpg",
                         TinyJpeg());
  std::filesystem::remove(std::string(paths::kThumbnailDir) + "/Tn_" + PhotoName(2));
  g.dlg.OnInitDialog();
  ASSERT_EQ(g.state().photoCount, 3);
  ASSERT_EQ(g.ui.messages.size(), 1u);  // names both at start-up
  g.ui.edits[ctl::kTitleEdit] = "題一";
  g.dlg.OnRegister();
  g.dlg.OnNext();  // photo 2 has no thumbnail
  EXPECT_FALSE(g.dlg.previewBitmap().HasImage());
  g.ui.edits[ctl::kTitleEdit] = "題二";
  g.dlg.OnRegister();
  g.dlg.OnLast();  // photo 3's thumbnail is there
  EXPECT_TRUE(g.dlg.previewBitmap().HasImage());
  EXPECT_EQ(g.ui.messages.size(), 1u);
  EXPECT_FALSE(g.dlg.ended());
  EXPECT_EQ(g.state().abortFlag, 0);
  g.dlg.OnSaveData();
  const std::string titles = Utf8(TempGallery::ReadFile(paths::kTitleFile));
  EXPECT_NE(titles.find("titleName[1]=\"題一\";"), std::string::npos);
  EXPECT_NE(titles.find("titleName[2]=\"題二\";"), std::string::npos);
}

}  // namespace
