// ③ end to end: pages written for the photos of a temporary gallery, the
// remembered maker and custom-function headers across photos and runs, and
// every way a run ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "platform/encoding.h"
#include "platform/fault_injection.h"
#include "tests/exif/info_photos.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"

namespace {

using fixture::ExifJpeg;

constexpr char kDone[] = "撮影情報作成を完了しました。";
constexpr char kNoExif[] = "Pelvora撮影情報がないファイルがあります。終了してよろしいですか。";
constexpr char kMissing[] = "（不明）";

std::string PagePath(int n) {
  return "gallery/section/information/inf" + std::to_string(n) + ".html";
}

// The page's lines as UTF-8, each of which must have ended with CR LF.
std::vector<std::string> PageLines(int n) {
  std::string bytes = TempGallery::ReadFile(PagePath(n));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "line without CR LF in " << PagePath(n);
    if (end == std::string::npos) break;
    lines.push_back(platform::SjisToUtf8(bytes.substr(start, end - start)));
    start = end + 2;
  }
  return lines;
}

// The value line of an item (1 to 41) on a page.
std::string Value(const std::vector<std::string>& lines, int item) {
  std::size_t at = 13 + 4 * static_cast<std::size_t>(item - 1) + 3;
  if (at >= lines.size()) return "<no such line>";
  std::string line = lines[at];
  return line.size() >= 4 ? line.substr(0, line.size() - 4) : line;  // without "<br>"
}

class ShootingInfo : public ::testing::Test {
 protected:
  // Puts the photos into "Pelvora" under renamed names and lists them as the
  // dialog's start-up does.
  void AddPhotos(const std::vector<ExifJpeg>& photos) {
    for (const auto& photo : photos) AddFile(photo.Build());
  }
  void AddFile(const std::vector<std::uint8_t>& bytes) {
    int n = dlg.state().listedPhotos + 1;
    std::string second = std::to_string(n);
    if (second.size() < 2) second = "0" + second;
    const std::string name = "2003_08_03_09_05_" + second + ".jpg";
    TempGallery::WriteFile("Pelvora/" + name, bytes);
    dlg.state().photoList[n] = name;
    dlg.state().listedPhotos = n;
  }
  void Run() {
    ui.messages.clear();
    ASSERT_TRUE(dlg.Click(ctl::kInfo));
  }
  void ExpectDone() {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].utf8, kDone);
    EXPECT_EQ(ui.messages[0].style, UiPort::MessageStyle::kNote);
    EXPECT_FALSE(ui.ended);
    EXPECT_EQ(dlg.state().abortFlag, 0);
  }

  TempGallery gallery;
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
};

TEST_F(ShootingInfo, OtherMakersGetEightyNineLinesWithItemsTenAndElevenRepeated) {
  AddPhotos({info_test::Photo("FUJIFILM", "FinePix"), info_test::Photo("FUJIFILM", "FinePix"),
             info_test::Photo("NIKON", "D70")});
  Run();
  ExpectDone();
  EXPECT_EQ(ui.waitCursorLog, (std::vector<bool>{true, false}));
  for (int n = 1; n <= 3; ++n) {
    auto lines = PageLines(n);
    ASSERT_EQ(lines.size(), 89u) << n;
    EXPECT_EQ(lines[0], "<!-- inf" + std::to_string(n) + ".html -->");
    EXPECT_EQ(Value(lines, 10), "1/250秒");
    EXPECT_EQ(Value(lines, 10), Value(lines, 3));
    EXPECT_EQ(Value(lines, 11), "F5.6");
    EXPECT_EQ(Value(lines, 11), Value(lines, 4));
  }
  EXPECT_FALSE(TempGallery::Exists(PagePath(4)));
}

TEST_F(ShootingInfo, CanonCamerasGetTheMakerNoteItems) {
  AddPhotos({info_test::CanonPhoto("Canon PowerShot S40", {0x0101})});
  Run();
  ExpectDone();
  auto lines = PageLines(1);
  ASSERT_EQ(lines.size(), 173u);
  EXPECT_EQ(Value(lines, 10), "1/256秒");  // from ShutterSpeedValue, not ExposureTime
  EXPECT_EQ(Value(lines, 11), "F5.7");
  EXPECT_EQ(Value(lines, 20), "非発光");
  EXPECT_EQ(Value(lines, 33), "非発光のため情報なし");
  EXPECT_EQ(Value(lines, 39), "100-1234");
  EXPECT_EQ(lines[172], "</html>");
}

TEST_F(ShootingInfo, EosD30WithAllCustomFunctionsHas236Lines) {
  std::vector<std::uint16_t> functions;
  for (std::uint16_t k = 1; k <= 13; ++k) functions.push_back(static_cast<std::uint16_t>(k << 8));
  AddPhotos({info_test::CanonPhoto("Canon EOS D30", functions)});
  Run();
  ExpectDone();
  auto lines = PageLines(1);
  ASSERT_EQ(lines.size(), 236u);
  EXPECT_EQ(Value(lines, 40), "Owner Name");
  EXPECT_EQ(Value(lines, 41), "00AB00291");
  EXPECT_EQ(lines[13 + 41 * 4 + 1],
            "document.write(\"<font color='\",itemColor,\"'>カスタムファンクション</font><br>\");");
  EXPECT_EQ(lines[13 + 41 * 4 + 3 + 1],
            "document.write(\"<font color='\",itemColor,\"'>01:長秒時露光のノイズリダクション機能"
            "</font><br>\");");
  EXPECT_EQ(lines[13 + 41 * 4 + 3 + 3], "0:切<br>");
  EXPECT_EQ(lines[231], "0:しない<br>");  // function 13
}

TEST_F(ShootingInfo, APhotoWithoutMakeAfterACanonPhotoIsHandledAsCanon) {
  ExifJpeg noMake = info_test::Photo("", "Mystery");
  AddPhotos({info_test::CanonPhoto("Canon PowerShot S40"), noMake});
  Run();
  ExpectDone();
  auto lines = PageLines(2);
  ASSERT_EQ(lines.size(), 173u);
  EXPECT_EQ(Value(lines, 1), kMissing);
  EXPECT_EQ(Value(lines, 2), "Mystery");
  for (int item = 19; item <= 39; ++item) EXPECT_EQ(Value(lines, item), kMissing) << item;
}

TEST_F(ShootingInfo, TheFirstPhotoWithoutMakeAfterStartIsCanonAndLaterMakersStay) {
  AddPhotos({info_test::Photo("", "Mystery"), info_test::Photo("FUJIFILM", "F"),
             info_test::Photo("", "Mystery")});
  Run();
  ExpectDone();
  EXPECT_EQ(PageLines(1).size(), 173u);
  EXPECT_EQ(PageLines(2).size(), 89u);
  EXPECT_EQ(PageLines(3).size(), 89u);  // still FUJIFILM
  // The maker lasts from run to run: photo 1 now follows FUJIFILM.
  Run();
  ExpectDone();
  EXPECT_EQ(PageLines(1).size(), 89u);
}

TEST_F(ShootingInfo, CustomFunctionHeadersOutliveThePhotoAndTheRun) {
  // Photo 1 lacks function 5, photo 2 has it, photo 3 lacks it again.
  AddPhotos({info_test::CanonPhoto("Canon EOS D30", {0x0101}),
             info_test::CanonPhoto("Canon EOS D30", {0x0101, 0x0501}),
             info_test::CanonPhoto("Canon EOS D60", {0x0100})});
  const std::string header5 =
      "document.write(\"<font color='\",itemColor,\"'>05:AF補助光</font><br>\");";
  auto countOf = [](const std::vector<std::string>& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
  };
  Run();
  ExpectDone();
  auto first = PageLines(1);
  EXPECT_EQ(countOf(first, header5), 0);
  EXPECT_EQ(first.size(), 12u + 1 + 41 * 4 + 3 + 4 + 12 + 4);
  auto second = PageLines(2);
  EXPECT_EQ(countOf(second, header5), 1);
  auto third = PageLines(3);
  ASSERT_EQ(countOf(third, header5), 1);
  auto at = std::find(third.begin(), third.end(), header5);
  EXPECT_EQ(*(at + 2), "<br>");  // its value line is empty for this photo
  EXPECT_EQ(Value(third, 1), "Canon");
  // The second run writes the header on photo 1's page as well.
  Run();
  ExpectDone();
  EXPECT_EQ(countOf(PageLines(1), header5), 1);
}

TEST_F(ShootingInfo, AnEmptyFolderWritesNothingAndCompletes) {
  Run();
  ExpectDone();
  EXPECT_TRUE(std::filesystem::is_empty("gallery/section/information"));
}

TEST_F(ShootingInfo, APhotoWithoutExifBlockEndsTheProgram) {
  AddPhotos({info_test::Photo("NIKON", "D70")});
  ExifJpeg late = info_test::Photo("NIKON", "D70");
  late.app1Position = 50;
  AddPhotos({late, info_test::Photo("NIKON", "D70")});
  Run();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].utf8, kNoExif);
  EXPECT_EQ(ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_EQ(dlg.state().abortFlag, 1);
  EXPECT_TRUE(ui.ended);
  EXPECT_TRUE(dlg.ended());
  EXPECT_EQ(ui.waitCursorLog, (std::vector<bool>{true, false}));  // shown once, hidden once
  EXPECT_TRUE(TempGallery::Exists(PagePath(1)));
  EXPECT_FALSE(TempGallery::Exists(PagePath(2)));
  EXPECT_FALSE(TempGallery::Exists(PagePath(3)));
}

TEST_F(ShootingInfo, APageThatCannotBeWrittenStopsTheRunAndNamesIt) {
  for (platform::FileOp failing : {platform::FileOp::Open, platform::FileOp::Write}) {
    std::filesystem::remove_all("gallery/section/information");
    std::filesystem::create_directories("gallery/section/information");
    RecordingUi localUi;
    CGalleryEditorDlg local(localUi);
    for (int n = 1; n <= 3; ++n) {
      std::string name = "p" + std::to_string(n) + ".jpg";
      TempGallery::WriteFile("Pelvora/" + name, info_test::Photo("NIKON", "D70").Build());
      local.state().photoList[n] = name;
    }
    local.state().listedPhotos = 3;
    platform::SetFaultHook([failing](platform::FileOp op, std::string_view path) {
      return op == failing && path == PagePath(2);
    });
    local.OnShootingInfo();
    platform::SetFaultHook(nullptr);
    ASSERT_EQ(localUi.messages.size(), 1u);
    EXPECT_EQ(localUi.messages[0].style, UiPort::MessageStyle::kError);
    EXPECT_NE(localUi.messages[0].utf8.find(PagePath(2)), std::string::npos)
        << localUi.messages[0].utf8;
    EXPECT_EQ(local.state().abortFlag, 1);
    EXPECT_TRUE(localUi.ended);
    EXPECT_TRUE(TempGallery::Exists(PagePath(1)));
    EXPECT_FALSE(TempGallery::Exists(PagePath(3)));
  }
}

TEST_F(ShootingInfo, PhotosBeyondTheListingOrUnreadableEndTheRunQuietly) {
  AddPhotos({info_test::Photo("NIKON", "D70"), info_test::Photo("NIKON", "D70")});
  // A third photo added after the listing: counted in the folder, not listed.
  TempGallery::WriteFile("Pelvora/zzz.jpg", info_test::Photo("NIKON", "D70").Build());
  Run();
  ExpectDone();
  EXPECT_TRUE(TempGallery::Exists(PagePath(2)));
  EXPECT_FALSE(TempGallery::Exists(PagePath(3)));

  // A listed photo that has gone: the loop ends before it.
  std::filesystem::remove_all("gallery/section/information");
  std::filesystem::create_directories("gallery/section/information");
  std::filesystem::remove("Pelvora/" + dlg.state().photoList[2]);
  Run();
  ExpectDone();
  EXPECT_TRUE(TempGallery::Exists(PagePath(1)));
  EXPECT_FALSE(TempGallery::Exists(PagePath(2)));
}

TEST_F(ShootingInfo, PagesAreRewrittenWholeAndOthersLeftAlone) {
  AddPhotos({info_test::Photo("NIKON", "D70")});
  TempGallery::WriteFile(PagePath(1), std::string(50000, 'x'));
  TempGallery::WriteFile(PagePath(9), "old");
  Run();
  ExpectDone();
  EXPECT_EQ(PageLines(1).size(), 89u);
  EXPECT_EQ(TempGallery::ReadFile(PagePath(1)).find('x' + std::string(10, 'x')), std::string::npos);
  EXPECT_EQ(TempGallery::ReadFile(PagePath(9)), "old");
}

TEST_F(ShootingInfo, ALineFeedInACameraStringBecomesCrLf) {
  AddPhotos({info_test::Photo("NIKON", "D\n70")});
  Run();
  ExpectDone();
  std::string bytes = TempGallery::ReadFile(PagePath(1));
  EXPECT_NE(bytes.find("D\r\n70<br>\r\n"), std::string::npos);
}

// The real Canon photos: the camera settings their pages show, checked by
// hand against what an Exif viewer reports for them.
TEST_F(ShootingInfo, RealCanonPhotos) {
  SKIP_WITHOUT_SAMPLES();
  const std::string dir = SamplesDir() + "/";
  for (const char* name : {"Canon_DIGITAL_IXUS_400.jpg", "Canon_PowerShot_S40.jpg",
                           "tests_11-tests.jpg", "Fujifilm_FinePix6900ZOOM.jpg"}) {
    std::ifstream in(dir + name, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty()) << name;
    AddFile(bytes);
  }
  Run();
  ExpectDone();

  struct Pin {
    int item;
    const char* text;
  };
  // IXUS 400: a Canon note whose AF point selection 0x4001 no table lists.
  const Pin ixus[] = {
      {1, "Canon"},
      {2, "Canon DIGITAL IXUS 400"},
      {3, "1/200秒"},
      {4, "F10.0"},
      {6, "2.2"},
      {7, "2004/08/27 13:52:55"},
      {19, "ノーマル"},
      {20, "自動"},
      {21, "１コマ撮影"},
      {22, "SINGLE FOCUS"},
      {23, "Large"},
      {24, "フルオート"},
      {25, "標準"},
      {28, "評価測光"},
      {29, kMissing},
      {30, "イメージセレクト"},
      {31, "711mm"},
      {32, "237mm"},
      {34, "自動"},
      {35, kMissing},
      {36, "EV±0.00"},
      {37, "IMG:DIGITAL IXUS 400 JPEG"},
      {38, "Firmware Version 1.00"},
      {39, "124-2489"},
  };
  // PowerShot S40: flash auto with no flash-detail bit, AF point centre used.
  const Pin s40[] = {
      {2, "Canon PowerShot S40"},
      {3, "1/500秒"},
      {4, "F4.9"},
      {5, kMissing},
      {9, "Normal(5.0)"},
      {10, "1/501秒"},
      {11, "F5.0"},
      {12, "EV±0.0"},
      {13, "F2.8"},
      {15, "中央重点"},
      {16, "21mm"},
      {17, "2272"},
      {18, "1704"},
      {19, "ノーマル"},
      {20, "自動"},
      {22, "SINGLE FOCUS"},
      {24, "マニュアル"},
      {28, "中央部重点平均測光"},
      {29, "中央"},
      {30, "P（プログラムAE）"},
      {31, "682mm"},
      {32, "227mm"},
      {33, kMissing},
      {35, "[中央]"},
      {39, "117-1771"},
  };
  // IXUS 40: flash off, and values the tables do not list.
  const Pin ixus40[] = {
      {2, "Canon DIGITAL IXUS 40"},
      {19, kMissing},
      {20, "非発光"},
      {21, "１コマ撮影"},
      {22, kMissing},
      {27, kMissing},
      {31, "0mm"},
      {33, "非発光のため情報なし"},
      {37, kMissing},
      {38, kMissing},
      {39, "135-3533"},
  };
  auto check = [](int page, const auto& pins) {
    auto lines = PageLines(page);
    ASSERT_EQ(lines.size(), 173u) << page;
    for (const Pin& pin : pins)
      EXPECT_EQ(Value(lines, pin.item), pin.text) << page << " item " << pin.item;
  };
  check(1, ixus);
  check(2, s40);
  check(3, ixus40);
  // The big-endian Fujifilm photo.
  auto fuji = PageLines(4);
  ASSERT_EQ(fuji.size(), 89u);
  EXPECT_EQ(Value(fuji, 1), "FUJIFILM");
  EXPECT_EQ(Value(fuji, 5), "100");
  EXPECT_EQ(Value(fuji, 6), "2.1");
  EXPECT_EQ(Value(fuji, 9), "Normal(3.2)");
  EXPECT_EQ(Value(fuji, 10), kMissing);  // no ExposureTime, and item 10 repeats it
  EXPECT_EQ(Value(fuji, 11), "F4.0");
  EXPECT_EQ(Value(fuji, 16), "21mm");
}

}  // namespace
