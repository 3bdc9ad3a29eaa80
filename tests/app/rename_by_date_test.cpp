// ① renaming every photo after its shooting date, its messages, and that no
// photo is ever lost or replaced.
#include <gtest/gtest.h>

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
using Style = UiPort::MessageStyle;

std::string U(const char* sjis) { return platform::SjisToUtf8(sjis); }

// A photo with the date as DateTimeOriginal; seed makes photos of one date differ.
std::string WritePhoto(const std::string& name, const std::string& date, int seed = 0,
                       Order order = Order::kLittle) {
  ExifJpeg jpeg(order);
  jpeg.exif.push_back(fixture::Ascii(0x9003, date));
  jpeg.thumbnail = fixture::FakeThumbnail(64, static_cast<std::uint8_t>(seed));
  std::string path = "Pelvora/" + name;
  EXPECT_TRUE(jpeg.Write(path));
  return TempGallery::ReadFile(path);
}

std::vector<std::string> Photos() { return platform::ListJpg("Pelvora"); }

class RenameByDateTest : public ::testing::Test {
 protected:
  void Run() { ASSERT_TRUE(dlg.Click(ctl::kRename)); }
  void ExpectOnlyMessage(const char* sjis, Style style) {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].utf8, U(sjis));
    EXPECT_EQ(ui.messages[0].style, style);
  }
  std::vector<std::string> ListedState(int n) const {
    const auto& list = dlg.state().photoList;
    return std::vector<std::string>(list.begin() + 1, list.begin() + 1 + n);
  }

  TempGallery gallery;
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
};

TEST_F(RenameByDateTest, RenamesEveryPhotoAndKeepsItsBytes) {
  std::string a = WritePhoto("IMG_0002.JPG", "2003:08:03 09:05:00", 1);
  std::string b = WritePhoto("IMG_0001.jpg", "2003:01:15 10:20:30", 2, Order::kBig);
  std::string c = WritePhoto("dsc.jpg", "2004:12:31 23:59:59", 3);
  Run();
  ExpectOnlyMessage(txt::kRenameDone, Style::kNote);
  EXPECT_FALSE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 0);
  const std::vector<std::string> names = {"2003_01_15_10_20_30.jpg", "2003_08_03_09_05_00.jpg",
                                          "2004_12_31_23_59_59.jpg"};
  EXPECT_EQ(Photos(), names);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/2003_08_03_09_05_00.jpg"), a);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/2003_01_15_10_20_30.jpg"), b);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/2004_12_31_23_59_59.jpg"), c);
  EXPECT_EQ(ListedState(3), names);
  EXPECT_EQ(ui.waitCursorLog, (std::vector<bool>{true, false}));
}

TEST_F(RenameByDateTest, RunningAgainOverRenamedPhotosCompletesAndChangesNothing) {
  std::string a = WritePhoto("a.jpg", "2003:01:15 10:20:30", 1);
  WritePhoto("b.jpg", "2003:01:15 10:20:31", 2);
  Run();
  Run();
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].utf8, U(txt::kRenameDone));
  EXPECT_FALSE(ui.ended);
  EXPECT_EQ(Photos(),
            (std::vector<std::string>{"2003_01_15_10_20_30.jpg", "2003_01_15_10_20_31.jpg"}));
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/2003_01_15_10_20_30.jpg"), a);
}

TEST_F(RenameByDateTest, TwoPhotosOfTheSameSecondBothSurvive) {
  std::string a = WritePhoto("a.jpg", "2003:01:15 10:20:30", 1);
  std::string b = WritePhoto("b.jpg", "2003:01:15 10:20:30", 2);
  std::string c = WritePhoto("c.jpg", "2005:05:05 05:05:05", 3);
  Run();
  ExpectOnlyMessage(txt::kNoShootingDate, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  // The first is renamed; the second and everything after it keep their names.
  EXPECT_EQ(Photos(), (std::vector<std::string>{"2003_01_15_10_20_30.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/2003_01_15_10_20_30.jpg"), a);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/b.jpg"), b);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/c.jpg"), c);
  EXPECT_EQ(ListedState(3),
            (std::vector<std::string>{"2003_01_15_10_20_30.jpg", "b.jpg", "c.jpg"}));
}

TEST_F(RenameByDateTest, ANameTakenByAFolderIsNotUsed) {
  std::filesystem::create_directory("Pelvora/2003_01_15_10_20_30.jpg");  // not a photo
  std::string a = WritePhoto("a.jpg", "2003:01:15 10:20:30");
  Run();
  ExpectOnlyMessage(txt::kNoShootingDate, Style::kError);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/a.jpg"), a);
  EXPECT_TRUE(std::filesystem::is_directory("Pelvora/2003_01_15_10_20_30.jpg"));
}

TEST_F(RenameByDateTest, ADateThatWouldPutASlashInTheNameFailsAndThePhotoStays) {
  std::filesystem::create_directories("Pelvora/20");
  std::string a = WritePhoto("a.jpg", "20/3:01:15 10:20:30");
  Run();
  ExpectOnlyMessage(txt::kNoShootingDate, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/a.jpg"), a);
  EXPECT_TRUE(std::filesystem::is_empty("Pelvora/20"));
}

TEST_F(RenameByDateTest, APhotoWithoutAShootingDateStopsTheRun) {
  WritePhoto("a.jpg", "2003:01:15 10:20:30");
  ExifJpeg undated;
  undated.ifd0.push_back(fixture::Ascii(0x010F, "Canon"));
  ASSERT_TRUE(undated.Write("Pelvora/b.jpg"));
  WritePhoto("c.jpg", "2004:01:15 10:20:30");
  Run();
  ExpectOnlyMessage(txt::kNoShootingDate, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(Photos(), (std::vector<std::string>{"2003_01_15_10_20_30.jpg", "b.jpg", "c.jpg"}));
}

TEST_F(RenameByDateTest, APhotoWithoutAnExifBlockStopsTheRunEvenWhenLast) {
  WritePhoto("a.jpg", "2003:01:15 10:20:30");
  WritePhoto("b.jpg", "2004:01:15 10:20:30");
  ExifJpeg late = ExifJpeg();
  late.exif.push_back(fixture::Ascii(0x9003, "2005:01:15 10:20:30"));
  late.app1Position = 50;
  ASSERT_TRUE(late.Write("Pelvora/z.jpg"));
  Run();
  ExpectOnlyMessage(txt::kNoExifBlock, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_EQ(Photos(), (std::vector<std::string>{"2003_01_15_10_20_30.jpg",
                                                "2004_01_15_10_20_30.jpg", "z.jpg"}));
  EXPECT_EQ(ui.waitCursorLog, (std::vector<bool>{true, false}));
}

TEST_F(RenameByDateTest, APhotoThatCannotBeOpenedEndsTheRunQuietly) {
  WritePhoto("a.jpg", "2003:01:15 10:20:30");
  std::string b = WritePhoto("b.jpg", "2004:01:15 10:20:30");
  WritePhoto("c.jpg", "2005:01:15 10:20:30");
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Open && path == "Pelvora/b.jpg";
  });
  Run();
  ExpectOnlyMessage(txt::kRenameDone, Style::kNote);
  EXPECT_FALSE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 0);
  EXPECT_EQ(Photos(), (std::vector<std::string>{"2003_01_15_10_20_30.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/b.jpg"), b);
}

TEST_F(RenameByDateTest, AnEmptyPhotoFolderEndsTheDialog) {
  TempGallery::WriteFile("Pelvora/notes.txt", std::string("x"));
  Run();
  ExpectOnlyMessage(txt::kNoPhotos, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_TRUE(ui.waitCursorLog.empty());
}

TEST_F(RenameByDateTest, MoreThanAThousandPhotosRenameNothing) {
  for (int i = 0; i < 1001; ++i)
    TempGallery::WriteFile("Pelvora/p" + std::to_string(i) + ".jpg", std::string());
  WritePhoto("a.jpg", "2003:01:15 10:20:30");
  Run();
  ExpectOnlyMessage(txt::kTooManyPhotos, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_TRUE(TempGallery::Exists("Pelvora/a.jpg"));
  EXPECT_TRUE(ui.waitCursorLog.empty());
}

TEST_F(RenameByDateTest, ANameOfAHundredBytesRenamesNothing) {
  WritePhoto("a.jpg", "2003:01:15 10:20:30");
  WritePhoto(std::string(96, 'n') + ".jpg", "2004:01:15 10:20:30");  // 100 bytes
  Run();
  ExpectOnlyMessage(txt::kTooManyPhotos, Style::kError);
  EXPECT_TRUE(ui.ended);
  EXPECT_TRUE(TempGallery::Exists("Pelvora/a.jpg"));
}

}  // namespace
