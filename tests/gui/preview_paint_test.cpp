// The Qt dialog paints the decoded thumbnail at the preview control's
// top-left corner (offscreen: CTest sets QT_QPA_PLATFORM=offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/control_ids.h"
#include "app/data_tables.h"
#include "app/line_rules.h"
#include "gui/qt_dialog.h"
#include "jpeg/jpeg_decoder.h"
#include "platform/encoding.h"
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

  // To photo 2, as navigation does: the smaller thumbnail replaces the first.
  CGalleryEditorDlg& logic = dialog.logic();
  logic.state().currentPhoto = 2;
  logic.state().currentPhotoName = logic.state().photoList[2];
  logic.LoadPreview();
  ASSERT_FALSE(logic.ended());
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

// Not a check: writes the picture of the dialog that docs/ shows, when
// VORNAMI_SCREENSHOT names the PNG to write (docs/make-dialog-screenshot.sh).
TEST(PreviewPaint, DialogScreenshot) {
  const char* out = std::getenv("VORNAMI_SCREENSHOT");
  if (!out) GTEST_SKIP() << "set VORNAMI_SCREENSHOT to write the dialog's picture";
  SKIP_WITHOUT_SAMPLES();
  EnsureApplication();
  const std::string target = std::filesystem::absolute(out).string();
  auto thumbnails = SampleThumbnails();
  ASSERT_GE(thumbnails.size(), 3u);
  TempGallery gallery;
  const char* const names[] = {"2003_08_03_09_05_00.jpg", "2003_08_03_09_06_10.jpg",
                               "2003_08_04_14_31_52.jpg"};
  // The first photo is the Canon PowerShot S40's, whose thumbnail is 160x120.
  std::swap(thumbnails[0], *std::find_if(thumbnails.begin(), thumbnails.end(), [](auto& t) {
              return t.photo == "Canon_PowerShot_S40.jpg";
            }));
  for (int i = 0; i < 3; ++i) {
    TempGallery::WriteFile(std::string("Pelvora/") + names[i], "x");
    TempGallery::WriteFile(std::string("gallery/thumbnail/Tn_") + names[i], thumbnails[i].jpeg);
  }
  DataTables tables;
  LoadDataTables(tables, 3);
  auto sjis = [](const char* utf8) { return platform::Utf8ToSjis(utf8).bytes; };
  tables.subject[2] = lines::Compose(lines::SubjectPrefix(), sjis("夏の旅"));
  tables.title[3] = lines::Compose(lines::TitlePrefix(1), sjis("港の朝"));
  tables.memo[3] = lines::ComposeMemo(lines::MemoPrefix(1), sjis("朝早く港を歩いた。\r\n曇り空。"));
  TempGallery::WriteFile(paths::kSubjectFile, SubjectFileText(tables));
  TempGallery::WriteFile(paths::kTitleFile, TitleFileText(tables, 3));
  TempGallery::WriteFile(paths::kMemoFile, MemoFileText(tables, 3));

  QtDialog dialog;
  ASSERT_TRUE(dialog.Initialise());
  ASSERT_TRUE(dialog.logic().previewBitmap().HasImage());
  ASSERT_TRUE(dialog.grab().save(QString::fromStdString(target), "PNG")) << target;
}

}  // namespace
