// ② copying every photo's embedded thumbnail, its messages, and the
// re-initialisation that follows.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "app/photo_name_list.h"
#include "jpeg/jpeg_decoder.h"
#include "picture/thumbnail_maker.h"
#include "picture/thumbnail_pixels.h"
#include "platform/encoding.h"
#include "platform/fault_injection.h"
#include "platform/jpg_listing.h"
#include "tests/support/exif_builder.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"
#include "texts/picture_texts.h"

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
  // Neither holds a picture: both are named after the completion message.
  const std::string note =
      std::string(txt::kEmptyThumbnails) + "\n" + txt::kPictureDamaged + PhotoNameList({kA, kC});
  EXPECT_EQ(Texts(), (std::vector<std::string>{U(txt::kThumbnailsDone), U(note.c_str())}));
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
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kNoExifBlock) + "（" + kB + "）"});
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

// Pictures in four coloured quarters, to tell which way a thumbnail stands.
// Upright, every picture here is red top left, green top right, blue bottom
// left and white bottom right; a camera held sideways stores it turned, and
// says so in its Orientation tag.
struct Colour {
  int r, g, b;
};
Colour ColourOf(char c) {
  switch (c) {
    case 'R':
      return {255, 0, 0};
    case 'G':
      return {0, 255, 0};
    case 'B':
      return {0, 0, 255};
    default:
      return {255, 255, 255};
  }
}

// quarters: top left, top right, bottom left, bottom right.
RgbImage Quarters(int width, int height, const char* quarters) {
  RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Colour c = ColourOf(quarters[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)]);
      std::uint8_t* p = &image.rgb[(std::size_t(y) * width + x) * 3];
      p[0] = std::uint8_t(c.r), p[1] = std::uint8_t(c.g), p[2] = std::uint8_t(c.b);
    }
  return image;
}

Bytes Jpeg(const RgbImage& image) {
  ThumbnailMaker maker;
  return maker.Encode(image).value_or(Bytes());
}

// Decodes with the preview's own decoder and checks the size and that the
// picture stands upright: the centre of each quarter has its colour.
void ExpectUpright(const std::string& file, int width, int height) {
  CJpegDecoder decoder;
  ASSERT_EQ(decoder.LoadFromMemory(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()),
            0);
  ASSERT_EQ(decoder.Decode(), 0);
  Plane r, g, b;
  std::int32_t w = 0, h = 0;
  decoder.GetImage(r, g, b, w, h);
  ASSERT_EQ(w, width);
  ASSERT_EQ(h, height);
  const char upright[] = "RGBW";
  for (int q = 0; q < 4; ++q) {
    const int x = (q % 2 ? 3 : 1) * w / 4, y = (q / 2 ? 3 : 1) * h / 4;
    const std::size_t i = std::size_t(y) * w + x;
    const Colour want = ColourOf(upright[q]);
    EXPECT_NEAR(r[i], want.r, 40) << "quarter " << q;
    EXPECT_NEAR(g[i], want.g, 40) << "quarter " << q;
    EXPECT_NEAR(b[i], want.b, 40) << "quarter " << q;
  }
}

struct OrientationCase {
  int orientation;
  const char* stored;  // the quarters as the camera stored them
};

// Derived by hand from the Exif orientations (1 upright, 2 mirrored, 3
// upside down, 4 mirrored top to bottom, 5 and 7 mirrored along a diagonal, 6
// to be turned clockwise, 8 anticlockwise).
const OrientationCase kOrientations[] = {
    {1, "RGBW"}, {2, "GRWB"}, {3, "WBGR"}, {4, "BWRG"},
    {5, "RBGW"}, {6, "GWRB"}, {7, "WGBR"}, {8, "BRWG"},
};

std::string Name(int i) { return "2003_01_15_10_20_3" + std::to_string(i) + ".jpg"; }

Bytes OrientedPhoto(int orientation, const std::optional<Bytes>& thumbnail, const Bytes& picture,
                    Order order = Order::kLittle) {
  ExifJpeg jpeg(order);
  jpeg.ifd0.push_back(fixture::Short(0x0112, static_cast<std::uint16_t>(orientation)));
  jpeg.exif.push_back(fixture::Ascii(0x9003, "2003:01:15 10:20:30"));
  jpeg.thumbnail = thumbnail;
  if (!picture.empty()) jpeg.tail.assign(picture.begin() + 2, picture.end());
  return jpeg.Build();
}

TEST_F(MakeThumbnailsTest, PhotosWithoutAThumbnailGetOneFromThePictureUpright) {
  // Landscape pictures of 640×480, stored turned where the camera was held
  // sideways; the run makes them on two threads.
  for (const OrientationCase& c : kOrientations) {
    const bool sideways = c.orientation >= 5;
    Bytes picture = Jpeg(Quarters(sideways ? 480 : 640, sideways ? 640 : 480, c.stored));
    TempGallery::WriteFile("Pelvora/" + Name(c.orientation),
                           OrientedPhoto(c.orientation, std::nullopt, picture,
                                         c.orientation == 6 ? Order::kBig : Order::kLittle));
  }
  Run();
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kThumbnailsDone)});
  for (const OrientationCase& c : kOrientations) {
    SCOPED_TRACE(c.orientation);
    ExpectUpright(Thumb(Name(c.orientation)), 160, 120);
  }
  ASSERT_FALSE(ui.progress.empty());
  EXPECT_EQ(ui.progress.back(), (std::pair<int, int>{8, 8}));
}

TEST_F(MakeThumbnailsTest, TheUserCanStopALongRun) {
  Bytes picture = Jpeg(Quarters(320, 240, "RGBW"));
  for (int i = 1; i <= 3; ++i)
    TempGallery::WriteFile("Pelvora/" + Name(i), OrientedPhoto(1, std::nullopt, picture));
  // Three calls in the Exif pass, then one before and one after the first
  // picture: the stop comes there.
  ui.stopAfter = 5;
  Run();
  EXPECT_FALSE(Thumb(Name(1)).empty());
  EXPECT_FALSE(TempGallery::Exists("gallery/thumbnail/Tn_" + Name(2)));
  EXPECT_FALSE(TempGallery::Exists("gallery/thumbnail/Tn_" + Name(3)));
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].utf8, U(txt::kThumbnailsDone));
}

// Six photos made from their pictures share the work between two threads; the
// stop must hold there as on one thread, before and between photos. The
// progress calls are one per photo in the Exif pass, then the picture pass's.
TEST_F(MakeThumbnailsTest, TheStopHoldsOnTwoThreads) {
  struct Case {
    const char* when;
    int stopAfter;       // the progress call that asks to stop
    int firstUnstarted;  // photos from here on never get a thumbnail
  };
  const Case cases[] = {
      {"before the sixth photo of the Exif pass", 6, 1},
      {"at the picture pass's first call", 7, 1},
      // The picture pass's first call lets the two threads start a photo each.
      {"at the picture pass's second call", 8, 3},
  };
  const int kPhotos = 6;
  Bytes picture = Jpeg(Quarters(320, 240, "RGBW"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    TempGallery fresh;
    for (int i = 1; i <= kPhotos; ++i)
      TempGallery::WriteFile("Pelvora/" + Name(i), OrientedPhoto(1, std::nullopt, picture));
    RecordingUi localUi;
    localUi.stopAfter = c.stopAfter;
    CGalleryEditorDlg localDlg(localUi);
    ASSERT_TRUE(localDlg.Click(ctl::kThumbnails));
    for (int i = c.firstUnstarted; i <= kPhotos; ++i)
      EXPECT_FALSE(TempGallery::Exists("gallery/thumbnail/Tn_" + Name(i))) << Name(i);
    ASSERT_FALSE(localUi.messages.empty());
    EXPECT_EQ(localUi.messages[0].utf8, U(txt::kThumbnailsDone));
  }
}

TEST_F(MakeThumbnailsTest, EmbeddedThumbnailsOfSidewaysPhotosAreTurnedUpright) {
  // 64×48 is whole MCUs of 4:2:0 and turns losslessly; 60×44 is decoded,
  // turned and encoded again. The photos hold no picture, so nothing but the
  // embedded thumbnail can give the result.
  for (PixelSize size : {PixelSize{64, 48}, PixelSize{60, 44}}) {
    SCOPED_TRACE(size.width);
    TempGallery fresh;
    for (const OrientationCase& c : kOrientations) {
      const bool sideways = c.orientation >= 5;
      Bytes embedded = Jpeg(Quarters(sideways ? size.height : size.width,
                                     sideways ? size.width : size.height, c.stored));
      TempGallery::WriteFile("Pelvora/" + Name(c.orientation),
                             OrientedPhoto(c.orientation, embedded, {},
                                           c.orientation == 8 ? Order::kBig : Order::kLittle));
      if (c.orientation == 1) TempGallery::WriteFile("upright.jpg", embedded);
    }
    RecordingUi localUi;
    CGalleryEditorDlg localDlg(localUi);
    ASSERT_TRUE(localDlg.Click(ctl::kThumbnails));
    for (const OrientationCase& c : kOrientations) {
      SCOPED_TRACE(c.orientation);
      ExpectUpright(Thumb(Name(c.orientation)), size.width, size.height);
    }
    // Orientation 1: the embedded bytes as they are.
    EXPECT_EQ(Thumb(Name(1)), TempGallery::ReadFile("upright.jpg"));
  }
}

TEST_F(MakeThumbnailsTest, PicturesKeepTheirAspectRatioAndSmallOnesTheirSize) {
  struct Case {
    PixelSize picture, thumbnail;
  };
  const Case cases[] = {
      {{4032, 3024}, {160, 120}}, {{1136, 775}, {160, 109}}, {{3000, 1000}, {160, 53}},
      {{500, 1000}, {60, 120}},   {{100, 60}, {100, 60}},    {{2000, 3}, {160, 1}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const PixelSize p = cases[i].picture;
    Bytes picture = Jpeg(Quarters(p.width, p.height, "RGBW"));
    TempGallery::WriteFile("Pelvora/" + Name(static_cast<int>(i)),
                           OrientedPhoto(1, std::nullopt, picture));
  }
  Run();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const std::string file = Thumb(Name(static_cast<int>(i)));
    CJpegDecoder decoder;
    ASSERT_EQ(
        decoder.LoadFromMemory(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()), 0);
    EXPECT_EQ(decoder.width(), cases[i].thumbnail.width);
    EXPECT_EQ(decoder.height(), cases[i].thumbnail.height);
  }
}

// The header of a JPEG made here claims another size, precision or process.
Bytes Bent(Bytes jpeg, int width, int height, std::uint8_t marker = 0xC0, int precision = 8) {
  for (std::size_t i = 2; i + 9 < jpeg.size();) {
    const std::uint8_t m = jpeg[i + 1];
    if (m == 0xC0) {
      jpeg[i + 1] = marker;
      jpeg[i + 4] = static_cast<std::uint8_t>(precision);
      jpeg[i + 5] = std::uint8_t(height >> 8), jpeg[i + 6] = std::uint8_t(height);
      jpeg[i + 7] = std::uint8_t(width >> 8), jpeg[i + 8] = std::uint8_t(width);
      return jpeg;
    }
    i += 2 + (std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3]);
  }
  ADD_FAILURE() << "no baseline frame header";
  return jpeg;
}

TEST_F(MakeThumbnailsTest, AnEmbeddedThumbnailClaimingAGiantSizeIsMadeFromThePicture) {
  // Turned upright it would be decoded at 14001×14001: gigabytes for a few
  // hundred bytes. The photo's own picture gives the thumbnail instead.
  const Bytes giant = Bent(Jpeg(Quarters(16, 16, "RGBW")), 14001, 14001);
  for (const OrientationCase& c : {kOrientations[2], kOrientations[5]}) {
    SCOPED_TRACE(c.orientation);
    const bool sideways = c.orientation >= 5;
    Bytes picture = Jpeg(Quarters(sideways ? 480 : 640, sideways ? 640 : 480, c.stored));
    TempGallery::WriteFile("Pelvora/" + Name(c.orientation),
                           OrientedPhoto(c.orientation, giant, picture));
  }
  Run();
  EXPECT_EQ(Texts(), std::vector<std::string>{U(txt::kThumbnailsDone)});
  for (int orientation : {3, 6}) ExpectUpright(Thumb(Name(orientation)), 160, 120);
}

TEST_F(MakeThumbnailsTest, PhotosLeftWithAnEmptyThumbnailAreNamedOnceWithTheReason) {
  const Bytes picture = Jpeg(Quarters(320, 240, "RGBW"));
  struct Case {
    Bytes picture;
    const char* reason;  // null: a thumbnail is made
  };
  const Case cases[] = {
      {Bent(picture, 320, 240, 0xC0, 12), txt::kPictureUnsupported},
      {Bent(picture, 320, 240, 0xC3), txt::kPictureUnsupported},
      // Progressive and 14142×14142: its coefficients alone would take gigabytes.
      {Bent(picture, 14142, 14142, 0xC2), txt::kPictureTooLarge},
      {Bytes(picture.begin(), picture.begin() + 120), txt::kPictureDamaged},
      {picture, nullptr},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    TempGallery::WriteFile("Pelvora/" + Name(static_cast<int>(i)),
                           OrientedPhoto(1, std::nullopt, cases[i].picture));
  Run();
  const std::string note = std::string(txt::kEmptyThumbnails) + "\n" + txt::kPictureUnsupported +
                           PhotoNameList({Name(0), Name(1)}) + "\n" + txt::kPictureTooLarge +
                           PhotoNameList({Name(2)}) + "\n" + txt::kPictureDamaged +
                           PhotoNameList({Name(3)});
  EXPECT_EQ(Texts(), (std::vector<std::string>{U(txt::kThumbnailsDone), U(note.c_str())}));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Thumb(Name(static_cast<int>(i))).empty(), cases[i].reason != nullptr);
  }
}

}  // namespace
