// ⑤'s tiles and screen copies: made after the pages, upright, a copy only for
// photos larger than the screen box, kept from run to run until their photo
// changes, removed with their photo; screen.js names the photos with a copy.
#include "picture/screen_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "app/screen_picture_files.h"
#include "picture/thumbnail_maker.h"
#include "platform/fault_injection.h"
#include "tests/support/exif_builder.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Upright, every picture here is red top left, green top right, blue bottom
// left and white bottom right; stored as a camera held that way stores it.
RgbImage Quarters(int width, int height, const char* quarters) {
  RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const char c = quarters[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
      std::uint8_t* p = &image.rgb[(std::size_t(y) * width + x) * 3];
      p[0] = c == 'R' || c == 'W' ? 255 : 0;
      p[1] = c == 'G' || c == 'W' ? 255 : 0;
      p[2] = c == 'B' || c == 'W' ? 255 : 0;
    }
  return image;
}

// An APP2 colour profile segment as cameras write one (its body is not read).
const Bytes kProfile = {0xFF, 0xE2, 0x00, 0x16, 'I',  'C',  'C', '_', 'P', 'R', 'O', 'F',
                        'I',  'L',  'E',  0x00, 0x01, 0x01, 'p', 'r', 'o', 'f', 'i', 'l'};

// A photo of the given upright size, stored for the orientation, with the
// colour profile after its Exif block.
Bytes Photo(int orientation, int width, int height) {
  static const char* const kStored[] = {"",     "RGBW", "GRWB", "WBGR", "BWRG",
                                        "RBGW", "GWRB", "WGBR", "BRWG"};
  const bool sideways = orientation >= 5;
  ThumbnailMaker maker;
  Bytes picture = *maker.Encode(
      Quarters(sideways ? height : width, sideways ? width : height, kStored[orientation]));
  fixture::ExifJpeg jpeg;
  jpeg.ifd0.push_back(fixture::Short(0x0112, static_cast<std::uint16_t>(orientation)));
  jpeg.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30"));
  jpeg.tail = kProfile;
  jpeg.tail.insert(jpeg.tail.end(), picture.begin() + 2, picture.end());
  return jpeg.Build();
}

std::string Name(int i) { return "2003_01_15_10_20_3" + std::to_string(i) + ".jpg"; }

// The file's size, and whether each quarter's centre has its upright colour.
void ExpectUpright(const std::string& path, PixelSize size) {
  SCOPED_TRACE(path);
  std::string file = TempGallery::ReadFile(path);
  ThumbnailMaker maker;
  auto image = maker.Decode({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()},
                            {1 << 20, 1 << 20});
  ASSERT_TRUE(image);
  EXPECT_EQ((PixelSize{image->width, image->height}), size);
  const char upright[] = "RGBW";
  for (int q = 0; q < 4; ++q) {
    const int x = (q % 2 ? 3 : 1) * image->width / 4, y = (q / 2 ? 3 : 1) * image->height / 4;
    const std::uint8_t* p = &image->rgb[(std::size_t(y) * image->width + x) * 3];
    const char c = upright[q];
    EXPECT_NEAR(p[0], c == 'R' || c == 'W' ? 255 : 0, 40) << "quarter " << q;
    EXPECT_NEAR(p[1], c == 'G' || c == 'W' ? 255 : 0, 40) << "quarter " << q;
    EXPECT_NEAR(p[2], c == 'B' || c == 'W' ? 255 : 0, 40) << "quarter " << q;
  }
}

class ScreenPicturesTest : public ::testing::Test {
 protected:
  void Pages() {
    dlg.state().photoCount = 1;
    ASSERT_TRUE(dlg.Click(ctl::kPages));
  }
  // The tiles and copies the last run wrote, by path.
  std::vector<std::string> Written() {
    std::vector<std::string> made;
    for (const std::string& path : opened)
      if (path.starts_with("gallery/tile/") || path.starts_with("gallery/screen/"))
        made.push_back(path);
    std::sort(made.begin(), made.end());
    opened.clear();
    return made;
  }
  void SetUp() override {
    platform::SetFaultHook([this](platform::FileOp op, std::string_view path) {
      std::lock_guard<std::mutex> lock(openedMutex);  // tiles are made on two threads
      if (op == platform::FileOp::Open) opened.emplace_back(path);
      return false;
    });
  }

  TempGallery gallery;
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
  std::vector<std::string> opened;
  std::mutex openedMutex;
};

TEST_F(ScreenPicturesTest, TilesAndCopiesStandUprightForEveryOrientation) {
  // [orientation, upright width, height, the tile's size, the copy's size (none: 0×0)]
  struct Case {
    int orientation, width, height;
    PixelSize tile, copy;
  } cases[] = {
      {1, 2400, 1200, {320, 160}, {2048, 1024}},
      {2, 2400, 1800, {320, 240}, {2048, 1536}},
      {3, 1200, 2400, {120, 240}, {1024, 2048}},
      {4, 2400, 1200, {320, 160}, {2048, 1024}},
      {5, 2400, 1200, {320, 160}, {2048, 1024}},
      {6, 1800, 2400, {180, 240}, {1536, 2048}},
      {7, 2400, 1200, {320, 160}, {2048, 1024}},
      {8, 2400, 1800, {320, 240}, {2048, 1536}},
      // As large as the box, and smaller: a tile, no copy.
      {1, 2048, 1536, {320, 240}, {}},
      {6, 640, 480, {320, 240}, {}},
      {9, 200, 100, {200, 100}, {}},  // "9": an orientation out of range stands as it is
  };
  int i = 0;
  for (const Case& c : cases) {
    const int orientation = c.orientation == 9 ? 1 : c.orientation;
    TempGallery::WriteFile("Pelvora/" + Name(i++), Photo(orientation, c.width, c.height));
  }
  Pages();
  EXPECT_EQ(ui.messages.back().utf8, "HTMLファイル作成を完了しました。");
  std::string listed;
  int copies = 0;
  i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.orientation);
    const std::string name = Name(i++);
    ExpectUpright("gallery/tile/" + name, c.tile);
    EXPECT_EQ(TempGallery::Exists("gallery/screen/" + name), c.copy.width > 0);
    if (c.copy.width == 0) continue;
    ExpectUpright("gallery/screen/" + name, c.copy);
    std::string copy = TempGallery::ReadFile("gallery/screen/" + name);
    EXPECT_NE(copy.find(std::string(kProfile.begin(), kProfile.end())), std::string::npos);
    // Orientation 1 in an Exif block of its own, little-endian.
    EXPECT_NE(
        copy.find(std::string("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x01\0", 28)),
        std::string::npos);
    listed += "screenName[" + std::to_string(copies++) + "] = \"" + name + "\";\r\n";
  }
  const std::string script = TempGallery::ReadFile("gallery/data/screen.js");
  EXPECT_TRUE(script.ends_with("screenName = new Array();\r\n" + listed)) << script;
  ASSERT_FALSE(ui.progress.empty());
  EXPECT_EQ(ui.progress.back(), (std::pair<int, int>{11, 11}));
}

TEST_F(ScreenPicturesTest, ASecondRunMakesOnlyWhatIsNewAndRemovesWhatIsGone) {
  for (int i = 1; i <= 5; ++i) TempGallery::WriteFile("Pelvora/" + Name(i), Photo(1, 2200, 1650));
  TempGallery::WriteFile("Pelvora/" + Name(6), Photo(1, 800, 600));
  // Each row: what changes before the run, and the files the run writes.
  struct Step {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> written;
  } steps[] = {
      {"first run", [] {}, {}},
      {"nothing new", [] {}, {}},
      {"a photo added",
       [] { TempGallery::WriteFile("Pelvora/" + Name(7), Photo(6, 3000, 2000)); },
       {"gallery/screen/" + Name(7), "gallery/tile/" + Name(7)}},
      {"a photo removed", [] { fs::remove("Pelvora/" + Name(2)); }, {}},
      {"a photo replaced by a newer one",
       [] {
         // Within the clock's resolution of its tile: the tile is made older.
         TempGallery::WriteFile("Pelvora/" + Name(3), Photo(1, 1000, 750));
         fs::last_write_time("gallery/tile/" + Name(3),
                             fs::last_write_time("Pelvora/" + Name(3)) - std::chrono::seconds(5));
       },
       {"gallery/tile/" + Name(3)}},
      {"a tile removed by hand",
       [] { fs::remove("gallery/tile/" + Name(6)); },
       {"gallery/tile/" + Name(6)}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    Pages();
    std::vector<std::string> written = Written();
    if (std::string(step.what) == "first run") {
      EXPECT_EQ(written.size(), 11u);  // six tiles, five copies
      continue;
    }
    EXPECT_EQ(written, step.written);
  }
  EXPECT_FALSE(TempGallery::Exists("gallery/tile/" + Name(2)));
  EXPECT_FALSE(TempGallery::Exists("gallery/screen/" + Name(2)));
  EXPECT_FALSE(TempGallery::Exists("gallery/screen/" + Name(3)));  // now too small for one
  EXPECT_TRUE(TempGallery::Exists("gallery/screen/" + Name(7)));
  const std::string script = TempGallery::ReadFile("gallery/data/screen.js");
  for (int i : {1, 4, 5, 7}) EXPECT_NE(script.find(Name(i)), std::string::npos) << i;
  for (int i : {2, 3, 6}) EXPECT_EQ(script.find(Name(i)), std::string::npos) << i;
}

TEST_F(ScreenPicturesTest, AnUnwritableTileStopsTheStepAndNamesIt) {
  TempGallery::WriteFile("Pelvora/" + Name(1), Photo(1, 640, 480));
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Write && path.starts_with("gallery/tile/");
  });
  Pages();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].utf8.find("gallery/tile/" + Name(1)), std::string::npos);
  EXPECT_TRUE(ui.ended);
}

}  // namespace
