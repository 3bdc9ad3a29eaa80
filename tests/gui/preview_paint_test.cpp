// The Qt dialog paints the decoded thumbnail at the preview control's
// top-left corner (offscreen: CTest sets QT_QPA_PLATFORM=offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

#include "app/dialog_controls.h"
#include "gui/qt_dialog.h"
#include "jpeg/jpeg_decoder.h"
#include "tests/support/exif_thumbnail.h"
#include "tests/support/temp_gallery.h"

namespace {

void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the test program
}

ByteVector Fixture(const std::string& name) {
  return ReadBinaryFile(std::string(VORNAMI_SOURCE_DIR) + "/tests/data/jpeg/" + name);
}

struct Picture {
  Plane red, green, blue;
  std::int32_t width = 0, height = 0;
};

Picture Decode(const ByteVector& jpeg) {
  Picture p;
  CJpegDecoder decoder;
  EXPECT_EQ(decoder.LoadFromMemory(jpeg.data(), jpeg.size()), 0);
  EXPECT_EQ(decoder.Decode(), 0);
  decoder.GetImage(p.red, p.green, p.blue, p.width, p.height);
  return p;
}

// Pixels of the picture that differ from the rendering at origin.
int Mismatches(const QImage& rendering, QPoint origin, const Picture& p) {
  int mismatches = 0;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const std::size_t i = std::size_t(y) * std::size_t(p.width) + std::size_t(x);
      if (rendering.pixel(origin + QPoint(x, y)) != qRgb(p.red[i], p.green[i], p.blue[i]))
        ++mismatches;
    }
  }
  return mismatches;
}

const char* const kPhotos[] = {"2003_08_03_09_05_00.jpg", "2003_08_03_09_06_10.jpg"};

TEST(PreviewPaint, TheCurrentPhotosThumbnailIsDrawnAtThePreviewControl) {
  EnsureApplication();
  TempGallery gallery;
  const ByteVector first = Fixture("s420_160x120.jpg");
  const ByteVector second = Fixture("s422_37x23.jpg");
  for (const char* photo : kPhotos) TempGallery::WriteFile(std::string("Pelvora/") + photo, "x");
  TempGallery::WriteFile(std::string("gallery/thumbnail/Tn_") + kPhotos[0], first);
  TempGallery::WriteFile(std::string("gallery/thumbnail/Tn_") + kPhotos[1], second);

  QtDialog dialog;
  ASSERT_TRUE(dialog.Initialise());
  const QPoint corner = QtDialog::DluRect(92, 46, 13, 14).topLeft();
  auto* control = dialog.findChild<QWidget*>("preview1014");
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->geometry().topLeft(), corner);

  Picture one = Decode(first);
  QImage rendering = dialog.grab().toImage();
  ASSERT_EQ(rendering.devicePixelRatio(), 1.0);
  EXPECT_EQ(Mismatches(rendering, corner, one), 0);
  // Not scaled: one pixel up and left of the corner is the dialog's background.
  EXPECT_NE(rendering.pixel(corner - QPoint(1, 1)), qRgb(one.red[0], one.green[0], one.blue[0]));

  // "次へ進む" to photo 2: its smaller thumbnail replaces the first.
  dialog.button(ctl::kNext)->click();
  ASSERT_EQ(dialog.logic().state().currentPhoto, 2);
  ASSERT_FALSE(dialog.logic().ended());
  Picture two = Decode(second);
  rendering = dialog.grab().toImage();
  EXPECT_EQ(Mismatches(rendering, corner, two), 0);
  EXPECT_GT(Mismatches(rendering, corner, one), 160 * 120 / 2)
      << "the first thumbnail is still painted";
}

TEST(PreviewPaint, NoPictureWhenTheThumbnailDoesNotDecode) {
  EnsureApplication();
  TempGallery gallery;
  TempGallery::WriteFile(std::string("Pelvora/") + kPhotos[0], "x");
  TempGallery::WriteFile(std::string("gallery/thumbnail/Tn_") + kPhotos[0], std::string("no jpeg"));
  QtDialog dialog;
  ASSERT_TRUE(dialog.Initialise());
  EXPECT_FALSE(dialog.logic().previewBitmap().HasImage());
  QImage rendering = dialog.grab().toImage();
  const QPoint corner = QtDialog::DluRect(92, 46, 13, 14).topLeft();
  // The preview area shows the dialog's background, like the area beside it.
  EXPECT_EQ(rendering.pixel(corner + QPoint(20, 30)), rendering.pixel(corner + QPoint(20, -8)));
}

}  // namespace
