// LoadPreview: the current photo's thumbnail becomes the dialog's 24-bit
// preview bitmap, bottom-up with rows padded to 4 bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/gallery_editor_dlg.h"
#include "platform/fault_injection.h"
#include "tests/jpeg/decode_helpers.h"
#include "tests/jpeg/jpeg_builder.h"
#include "tests/jpeg/reference_files.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"

namespace {

using namespace jpegtest;

const char kPhoto[] = "2003_08_03_09_05_00.jpg";
const char kThumbnail[] = "gallery/thumbnail/Tn_2003_08_03_09_05_00.jpg";

class LoadPreviewTest : public ::testing::Test {
 protected:
  void Start(const ByteVector& thumbnail) {
    TempGallery::WriteFile(std::string("Pelvora/") + kPhoto, "photo");
    TempGallery::WriteFile(kThumbnail, thumbnail);
    ASSERT_TRUE(dlg.OnInitDialog());
    ASSERT_FALSE(dlg.ended());
  }
  // A thumbnail changed on disk, loaded again as navigation would.
  void Reload(const ByteVector& thumbnail) {
    TempGallery::WriteFile(kThumbnail, thumbnail);
    dlg.LoadPreview();
  }

  TempGallery gallery;
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
};

class RecordingPainter : public DibPainter {
 public:
  void DrawDib(int destX, int destY, int width, int height, int srcX, int srcY,
               const DibView&) override {
    draws.push_back({destX, destY, width, height, srcX, srcY});
  }
  std::vector<std::vector<int>> draws;
};

// Two 8x8 colour blocks side by side, cut to 10 columns and 3 rows: the first
// Y 100, Cb 150, Cr 90; the second (DC differences) Y 125, Cb 128, Cr 128.
ByteVector TenPixelsWide() {
  BitWriter w;
  for (int mcu = 0; mcu < 2; ++mcu) {
    w.Block(mcu == 0 ? -223 : 200);
    w.Block(mcu == 0 ? 176 : -176);
    w.Block(mcu == 0 ? -303 : 303);
  }
  return Stream(10, 3, {{1, 1, 1, 0}, {2, 1, 1, 0}, {3, 1, 1, 0}}, w.Finish());
}

// The file padded behind its EOI to size bytes.
ByteVector PaddedTo(ByteVector jpeg, std::size_t size) {
  jpeg.resize(size, 0);
  return jpeg;
}

TEST_F(LoadPreviewTest, BitmapRowsAreBottomUpBlueGreenRedPaddedWithZeros) {
  ByteVector jpeg = Fixture("s422_37x23.jpg");
  Start(jpeg);
  const CDib& bitmap = dlg.previewBitmap();
  ASSERT_TRUE(bitmap.HasImage());
  EXPECT_EQ(bitmap.Header().biBitCount, 24);
  EXPECT_EQ(bitmap.Header().biWidth, 37);
  EXPECT_EQ(bitmap.Header().biHeight, 23);
  EXPECT_EQ(bitmap.ColourCount(), 0u);
  const std::size_t stride = 112;  // 37 * 3 = 111 bytes of pixels and 1 of fill
  ASSERT_EQ(bitmap.ImageSize(), stride * 23);

  Decoded d = DecodeJpeg(jpeg);
  ASSERT_TRUE(d.ok());
  const std::uint8_t* px = bitmap.Pixels();
  for (int y = 0; y < 23; ++y) {
    const std::uint8_t* row = px + (22 - y) * stride;  // image row 0 is the last bitmap row
    for (int x = 0; x < 37; ++x) {
      const std::size_t i = std::size_t(y) * 37 + x;
      ASSERT_EQ(row[3 * x], d.blue[i]) << x << "," << y;
      ASSERT_EQ(row[3 * x + 1], d.green[i]) << x << "," << y;
      ASSERT_EQ(row[3 * x + 2], d.red[i]) << x << "," << y;
    }
    ASSERT_EQ(row[111], 0) << "fill byte of row " << y;
  }
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_GE(ui.invalidations, 1);
}

TEST_F(LoadPreviewTest, WidthTenGivesRowsOf32Bytes) {
  Start(TenPixelsWide());
  const CDib& bitmap = dlg.previewBitmap();
  ASSERT_TRUE(bitmap.HasImage());
  ASSERT_EQ(bitmap.ImageSize(), 3u * 32u);
  for (int row = 0; row < 3; ++row) {
    const std::uint8_t* r = bitmap.Pixels() + row * 32;
    // Pixel 0: Y 100, Cb 150, Cr 90 gives red 46, green 119, blue 138.
    EXPECT_EQ(r[0], 138);
    EXPECT_EQ(r[1], 119);
    EXPECT_EQ(r[2], 46);
    // Pixel 9 (second block): grey 125.
    EXPECT_EQ(r[27], 125);
    EXPECT_EQ(r[28], 125);
    EXPECT_EQ(r[29], 125);
    EXPECT_EQ(r[30], 0);
    EXPECT_EQ(r[31], 0);
  }
}

TEST_F(LoadPreviewTest, PaintsAtTheControlsCornerAtItsOwnSize) {
  Start(Fixture("s420_160x120.jpg"));
  RecordingPainter control;
  EXPECT_TRUE(dlg.PaintPreview(control));
  ASSERT_EQ(control.draws.size(), 1u);
  EXPECT_EQ(control.draws[0], (std::vector<int>{0, 0, 160, 120, 0, 0}));
}

TEST_F(LoadPreviewTest, ThumbnailsThatShowNoPictureLeaveTheDialogGoingOn) {
  struct Case {
    const char* what;
    ByteVector bytes;
  };
  const ByteVector good = Fixture("s420_1x1.jpg");
  const Case cases[] = {
      {"one byte larger than the buffer", PaddedTo(good, 32769)},
      {"empty", {}},
      {"not a JPEG", ByteVector(100, 0x42)},
      {"progressive", Fixture("progressive_32x32.jpg")},
      {"cut short", ByteVector(good.begin(), good.begin() + good.size() / 2)},
  };
  Start(good);
  for (const Case& c : cases) {
    Reload(good);
    ASSERT_TRUE(dlg.previewBitmap().HasImage()) << c.what;
    int invalidations = ui.invalidations;
    Reload(c.bytes);
    EXPECT_FALSE(dlg.previewBitmap().HasImage()) << c.what << ": the old picture stays";
    EXPECT_GT(ui.invalidations, invalidations) << c.what;
    RecordingPainter control;
    EXPECT_FALSE(dlg.PaintPreview(control)) << c.what;
    EXPECT_TRUE(control.draws.empty()) << c.what;
  }
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(dlg.ended());
  EXPECT_EQ(dlg.state().abortFlag, 0);
}

TEST_F(LoadPreviewTest, AThumbnailFillingTheWholeBufferIsShown) {
  Start(PaddedTo(Fixture("s420_1x1.jpg"), 32768));
  EXPECT_TRUE(dlg.previewBitmap().HasImage());
  EXPECT_EQ(dlg.state().thumbnail.size(), 32768u);
}

// A thumbnail that is missing or cannot be read shows no picture, like one
// that does not decode: no message, no abort flag, the dialog stays, so ②
// can still make it.
TEST_F(LoadPreviewTest, MissingOrUnreadableThumbnailLeavesThePreviewEmpty) {
  Start(Fixture("s420_1x1.jpg"));
  for (platform::FileOp op : {platform::FileOp::Open, platform::FileOp::Read}) {
    SCOPED_TRACE(op == platform::FileOp::Open ? "missing" : "unreadable");
    Reload(Fixture("s420_1x1.jpg"));
    ASSERT_TRUE(dlg.previewBitmap().HasImage());
    platform::SetFaultHook([op](platform::FileOp what, std::string_view path) {
      return what == op && path.find("Tn_") != std::string_view::npos;
    });
    dlg.LoadPreview();
    platform::SetFaultHook(nullptr);
    EXPECT_FALSE(dlg.previewBitmap().HasImage());
    EXPECT_TRUE(dlg.state().thumbnail.empty());
  }
  std::filesystem::remove(kThumbnail);
  dlg.LoadPreview();
  EXPECT_FALSE(dlg.previewBitmap().HasImage());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(dlg.state().abortFlag, 0);
  EXPECT_FALSE(dlg.ended());
}

TEST(LoadPreview, StartUpWithoutPhotoOnesThumbnailGoesOn) {
  TempGallery gallery;
  TempGallery::WriteFile(std::string("Pelvora/") + kPhoto, "photo");
  TempGallery::WriteFile("Pelvora/2003_08_03_09_05_01.jpg", "photo");
  TempGallery::WriteFile("gallery/thumbnail/Tn_2003_08_03_09_05_01.jpg", Fixture("s420_1x1.jpg"));
  RecordingUi ui;
  CGalleryEditorDlg dlg(ui);
  EXPECT_TRUE(dlg.OnInitDialog());
  EXPECT_FALSE(dlg.ended());
  EXPECT_EQ(dlg.state().abortFlag, 0);
  EXPECT_FALSE(dlg.previewBitmap().HasImage());
  ASSERT_EQ(ui.messages.size(), 1u);  // the photo without a thumbnail is named
  EXPECT_NE(ui.messages[0].utf8.find(kPhoto), std::string::npos);
}

}  // namespace
