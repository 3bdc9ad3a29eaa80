// ① and ② on real camera photos. The expected names and thumbnails were taken
// with independent Exif tools when this test was written and are pinned here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "exif/date_name.h"
#include "exif/embedded_thumbnail.h"
#include "exif/exif_reader.h"
#include "platform/encoding.h"
#include "platform/jpg_listing.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"

namespace {

namespace fs = std::filesystem;

std::uint64_t Fnv1a(const std::uint8_t* data, std::size_t size) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  for (std::size_t i = 0; i < size; ++i) {
    h ^= data[i];
    h *= 0x100000001b3ull;
  }
  return h;
}
std::uint64_t Fnv1a(const std::string& s) {
  return Fnv1a(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

struct Sample {
  const char* file;
  bool exifBlock;
  bool littleEndian;
  const char* newName;  // empty: no shooting date
  std::size_t thumbnailLength;
  std::uint64_t thumbnailFnv;  // of the embedded JPEG stream
};

const Sample kSamples[] = {
    {"Canon_40D.jpg", true, true, "2008_05_30_15_56_01.jpg", 1378, 0x231517a664c618e4},
    {"Canon_DIGITAL_IXUS_400.jpg", true, true, "2004_08_27_13_52_55.jpg", 1805, 0x96cee0d782c64e32},
    {"Canon_PowerShot_S40.jpg", true, true, "2003_12_14_12_01_44.jpg", 5448, 0xce0aa7a5da342428},
    {"Fujifilm_FinePix6900ZOOM.jpg", true, false, "2001_02_19_06_40_05.jpg", 1428,
     0x0af103de6a9fa8e5},
    {"Fujifilm_FinePix_E500.jpg", true, false, "2006_08_17_09_24_48.jpg", 0, 0},
    {"Kodak_CX7530.jpg", true, true, "2005_08_13_09_47_23.jpg", 1918, 0xd0c6e9b98b4a994f},
    {"Nikon_D70.jpg", true, true, "2008_03_15_09_52_01.jpg", 1700, 0x8096946261d4de2d},
    {"Olympus_C8080WZ.jpg", true, true, "2006_10_22_15_44_29.jpg", 1061, 0xc90a1defbaecb525},
    {"Pentax_K10D.jpg", true, true, "2008_05_04_16_47_24.jpg", 1349, 0x80cd86725d49885c},
    {"Sony_HDR-HC3.jpg", true, true, "2007_06_15_04_42_32.jpg", 1232, 0x6dbb9572bcacab4e},
    {"WWL_Polaroid_ION230.jpg", true, true, "2026_11_24_14_41_16.jpg", 1435, 0xc5c8458cc38a55f8},
    {"tests_11-tests.jpg", true, true, "2007_09_03_16_03_45.jpg", 0, 0},
    {"PaintTool_sample.jpg", true, true, "", 2251, 0xf014941bd1f27ded},
    {"long_description.jpg", true, false, "", 1322, 0xe68c18253d67432f},
    {"xmp_BlueSquare.jpg", true, false, "", 1725, 0x63902689856a51b4},
    // An XMP packet in the first APP1: found, read as nonsense, nothing usable.
    {"invalid_image01088.jpg", true, false, "", 0, 0},
    {"invalid_image02206.jpg", true, false, "", 0, 0},
    {"exif-org_olympus-d320l.jpg", false, false, "", 0, 0},
};

std::string SamplePath(const char* file) { return SamplesDir() + "/" + file; }

TEST(RealSamplesTest, ReaderFindsTheDateAndTheEmbeddedThumbnail) {
  SKIP_WITHOUT_SAMPLES();
  for (const Sample& s : kSamples) {
    SCOPED_TRACE(s.file);
    ExifReader reader;
    ASSERT_TRUE(reader.Load(SamplePath(s.file)));
    ASSERT_EQ(reader.FindExifBlock(), s.exifBlock);
    if (!s.exifBlock) continue;
    EXPECT_EQ(reader.LittleEndian(), s.littleEndian);
    auto date = ReadShootingDate(reader);
    EXPECT_EQ(date ? NameFromDate(*date) : std::string(), s.newName);
    auto thumbnail = EmbeddedThumbnail(reader);
    ASSERT_EQ(thumbnail.size(), s.thumbnailLength);
    if (thumbnail.empty()) continue;
    EXPECT_EQ(thumbnail[0], 0xFF);
    EXPECT_EQ(thumbnail[1], 0xD8);
    EXPECT_EQ(thumbnail[thumbnail.size() - 2], 0xFF);
    EXPECT_EQ(thumbnail[thumbnail.size() - 1], 0xD9);
    EXPECT_EQ(Fnv1a(thumbnail.data(), thumbnail.size()), s.thumbnailFnv);
  }
}

TEST(RealSamplesTest, RenameThenThumbnailsOverEveryDatedSample) {
  SKIP_WITHOUT_SAMPLES();
  TempGallery gallery;
  std::vector<std::string> names;
  for (const Sample& s : kSamples) {
    if (!*s.newName) continue;
    fs::copy_file(SamplePath(s.file), std::string("Pelvora/") + s.file);
    names.push_back(s.newName);
  }
  std::sort(names.begin(), names.end());

  RecordingUi ui;
  CGalleryEditorDlg dlg(ui);
  ASSERT_TRUE(dlg.Click(ctl::kRename));
  ASSERT_TRUE(dlg.Click(ctl::kThumbnails));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].utf8, platform::SjisToUtf8(txt::kRenameDone));
  EXPECT_EQ(ui.messages[1].utf8, platform::SjisToUtf8(txt::kThumbnailsDone));
  EXPECT_FALSE(ui.ended);
  EXPECT_EQ(platform::ListJpg("Pelvora"), names);
  EXPECT_EQ(dlg.state().photoCount, static_cast<int>(names.size()));
  EXPECT_EQ(dlg.state().currentPhotoName, names.front());

  for (const Sample& s : kSamples) {
    if (!*s.newName) continue;
    SCOPED_TRACE(s.file);
    // The photo itself is unchanged under its new name.
    EXPECT_EQ(TempGallery::ReadFile(std::string("Pelvora/") + s.newName),
              TempGallery::ReadFile(SamplePath(s.file)));
    std::string thumbnail = TempGallery::ReadFile(std::string("gallery/thumbnail/Tn_") + s.newName);
    EXPECT_EQ(thumbnail.size(), s.thumbnailLength);
    if (s.thumbnailLength) {
      EXPECT_EQ(Fnv1a(thumbnail), s.thumbnailFnv);
    }
  }
}

TEST(RealSamplesTest, PhotosWithoutADateOrAnExifBlockGiveTheirMessages) {
  SKIP_WITHOUT_SAMPLES();
  for (const Sample& s : kSamples) {
    if (*s.newName) continue;
    SCOPED_TRACE(s.file);
    TempGallery gallery;
    fs::copy_file(SamplePath(s.file), std::string("Pelvora/") + s.file);
    RecordingUi ui;
    CGalleryEditorDlg dlg(ui);
    ASSERT_TRUE(dlg.Click(ctl::kRename));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].utf8,
              platform::SjisToUtf8(s.exifBlock ? txt::kNoShootingDate : txt::kNoExifBlock));
    EXPECT_TRUE(ui.ended);
    EXPECT_TRUE(TempGallery::Exists(std::string("Pelvora/") + s.file));
  }
}

}  // namespace
