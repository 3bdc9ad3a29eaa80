// ① renaming every photo after its shooting date, its messages, and that no
// photo is ever lost or replaced.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "picture/heif_photo.h"
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
  void ExpectOnlyMessage(const char* sjis, Style style, const std::string& named = "") {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].utf8, U(sjis) + named);
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
  ExpectOnlyMessage(txt::kNoShootingDate, Style::kError, "（a.jpg、b.jpg）");
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  // Nothing is renamed: the user sorts the pair out first.
  EXPECT_EQ(Photos(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/a.jpg"), a);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/b.jpg"), b);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/c.jpg"), c);
  EXPECT_EQ(ListedState(3), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
}

TEST_F(RenameByDateTest, ADateThatWouldPutASlashInTheNameFailsAndThePhotoStays) {
  std::filesystem::create_directories("Pelvora/20");
  std::string a = WritePhoto("a.jpg", "20/3:01:15 10:20:30");
  Run();
  ExpectOnlyMessage(txt::kNoShootingDate, Style::kError, "（a.jpg）");
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
  ExpectOnlyMessage(txt::kNoShootingDate, Style::kError, "（b.jpg）");
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(Photos(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
}

TEST_F(RenameByDateTest, APhotoWithoutAnExifBlockStopsTheRunEvenWhenLast) {
  WritePhoto("a.jpg", "2003:01:15 10:20:30");
  WritePhoto("b.jpg", "2004:01:15 10:20:30");
  ExifJpeg late = ExifJpeg();
  late.exif.push_back(fixture::Ascii(0x9003, "2005:01:15 10:20:30"));
  late.app1Position = 50;
  ASSERT_TRUE(late.Write("Pelvora/z.jpg"));
  Run();
  ExpectOnlyMessage(txt::kNoExifBlock, Style::kError, "（z.jpg）");
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_EQ(Photos(), (std::vector<std::string>{"a.jpg", "b.jpg", "z.jpg"}));
  EXPECT_EQ(ui.waitCursorLog, (std::vector<bool>{true, false}));
}

// A photo of a folder that stops ①: its name and its shooting date; "" for a
// photo without one, nullptr for a file without an Exif block.
struct FolderPhoto {
  std::string name;
  const char* date;
};

struct StopCase {
  const char* what;
  std::vector<FolderPhoto> photos;
  const char* message;
  std::string named;  // what follows the message
};

std::vector<FolderPhoto> Undated(int count) {
  std::vector<FolderPhoto> photos;
  for (int i = 1; i <= count; ++i)
    photos.push_back({(i < 10 ? "p0" : "p") + std::to_string(i) + ".jpg", ""});
  return photos;
}

const StopCase kStopCases[] = {
    {"three of one second, one of another",
     {{"a.jpg", "2003:01:15 10:20:30"},
      {"b.jpg", "2004:01:15 10:20:30"},
      {"c.jpg", "2003:01:15 10:20:30"},
      {"d.jpg", "2003:01:15 10:20:30"}},
     txt::kNoShootingDate,
     "（a.jpg、c.jpg、d.jpg）"},
    {"a shared second found before an undated photo names the pair only",
     {{"a.jpg", "2003:01:15 10:20:30"}, {"b.jpg", "2003:01:15 10:20:30"}, {"c.jpg", ""}},
     txt::kNoShootingDate,
     "（a.jpg、b.jpg）"},
    {"an undated photo found before a shared second is named alone",
     {{"a.jpg", "2003:01:15 10:20:30"}, {"b.jpg", ""}, {"c.jpg", "2003:01:15 10:20:30"}},
     txt::kNoShootingDate,
     "（b.jpg）"},
    {"an undated photo before one without an Exif block",
     {{"a.jpg", ""}, {"b.jpg", nullptr}, {"c.jpg", nullptr}},
     txt::kNoShootingDate,
     "（a.jpg）"},
    {"no Exif block found first names every such photo",
     {{"a.jpg", nullptr}, {"b.jpg", ""}, {"c.jpg", nullptr}},
     txt::kNoExifBlock,
     "（a.jpg、c.jpg）"},
    {"a date without its time, or with a non-digit, is no shooting date",
     {{"a.jpg", "2003:01:15 10:20:30"},
      {"b.jpg", "1999:12:31"},
      {"c.jpg", "2019:01:01 00:00:#1"},
      {"d.jpg", "    :  :     :  :  "}},
     txt::kNoShootingDate,
     "（b.jpg、c.jpg、d.jpg）"},
    {"ten named, then how many more", Undated(12), txt::kNoShootingDate,
     "（p01.jpg、p02.jpg、p03.jpg、p04.jpg、p05.jpg、p06.jpg、p07.jpg、p08.jpg、p09.jpg、"
     "p10.jpgほか2件）"},
    {"exactly ten", Undated(10), txt::kNoShootingDate,
     "（p01.jpg、p02.jpg、p03.jpg、p04.jpg、p05.jpg、p06.jpg、p07.jpg、p08.jpg、p09.jpg、"
     "p10.jpg）"},
    // One that cannot be decoded stays as a photo without an Exif block; a
    // system without HEIF support (Windows) names every HEIF photo.
    {"HEIF photos",
     {{"a.jpg", "2003:01:15 10:20:30"}, {"b.HEIC", nullptr}, {"c.heif", nullptr}},
     HeifSupported() ? txt::kNoExifBlock : txt::kHeifNotConvertible,
     "（b.HEIC、c.heif）"},
};

TEST(RenameByDateStops, NothingIsRenamedAndThePhotosAtFaultAreNamed) {
  for (const StopCase& c : kStopCases) {
    SCOPED_TRACE(c.what);
    TempGallery gallery;
    std::vector<std::string> names, bytes;
    for (const FolderPhoto& p : c.photos) {
      if (!p.date) {
        TempGallery::WriteFile("Pelvora/" + p.name, std::string("\xFF\xD8\xFF\xD9", 4));
      } else if (!*p.date) {
        ExifJpeg undated;
        undated.ifd0.push_back(fixture::Ascii(0x010F, "Canon"));
        ASSERT_TRUE(undated.Write("Pelvora/" + p.name));
      } else {
        WritePhoto(p.name, p.date, static_cast<int>(names.size()));
      }
      names.push_back(p.name);
      bytes.push_back(TempGallery::ReadFile("Pelvora/" + p.name));
    }
    RecordingUi ui;
    CGalleryEditorDlg dlg(ui);
    ASSERT_TRUE(dlg.Click(ctl::kRename));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].utf8, U(c.message) + c.named);
    EXPECT_EQ(ui.messages[0].style, Style::kError);
    EXPECT_TRUE(ui.ended);
    EXPECT_EQ(dlg.state().abortFlag, 1);
    // The wait cursor shown and taken back (for each part of the step).
    ASSERT_FALSE(ui.waitCursorLog.empty());
    for (std::size_t i = 0; i < ui.waitCursorLog.size(); ++i)
      EXPECT_EQ(ui.waitCursorLog[i], i % 2 == 0);
    EXPECT_EQ(ui.waitCursorLog.size() % 2, 0u);
    // Nothing renamed, nothing lost.
    std::vector<std::string> jpg;
    for (const std::string& name : names)
      if (name.ends_with(".jpg")) jpg.push_back(name);
    EXPECT_EQ(Photos(), jpg);
    for (std::size_t i = 0; i < names.size(); ++i)
      EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + names[i]), bytes[i]) << names[i];
  }
}

TEST_F(RenameByDateTest, SwappedAndChainedNamesAndAPhotoLeftUnderATemporaryName) {
  // Each photo's name is another's date: a swapped pair and a chain of three,
  // and a photo a crash left halfway.
  std::string a = WritePhoto("2003_01_15_10_20_31.jpg", "2003:01:15 10:20:30", 1);
  std::string b = WritePhoto("2003_01_15_10_20_30.jpg", "2003:01:15 10:20:31", 2);
  std::string c = WritePhoto("2004_01_01_00_00_00.jpg", "2004:01:01 00:00:01", 3);
  std::string d = WritePhoto("2004_01_01_00_00_01.jpg", "2004:01:01 00:00:02", 4);
  std::string e = WritePhoto("x.jpg", "2004:01:01 00:00:00", 5);
  std::string f = WritePhoto("vornami-tmp-2005_01_01_00_00_00.jpg", "2005:01:01 00:00:00", 6);
  // The user's own photo on the temporary name the swapped pair would take.
  std::string g = WritePhoto("vornami-tmp-2003_01_15_10_20_30.jpg", "2010:01:01 00:00:00", 7);
  Run();
  ExpectOnlyMessage(txt::kRenameDone, Style::kNote);
  const std::vector<std::string> names = {"2003_01_15_10_20_30.jpg", "2003_01_15_10_20_31.jpg",
                                          "2004_01_01_00_00_00.jpg", "2004_01_01_00_00_01.jpg",
                                          "2004_01_01_00_00_02.jpg", "2005_01_01_00_00_00.jpg",
                                          "2010_01_01_00_00_00.jpg"};
  EXPECT_EQ(Photos(), names);
  EXPECT_EQ(ListedState(7), names);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + names[6]), g);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + names[0]), a);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + names[1]), b);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + names[2]), e);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + names[3]), c);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + names[4]), d);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + names[5]), f);
}

TEST_F(RenameByDateTest, ANameTakenByAFolderIsNotUsed) {
  std::filesystem::create_directory("Pelvora/2003_01_15_10_20_30.jpg");  // not a photo
  std::string a = WritePhoto("a.jpg", "2003:01:15 10:20:30");
  std::string b = WritePhoto("b.jpg", "2004:01:15 10:20:30");
  Run();
  ExpectOnlyMessage(txt::kNoShootingDate, Style::kError, "（a.jpg）");
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/a.jpg"), a);
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/b.jpg"), b);
  EXPECT_TRUE(std::filesystem::is_directory("Pelvora/2003_01_15_10_20_30.jpg"));
}

TEST_F(RenameByDateTest, StoppedByTheUserWhileReadingRenamesNothing) {
  std::string a = WritePhoto("a.jpg", "2003:01:15 10:20:30");
  WritePhoto("b.jpg", "2004:01:15 10:20:30");
  ui.stopAfter = 2;
  Run();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(ui.ended);
  EXPECT_EQ(Photos(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_EQ(ui.waitCursorLog, (std::vector<bool>{true, false}));
}

// A photo that cannot be read (no permission, or another program has it) is
// named and nothing is renamed, as for a photo without an Exif block.
TEST_F(RenameByDateTest, APhotoThatCannotBeReadIsNamedAndNothingIsRenamed) {
  WritePhoto("a.jpg", "2003:01:15 10:20:30");
  std::string b = WritePhoto("b.jpg", "2004:01:15 10:20:30");
  WritePhoto("c.jpg", "2005:01:15 10:20:30");
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Open && (path == "Pelvora/b.jpg" || path == "Pelvora/c.jpg")
               ? EACCES
               : 0;
  });
  Run();
  ExpectOnlyMessage(txt::kUnreadablePhotos, Style::kError, "（b.jpg、c.jpg）");
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_EQ(Photos(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/b.jpg"), b);
}

// A rename the file system refuses is named with the reason, not blamed on
// the dates; the other photos get their names.
TEST_F(RenameByDateTest, ARenameTheFileSystemRefusesIsNamedWithItsReason) {
  struct Case {
    int error;
    std::string reason;
  } cases[] = {
      {EACCES, U(txt::kReasonNoPermission)},
      {EROFS, U(txt::kReasonReadOnly)},
      {EIO, U(txt::kReasonErrorNumber) + std::to_string(EIO)},
  };
  for (const Case& c : cases) {
    TempGallery folder;
    RecordingUi recording;
    CGalleryEditorDlg dialog(recording);
    WritePhoto("a.jpg", "2003:01:15 10:20:30", 1);
    std::string b = WritePhoto("b.jpg", "2004:01:15 10:20:30", 2);
    platform::SetFaultHook([&c](platform::FileOp op, std::string_view path) {
      return op == platform::FileOp::Rename && path == "Pelvora/b.jpg" ? c.error : 0;
    });
    ASSERT_TRUE(dialog.Click(ctl::kRename));
    ASSERT_EQ(recording.messages.size(), 1u) << c.error;
    EXPECT_EQ(recording.messages[0].utf8, U(txt::kCannotRenamePrefix) + "b.jpg (" + c.reason + ")");
    EXPECT_EQ(recording.messages[0].style, Style::kError);
    EXPECT_TRUE(recording.ended);
    EXPECT_EQ(Photos(), (std::vector<std::string>{"2003_01_15_10_20_30.jpg", "b.jpg"}));
    EXPECT_EQ(TempGallery::ReadFile("Pelvora/b.jpg"), b);
  }
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

// A name of more than 96 bytes ("Tn_" plus the name would reach 100) renames
// nothing and is named.
TEST(RenameByDateLimits, NamesOfMoreThan96BytesRenameNothingAndAreNamed) {
  for (std::size_t length : {96, 97, 100}) {
    TempGallery gallery;
    RecordingUi ui;
    CGalleryEditorDlg dlg(ui);
    const std::string longName = std::string(length - 4, 'n') + ".jpg";
    WritePhoto("a.jpg", "2003:01:15 10:20:30");
    WritePhoto(longName, "2004:01:15 10:20:30");
    ASSERT_TRUE(dlg.Click(ctl::kRename));
    ASSERT_EQ(ui.messages.size(), 1u);
    if (length <= 96) {
      EXPECT_EQ(ui.messages[0].utf8, U(txt::kRenameDone));
      EXPECT_EQ(Photos(),
                (std::vector<std::string>{"2003_01_15_10_20_30.jpg", "2004_01_15_10_20_30.jpg"}));
      continue;
    }
    EXPECT_EQ(ui.messages[0].utf8, U(txt::kTooManyPhotos) + "（" + longName + "）") << length;
    EXPECT_TRUE(ui.ended);
    EXPECT_EQ(Photos(), (std::vector<std::string>{"a.jpg", longName}));
  }
}

}  // namespace
