#include <gtest/gtest.h>

#include "app/dialog_controls.h"
#include "platform/fault_injection.h"
#include "tests/support/editor_gallery.h"

namespace {

std::string TopPhotoFile(int n) {
  return OnDisk(
      "/* ファイル「gallerytoppic.js」 */\n/* galleryトップ写真ファイルナンバー */\nvar k = " +
      std::to_string(n) + ";\n");
}

TEST(TopPhoto, RecordsTheCurrentPhotoNumber) {
  EditorGallery g(12);
  ASSERT_TRUE(g.dlg.Click(ctl::kTopPhoto));  // photo 1 right after start-up
  EXPECT_EQ(Utf8(TempGallery::ReadFile(paths::kTopPhotoFile)), TopPhotoFile(1));
  for (int i = 0; i < 6; ++i) g.dlg.OnNext();
  g.dlg.OnTopPhoto();
  EXPECT_EQ(Utf8(TempGallery::ReadFile(paths::kTopPhotoFile)), TopPhotoFile(7));
  g.dlg.OnLast();
  g.dlg.OnTopPhoto();
  EXPECT_EQ(Utf8(TempGallery::ReadFile(paths::kTopPhotoFile)), TopPhotoFile(12));
  ASSERT_EQ(g.ui.messages.size(), 3u);
  EXPECT_EQ(g.ui.messages[2].utf8, "galleryトップ画面の写真を選択しました。");
  EXPECT_EQ(g.ui.messages[2].style, UiPort::MessageStyle::kNote);
}

TEST(TopPhoto, AbortFlagEndsTheDialogAfterWriting) {
  EditorGallery g(3);
  g.state().abortFlag = 1;
  g.dlg.OnTopPhoto();
  EXPECT_EQ(Utf8(TempGallery::ReadFile(paths::kTopPhotoFile)), TopPhotoFile(1));
  EXPECT_TRUE(g.dlg.ended());
  EXPECT_TRUE(g.ui.messages.empty());
}

TEST(TopPhoto, FailedWriteKeepsTheOldFile) {
  EditorGallery g(3);
  TempGallery::WriteFile(paths::kTopPhotoFile, "old");
  g.dlg.OnNext();
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Rename && path == paths::kTopPhotoFile;
  });
  g.dlg.OnTopPhoto();
  platform::SetFaultHook(nullptr);
  EXPECT_EQ(TempGallery::ReadFile(paths::kTopPhotoFile), "old");
  ASSERT_EQ(g.ui.messages.size(), 1u);
  EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_NE(g.ui.messages[0].utf8.find("gallery/data/gallerytoppic.js"), std::string::npos);
  EXPECT_FALSE(g.dlg.ended());
}

}  // namespace
