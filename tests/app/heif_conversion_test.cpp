// ① turning HEIF photos into JPEGs: upright pictures, the Exif block carried
// with Orientation 1 and a thumbnail, the colour profile, the HEIF kept
// unchanged in Pelvora/HEIC/, and nothing lost when the program is killed.
#ifdef VORNAMI_HEIF_TESTS
#include "app/heif_conversion.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "exif/embedded_thumbnail.h"
#include "jpeg/jpeg_decoder.h"
#include "picture/matrix_profile.h"
#include "picture/thumbnail_maker.h"
#include "platform/encoding.h"
#include "platform/fault_injection.h"
#include "platform/jpg_listing.h"
#include "tests/support/exif_builder.h"
#include "tests/support/heif_builder.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Style = UiPort::MessageStyle;

std::string U(const char* sjis) { return platform::SjisToUtf8(sjis); }

Bytes ExifTiff(const std::string& date, int orientation) {
  fixture::ExifJpeg exif(fixture::Order::kBig);
  exif.ifd0.push_back(fixture::Ascii(0x010F, "Apple"));
  exif.ifd0.push_back(fixture::Ascii(0x0110, "iPhone 12"));
  exif.ifd0.push_back(fixture::Short(0x0112, static_cast<std::uint16_t>(orientation)));
  exif.exif.push_back(fixture::Ascii(0x9003, date));
  return exif.Tiff();
}

Bytes Heif(const std::string& date, int orientation = 1, bool boxes = true, Bytes icc = {}) {
  fixture::HeifRecipe recipe;
  recipe.orientation = orientation;
  recipe.orientationAsBoxes = boxes;
  recipe.exifTiff = ExifTiff(date, orientation);
  recipe.icc = std::move(icc);
  Bytes heif = fixture::BuildHeif(recipe);
  EXPECT_FALSE(heif.empty());
  return heif;
}

// Whether the colour at (x, y) is near the quarter's.
::testing::AssertionResult Near(const RgbImage& image, int x, int y, fixture::Rgb want) {
  const std::uint8_t* p = &image.rgb[(std::size_t(y) * image.width + x) * 3];
  if (std::abs(p[0] - want.r) + std::abs(p[1] - want.g) + std::abs(p[2] - want.b) < 60)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << x << "," << y << ") is " << int(p[0]) << "," << int(p[1]) << "," << int(p[2]);
}

void ExpectUpright(const RgbImage& image) {
  const int w = image.width, h = image.height;
  EXPECT_TRUE(Near(image, w / 4, h / 4, fixture::kQuarterColours[0]));
  EXPECT_TRUE(Near(image, 3 * w / 4, h / 4, fixture::kQuarterColours[1]));
  EXPECT_TRUE(Near(image, w / 4, 3 * h / 4, fixture::kQuarterColours[2]));
  EXPECT_TRUE(Near(image, 3 * w / 4, 3 * h / 4, fixture::kQuarterColours[3]));
}

// The APP2 profile, put together from its chunks.
Bytes ProfileIn(const Bytes& jpeg) {
  Bytes profile;
  for (std::size_t p = 2; p + 4 <= jpeg.size() && jpeg[p] == 0xFF && jpeg[p + 1] != 0xDA;) {
    const std::size_t length = (std::size_t{jpeg[p + 2]} << 8) | jpeg[p + 3];
    if (jpeg[p + 1] == 0xE2 && length > 16)
      profile.insert(profile.end(), jpeg.begin() + long(p + 18),
                     jpeg.begin() + long(p + 2 + length));
    p += 2 + length;
  }
  return profile;
}

struct ConversionCase {
  const char* what;
  int orientation;
  bool boxes;  // as irot/imir; otherwise only the Exif tag says it
  bool profile;
};

const ConversionCase kConversions[] = {
    {"upright", 1, true, false},
    {"upside down (irot)", 3, true, false},
    {"turned right (irot)", 6, true, true},
    {"turned left (irot)", 8, true, false},
    {"mirrored (imir)", 2, true, false},
    {"turned right, the Exif tag alone", 6, false, false},
};

TEST(HeifConversionTest, TheJpegIsUprightAndCarriesTheExifBlockThumbnailAndProfile) {
  const Bytes p3 =
      MatrixProfile({{0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, {0.3127, 0.3290}});
  ASSERT_FALSE(p3.empty());
  ThumbnailMaker maker;
  for (const ConversionCase& c : kConversions) {
    SCOPED_TRACE(c.what);
    const Bytes heif =
        Heif("2024:05:06 07:08:09", c.orientation, c.boxes, c.profile ? p3 : Bytes());
    std::optional<Bytes> jpeg = HeifToJpeg(heif, maker);
    ASSERT_TRUE(jpeg);

    auto picture = maker.Decode(*jpeg, {INT_MAX, INT_MAX});
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 128);
    EXPECT_EQ(picture->height, 96);
    ExpectUpright(*picture);

    ExifReader reader;
    reader.LoadBytes(jpeg->data(), jpeg->size());
    ASSERT_TRUE(reader.FindExifBlock());
    EXPECT_EQ(reader.TiffOrigin(), 12u);  // right after SOI
    ASSERT_TRUE(ExifReader::FindTag(reader.Ifd0(), exif::kTagOrientation));
    EXPECT_EQ(reader.Orientation(), 1);
    EXPECT_EQ(reader.ValueText(*reader.DateTimeOriginal()), "2024:05:06 07:08:09");
    EXPECT_EQ(reader.ValueText(*ExifReader::FindTag(reader.Ifd0(), 0x010F)), "Apple");
    EXPECT_EQ(reader.ValueText(*ExifReader::FindTag(reader.Ifd0(), 0x0110)), "iPhone 12");

    // The thumbnail the preview's decoder shows, upright like the picture.
    auto thumbnail = EmbeddedThumbnail(reader);
    ASSERT_TRUE(thumbnail);
    CJpegDecoder decoder;
    ASSERT_EQ(decoder.LoadFromMemory(thumbnail->data(), thumbnail->size()), kDecoderOk);
    ASSERT_EQ(decoder.Decode(), kDecoderOk);
    Plane red, green, blue;
    std::int32_t width = 0, height = 0;
    decoder.GetImage(red, green, blue, width, height);
    EXPECT_EQ(width, 128);
    EXPECT_EQ(height, 96);
    RgbImage shown{width, height, Bytes(std::size_t(width) * height * 3)};
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i) {
      shown.rgb[3 * i] = red[i];
      shown.rgb[3 * i + 1] = green[i];
      shown.rgb[3 * i + 2] = blue[i];
    }
    ExpectUpright(shown);

    EXPECT_EQ(ProfileIn(*jpeg), c.profile ? p3 : Bytes());
  }
}

TEST(HeifConversionTest, TakenNamesGetASuffixInBothPlaces) {
  TempGallery gallery;
  const Bytes heif = Heif("2024:05:06 07:08:09");
  TempGallery::WriteFile("Pelvora/IMG_1.HEIC", heif);
  TempGallery::WriteFile("Pelvora/IMG_1.jpg", std::string("another photo"));
  std::filesystem::create_directories("Pelvora/HEIC");
  TempGallery::WriteFile("Pelvora/HEIC/IMG_1.HEIC", std::string("another original"));
  HeifConversion done = ConvertHeifPhotos("Pelvora/", {"IMG_1.HEIC"}, [](int) { return true; });
  EXPECT_EQ(done.converted, std::vector<std::string>{"IMG_1-2.jpg"});
  EXPECT_TRUE(done.kept.empty());
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/HEIC/IMG_1-2.HEIC"),
            std::string(heif.begin(), heif.end()));
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/IMG_1.jpg"), "another photo");
  EXPECT_EQ(TempGallery::ReadFile("Pelvora/HEIC/IMG_1.HEIC"), "another original");
  EXPECT_FALSE(TempGallery::Exists("Pelvora/IMG_1.HEIC"));
}

// A kill just before one file operation of the conversion: the operation and
// the end of the path it works on.
struct KillPoint {
  platform::FileOp op;
  const char* pathEnd;
};

const KillPoint kKillPoints[] = {
    {platform::FileOp::Open, ".tmp.vornami"}, {platform::FileOp::Write, ".tmp.vornami"},
    {platform::FileOp::Sync, ".tmp.vornami"}, {platform::FileOp::Rename, ".tmp.vornami"},
    {platform::FileOp::Write, "/HEIC"},       {platform::FileOp::Rename, "IMG_1.HEIC"},
};

bool EndsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

TEST(HeifConversionTest, AKillAtAnyStepLosesNothingAndTheNextRunFinishes) {
  const Bytes heif = Heif("2024:05:06 07:08:09", 6);
  const std::string heifBytes(heif.begin(), heif.end());
  ThumbnailMaker maker;
  const Bytes expected = *HeifToJpeg(heif, maker);
  for (const KillPoint& kill : kKillPoints) {
    SCOPED_TRACE(kill.pathEnd);
    TempGallery gallery;
    TempGallery::WriteFile("Pelvora/IMG_1.HEIC", heif);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      platform::SetFaultHook([&](platform::FileOp op, std::string_view path) {
        if (op == kill.op && EndsWith(path, kill.pathEnd)) _exit(0);
        return 0;
      });
      ConvertHeifPhotos("Pelvora/", {"IMG_1.HEIC"}, [](int) { return true; });
      _exit(1);  // the kill point was never reached
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    // The HEIF is where it was or in HEIC/, whole; a JPEG is complete or absent.
    const bool moved = TempGallery::Exists("Pelvora/HEIC/IMG_1.HEIC");
    EXPECT_EQ(TempGallery::ReadFile(moved ? "Pelvora/HEIC/IMG_1.HEIC" : "Pelvora/IMG_1.HEIC"),
              heifBytes);
    for (const std::string& name : platform::ListJpg("Pelvora"))
      EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + name),
                std::string(expected.begin(), expected.end()));

    // ① afterwards: one photo, renamed by its date, and the HEIF in HEIC/.
    RecordingUi ui;
    CGalleryEditorDlg dlg(ui);
    ASSERT_TRUE(dlg.Click(ctl::kRename));
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0].utf8, U(txt::kRenameDone));
    EXPECT_EQ(platform::ListJpg("Pelvora"), std::vector<std::string>{"2024_05_06_07_08_09.jpg"});
    EXPECT_EQ(TempGallery::ReadFile("Pelvora/2024_05_06_07_08_09.jpg"),
              std::string(expected.begin(), expected.end()));
    EXPECT_EQ(TempGallery::ReadFile("Pelvora/HEIC/IMG_1.HEIC"), heifBytes);
    EXPECT_FALSE(TempGallery::Exists("Pelvora/IMG_1.HEIC"));
    EXPECT_FALSE(TempGallery::Exists("Pelvora/.IMG_1.HEIC.tmp.vornami"));
  }
}

TEST(HeifConversionTest, RenameTakesHeifJpegAndDotJpegPhotosAndNamesTheOtherFiles) {
  TempGallery gallery;
  const Bytes heif = Heif("2024:05:06 07:08:09");
  TempGallery::WriteFile("Pelvora/IMG_0001.HEIC", heif);
  // A maker's note beyond what a JPEG's Exif block can hold: the JPEG goes without it.
  fixture::ExifJpeg farNote(fixture::Order::kBig);
  farNote.exif.push_back(fixture::Ascii(0x9003, "2024:05:09 10:00:00"));
  farNote.exif.push_back(fixture::Undefined(0x927C, Bytes(8000, 1)).At(60000));
  fixture::HeifRecipe farNoteHeif;
  farNoteHeif.exifTiff = farNote.Tiff();
  TempGallery::WriteFile("Pelvora/IMG_0002.HEIC", fixture::BuildHeif(farNoteHeif));
  fixture::ExifJpeg jpeg, dotJpeg;
  jpeg.exif.push_back(fixture::Ascii(0x9003, "2024:05:07 10:00:00"));
  dotJpeg.exif.push_back(fixture::Ascii(0x9003, "2024:05:08 10:00:00"));
  ASSERT_TRUE(jpeg.Write("Pelvora/PXL_1.jpg"));
  ASSERT_TRUE(dotJpeg.Write("Pelvora/DSC_2.JPEG"));
  for (const char* other : {"Pelvora/clip.MOV", "Pelvora/shot.png", "Pelvora/.DS_Store",
                            "Pelvora/Thumbs.db", "Pelvora/desktop.ini"})
    TempGallery::WriteFile(other, std::string("not a photo"));
  const std::vector<std::string> photos = {"2024_05_06_07_08_09.jpg", "2024_05_07_10_00_00.jpg",
                                           "2024_05_08_10_00_00.jpg", "2024_05_09_10_00_00.jpg"};
  RecordingUi ui;
  CGalleryEditorDlg dlg(ui);
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    ui.messages.clear();
    ASSERT_TRUE(dlg.Click(ctl::kRename));
    // The maker's note is named once, when its photo is converted.
    ASSERT_EQ(ui.messages.size(), run == 1 ? 3u : 2u);
    EXPECT_EQ(ui.messages[0].utf8, U(txt::kRenameDone));
    EXPECT_EQ(ui.messages[1].utf8, U(txt::kNotPhotos) + "（clip.MOV、shot.png）");
    EXPECT_EQ(ui.messages[1].style, Style::kNote);
    if (run == 1) {
      EXPECT_EQ(ui.messages[2].utf8, U(txt::kMakerNoteDropped) + "（IMG_0002.HEIC）");
    }
    EXPECT_EQ(platform::ListJpg("Pelvora"), photos);
    // Converted once: the originals alone in HEIC/.
    EXPECT_EQ(TempGallery::ReadFile("Pelvora/HEIC/IMG_0001.HEIC"),
              std::string(heif.begin(), heif.end()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("Pelvora/HEIC"),
                            std::filesystem::directory_iterator()),
              2);
  }
}

TEST(HeifConversionTest, AHeifThatCannotBeConvertedStaysAndIsNamedAndNothingIsRenamed) {
  TempGallery gallery;
  fixture::HeifRecipe noExif;
  TempGallery::WriteFile("Pelvora/b.heic", fixture::BuildHeif(noExif));
  TempGallery::WriteFile("Pelvora/c.HEIF", std::string("ftypheic, cut short"));
  fixture::ExifJpeg jpeg;
  jpeg.exif.push_back(fixture::Ascii(0x9003, "2024:05:07 10:00:00"));
  ASSERT_TRUE(jpeg.Write("Pelvora/a.jpg"));
  RecordingUi ui;
  CGalleryEditorDlg dlg(ui);
  ASSERT_TRUE(dlg.Click(ctl::kRename));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].utf8, U(txt::kNoExifBlock) + "（b.heic、c.HEIF）");
  EXPECT_EQ(ui.messages[0].style, Style::kError);
  EXPECT_EQ(platform::ListJpg("Pelvora"), std::vector<std::string>{"a.jpg"});
  EXPECT_TRUE(TempGallery::Exists("Pelvora/b.heic"));
  EXPECT_TRUE(TempGallery::Exists("Pelvora/c.HEIF"));
  EXPECT_FALSE(TempGallery::Exists("Pelvora/HEIC"));
}

TEST(HeifConversionTest, StartUpWithOnlyHeifOrDotJpegPhotosKeepsTheDialogForRename) {
  for (const char* name : {"IMG_0001.HEIC", "DSC_1.jpeg"}) {
    SCOPED_TRACE(name);
    TempGallery gallery;
    TempGallery::WriteFile(std::string("Pelvora/") + name, std::string("a photo"));
    RecordingUi ui;
    CGalleryEditorDlg dlg(ui);
    EXPECT_TRUE(dlg.OnInitDialog());
    EXPECT_FALSE(ui.ended);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].utf8, U(txt::kNotRenamed));
  }
}

}  // namespace
#endif
