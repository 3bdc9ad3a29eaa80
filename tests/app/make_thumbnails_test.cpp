// ② copying every photo's embedded thumbnail, its messages, and the
// re-initialisation that follows.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "platform/encoding.h"
#include "platform/fault_injection.h"
#include "platform/jpg_listing.h"
#include "tests/support/exif_builder.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"

namespace {

using fixture::ExifJpeg;
using fixture::Order;
using Bytes = std::vector<std::uint8_t>;
using Style = UiPort::MessageStyle;

std::string U(const char* sjis) { return platform::SjisToUtf8(sjis); }
std::string S(const Bytes& b) { return std::string(b.begin(), b.end()); }

// Writes a photo with the given thumbnail (none when empty) and returns it.
Bytes WritePhoto(const std::string& name, std::size_t thumbnailSize, int seed = 1,
                 Order order = Order::kLittle) {
  ExifJpeg jpeg(order);
  jpeg.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30"));
  Bytes thumbnail;
  if (thumbnailSize > 0) {
    thumbnail = fixture::FakeThumbnail(thumbnailSize, static_cast<std::uint8_t>(seed));
    jpeg.thumbnail = thumbnail;
  }
  EXPECT_TRUE(jpeg.Write("Pelvora/" + name));
  return thumbnail;
}

std::string Thumb(const std::string& name) {
  return TempGallery::ReadFile("gallery/thumbnail/Tn_" + name);
}

const char kA[] = "2003_01_15_10_20_30.jpg";
const char kB[] = "2003_08_03_09_05_00.jpg";
const char kC[] = "2004_12_31_23_59_59.jpg";

class MakeThumbnailsTest : public ::testing::Test {
 protected:
  void Run() { ASSERT_TRUE(dlg.Click(ctl::kThumbnails)); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : ui.messages) texts.push_back(m.utf8);
    return texts;
  }

  TempGallery gallery;
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
};

TEST_F(MakeThumbnailsTest, CopiesEachEmbeddedThumbnailAndReinitialises) {
  Bytes a = WritePhoto(kA, 500, 1);
  Bytes b = WritePhoto(kB, 1200, 2, Order::kBig);
  Bytes c = WritePhoto(kC, 32768, 3);
  Run();
  EXPECT_EQ(Thumb(kA), S(a));
  EXPECT_EQ(Thumb(kB), S(b));
  EXPECT_EQ(Thumb(kC), S(c));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].utf8, U(txt::kThumbnailsDone));
  EXPECT_EQ(ui.messages[0].style, Style::kNote);
  EXPECT_FALSE(ui.ended);
  // The initialisation ran again: count, current photo and labels follow the thumbnails.
  const SharedState& s = dlg.state();
  EXPECT_EQ(s.abortFlag, 0);
  EXPECT_EQ(s.photoCount, 3);
  EXPECT_EQ(s.currentPhoto, 1);
  EXPECT_EQ(s.currentPhotoName, kA);
  EXPECT_EQ(s.countLabel, std::string(txt::kCountLabelPrefix) + "3");
  EXPECT_EQ(S(s.thumbnail), S(a));  // the preview of photo 1 was loaded
  EXPECT_EQ(ui.waitCursorLog, (std::vector<bool>{true, false}));
}

TEST_F(MakeThumbnailsTest, APhotoWithoutAUsableThumbnailGetsAnEmptyFile) {
  WritePhoto(kA, 0);
  Bytes b = WritePhoto(kB, 300);
  WritePhoto(kC, 32769);  // longer than the thumbnail buffer
  Run();
  EXPECT_TRUE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kA));
  EXPECT_EQ(Thumb(kA), "");
  EXPECT_EQ(Thumb(kB), S(b));
  EXPECT_EQ(Thumb(kC), "");
  EXPECT_EQ(dlg.state().photoCount, 3);  // every photo keeps its photo number
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kThumbnailsDone)});
}

TEST_F(MakeThumbnailsTest, AnOlderLongerThumbnailFileIsTruncated) {
  Bytes a = WritePhoto(kA, 100);
  WritePhoto(kB, 0);
  TempGallery::WriteFile(std::string("gallery/thumbnail/Tn_") + kA, std::string(5000, 'o'));
  TempGallery::WriteFile(std::string("gallery/thumbnail/Tn_") + kB, std::string(5000, 'o'));
  Run();
  EXPECT_EQ(Thumb(kA), S(a));
  EXPECT_EQ(Thumb(kB), "");
}

TEST_F(MakeThumbnailsTest, OnlyTheFirstListedNameMustBeRenamed) {
  Bytes a = WritePhoto(kA, 100, 1);
  Bytes z = WritePhoto("zz.jpg", 200, 2);
  Run();
  EXPECT_EQ(Thumb(kA), S(a));
  EXPECT_EQ(Thumb("zz.jpg"), S(z));
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kThumbnailsDone)});
}

TEST_F(MakeThumbnailsTest, UnrenamedPhotosWriteNothing) {
  WritePhoto("IMG_0001.jpg", 100);
  WritePhoto("img_0002.jpg", 100);
  Run();
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kNotRenamed)});
  EXPECT_EQ(ui.messages[0].style, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_TRUE(platform::ListJpg("gallery/thumbnail").empty());
  EXPECT_TRUE(ui.waitCursorLog.empty());
}

TEST_F(MakeThumbnailsTest, WithoutTheThumbnailFolderNothingIsWrittenAndStartUpSaysSo) {
  std::filesystem::remove("gallery/thumbnail");
  WritePhoto(kA, 100);
  Run();
  EXPECT_FALSE(TempGallery::Exists("gallery/thumbnail"));
  EXPECT_EQ(Texts(), (std::vector<std::string>{U(txt::kThumbnailsDone), U(txt::kNoThumbnails)}));
  EXPECT_EQ(ui.messages[0].style, Style::kNote);
  EXPECT_EQ(ui.messages[1].style, Style::kError);
  EXPECT_FALSE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);  // set by the initialisation
}

// The folder's quiet case: a thumbnail whose folder is missing is skipped.
TEST_F(MakeThumbnailsTest, AThumbnailWhoseFolderIsMissingIsSkippedQuietly) {
  WritePhoto(kA, 100, 1);
  Bytes b = WritePhoto(kB, 100, 2);
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    const bool hit =
        op == platform::FileOp::Open && path == std::string("gallery/thumbnail/Tn_") + kA;
    return hit ? ENOENT : 0;
  });
  Run();
  EXPECT_FALSE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kA));
  EXPECT_EQ(Thumb(kB), S(b));
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].utf8, U(txt::kThumbnailsDone));
}

// A thumbnail that cannot be written (a full disk, no permission) stops ② with
// a message naming it; nothing half-written stays and the photos are untouched.
TEST_F(MakeThumbnailsTest, AThumbnailThatCannotBeWrittenStopsTheRun) {
  struct Case {
    const char* what;
    platform::FileOp op;
    int error;
  } cases[] = {
      {"disk full", platform::FileOp::Write, ENOSPC},
      {"no permission", platform::FileOp::Open, EACCES},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempGallery folder;
    RecordingUi recording;
    CGalleryEditorDlg dialog(recording);
    Bytes a = WritePhoto(kA, 100, 1);
    WritePhoto(kB, 100, 2);
    WritePhoto(kC, 100, 3);
    const std::string photoB = TempGallery::ReadFile(std::string("Pelvora/") + kB);
    platform::SetFaultHook([&c](platform::FileOp op, std::string_view path) {
      return op == c.op && path == std::string("gallery/thumbnail/Tn_") + kB ? c.error : 0;
    });
    ASSERT_TRUE(dialog.Click(ctl::kThumbnails));
    platform::SetFaultHook(nullptr);
    ASSERT_EQ(recording.messages.size(), 1u);
    EXPECT_EQ(recording.messages[0].utf8,
              U(txt::kCannotWritePrefix) + "gallery/thumbnail/Tn_" + kB);
    EXPECT_EQ(recording.messages[0].style, Style::kError);
    EXPECT_TRUE(recording.ended);
    EXPECT_EQ(dialog.state().abortFlag, 1);
    EXPECT_EQ(Thumb(kA), S(a));
    EXPECT_FALSE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kB));
    EXPECT_FALSE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kC));
    EXPECT_EQ(TempGallery::ReadFile(std::string("Pelvora/") + kB), photoB);
    EXPECT_EQ(recording.waitCursorLog, (std::vector<bool>{true, false}));
  }
}

// A thumbnail name that is a link (or a second name) of the photo: the link
// is replaced by a thumbnail of its own, and the photo keeps its bytes.
TEST_F(MakeThumbnailsTest, NeverWritesThroughALinkToThePhoto) {
  Bytes a = WritePhoto(kA, 100, 1);
  Bytes b = WritePhoto(kB, 100, 2);
  const std::string photoA = TempGallery::ReadFile(std::string("Pelvora/") + kA);
  const std::string photoB = TempGallery::ReadFile(std::string("Pelvora/") + kB);
  std::filesystem::create_symlink(std::string("../../Pelvora/") + kA,
                                  std::string("gallery/thumbnail/Tn_") + kA);
  std::filesystem::create_hard_link(std::string("Pelvora/") + kB,
                                    std::string("gallery/thumbnail/Tn_") + kB);
  Run();
  EXPECT_EQ(TempGallery::ReadFile(std::string("Pelvora/") + kA), photoA);
  EXPECT_EQ(TempGallery::ReadFile(std::string("Pelvora/") + kB), photoB);
  EXPECT_FALSE(std::filesystem::is_symlink(std::string("gallery/thumbnail/Tn_") + kA));
  EXPECT_EQ(Thumb(kA), S(a));
  EXPECT_EQ(Thumb(kB), S(b));
  EXPECT_EQ(ui.messages[0].utf8, U(txt::kThumbnailsDone));
}

TEST_F(MakeThumbnailsTest, APhotoThatCannotBeOpenedEndsTheLoopThenCompletes) {
  Bytes a = WritePhoto(kA, 100, 1);
  WritePhoto(kB, 100, 2);
  WritePhoto(kC, 100, 3);
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Open && path == std::string("Pelvora/") + kB;
  });
  Run();
  EXPECT_EQ(Thumb(kA), S(a));
  EXPECT_FALSE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kB));
  EXPECT_FALSE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kC));
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].utf8, U(txt::kThumbnailsDone));
  EXPECT_FALSE(ui.ended);
  EXPECT_EQ(dlg.state().photoCount, 1);
}

TEST_F(MakeThumbnailsTest, APhotoWithoutAnExifBlockEndsTheDialogKeepingEarlierThumbnails) {
  Bytes a = WritePhoto(kA, 100);
  ExifJpeg late;
  late.thumbnail = fixture::FakeThumbnail(100);
  late.app1Position = 50;
  ASSERT_TRUE(late.Write(std::string("Pelvora/") + kB));
  WritePhoto(kC, 100);
  Run();
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kNoExifBlock)});
  EXPECT_EQ(ui.messages[0].style, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_EQ(Thumb(kA), S(a));
  EXPECT_FALSE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kB));
  EXPECT_FALSE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kC));
  EXPECT_EQ(ui.waitCursorLog, (std::vector<bool>{true, false}));
}

TEST_F(MakeThumbnailsTest, AnEmptyPhotoFolderEndsTheDialog) {
  Run();
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kNoPhotos)});
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
}

TEST_F(MakeThumbnailsTest, MoreThanAThousandPhotosWriteNothing) {
  for (int i = 0; i < 1001; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "2003_01_15_10_20_%04d.jpg", i);
    TempGallery::WriteFile(std::string("Pelvora/") + name, std::string());
  }
  Run();
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kTooManyPhotos)});
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_TRUE(platform::ListJpg("gallery/thumbnail").empty());
}

TEST_F(MakeThumbnailsTest, MoreThanAThousandThumbnailsWriteNothing) {
  WritePhoto(kA, 100);
  for (int i = 0; i < 1001; ++i)
    TempGallery::WriteFile("gallery/thumbnail/Tn_" + std::to_string(i) + ".jpg", std::string());
  Run();
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kTooManyThumbnails)});
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_FALSE(TempGallery::Exists(std::string("gallery/thumbnail/Tn_") + kA));
}

}  // namespace
