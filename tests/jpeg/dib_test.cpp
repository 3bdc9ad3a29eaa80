#include "jpeg/dib.h"

#include <gtest/gtest.h>

#include <vector>

#include "jpeg/decoder_errors.h"
#include "jpeg/dib_pixel.h"
#include "platform/encoding.h"

namespace {

// Records what Paint hands to the surface.
class RecordingPainter : public DibPainter {
 public:
  void DrawDib(int toX, int toY, int drawnWidth, int drawnHeight, int fromX, int fromY,
               const DibView& dib) override {
    ++calls;
    destX = toX;
    destY = toY;
    width = drawnWidth;
    height = drawnHeight;
    srcX = fromX;
    srcY = fromY;
    pixels = dib.pixels;
    topLeft = DibPixel(dib, 0, 0);
  }
  int calls = 0, destX = -1, destY = -1, width = 0, height = 0, srcX = -1, srcY = -1;
  const std::uint8_t* pixels = nullptr;
  RgbQuad topLeft{};
};

TEST(Dib, ThumbnailOf160x120At24Bits) {
  CDib dib;
  ASSERT_TRUE(dib.Create(160, 120, 24, nullptr, nullptr));
  EXPECT_EQ(dib.HeaderBlockSize(), 40u);
  EXPECT_EQ(dib.ColourCount(), 0u);
  EXPECT_EQ(dib.ImageSize(), 57600u);  // 120 rows of 480 bytes
  const BitmapInfoHeader& h = dib.Header();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 160);
  EXPECT_EQ(h.biHeight, 120);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biSizeImage, 0u);
  EXPECT_EQ(h.biXPelsPerMeter, 0);
  EXPECT_EQ(h.biYPelsPerMeter, 0);
  EXPECT_EQ(h.biClrUsed, 0u);
  EXPECT_EQ(h.biClrImportant, 0u);
}

TEST(Dib, RowsArePaddedToFourBytes) {
  struct Case {
    int width, bits;
    std::uint32_t rowBytes;
  };
  for (Case c : {Case{2, 24, 8}, Case{10, 24, 32}, Case{1, 24, 4}, Case{4, 24, 12}, Case{9, 1, 4},
                 Case{33, 1, 8}, Case{3, 4, 4}, Case{9, 4, 8}, Case{5, 8, 8}, Case{3, 16, 8},
                 Case{3, 32, 12}}) {
    CDib dib;
    ASSERT_TRUE(dib.Create(c.width, 3, c.bits, nullptr, nullptr));
    EXPECT_EQ(dib.ImageSize(), 3 * c.rowBytes) << c.width << " at " << c.bits;
  }
}

TEST(Dib, PaletteDepthsHaveColourTables) {
  for (auto [bits, colours] : {std::pair{1, 2u}, std::pair{4, 16u}, std::pair{8, 256u}}) {
    CDib dib;
    ASSERT_TRUE(dib.Create(4, 4, bits, nullptr, nullptr));
    EXPECT_EQ(dib.ColourCount(), colours);
    EXPECT_EQ(dib.HeaderBlockSize(), 40 + 4 * colours);
  }
}

TEST(Dib, UnsupportedDepthIsRefusedAndLeavesTheImage) {
  CDib dib;
  ASSERT_TRUE(dib.Create(2, 2, 24, nullptr, nullptr));
  for (int bits : {0, 2, 12, 48}) EXPECT_FALSE(dib.Create(2, 2, bits, nullptr, nullptr)) << bits;
  ASSERT_TRUE(dib.HasImage());
  EXPECT_EQ(dib.Header().biBitCount, 24);
}

TEST(Dib, CopiesPixelsAndColoursAndPaintsFromTheBottomRowUp) {
  // 2x2 at 8 bits: rows of 4 bytes; the first row in memory is the picture's bottom row.
  std::vector<std::uint8_t> pixels = {1, 0, 0, 0, 2, 3, 0, 0};
  std::vector<RgbQuad> colours(256, RgbQuad{0, 0, 0, 0});
  colours[2] = {10, 20, 30, 0};
  CDib dib;
  ASSERT_TRUE(dib.Create(2, 2, 8, pixels.data(), colours.data()));
  pixels.assign(pixels.size(), 0);  // the bitmap keeps its own copy
  colours[2] = {0, 0, 0, 0};
  RecordingPainter painter;
  EXPECT_TRUE(dib.Paint(painter, 0, 0));
  EXPECT_EQ(painter.calls, 1);
  EXPECT_EQ(painter.destX, 0);
  EXPECT_EQ(painter.destY, 0);
  EXPECT_EQ(painter.width, 2);
  EXPECT_EQ(painter.height, 2);
  EXPECT_EQ(painter.pixels, dib.Pixels());
  EXPECT_EQ(painter.topLeft.blue, 10);
  EXPECT_EQ(painter.topLeft.green, 20);
  EXPECT_EQ(painter.topLeft.red, 30);
}

TEST(Dib, PaintBeforeCreateAndAfterClearDrawsNothing) {
  CDib dib;
  RecordingPainter painter;
  EXPECT_FALSE(dib.Paint(painter, 0, 0));
  ASSERT_TRUE(dib.Create(1, 1, 24, nullptr, nullptr));
  dib.Clear();
  EXPECT_FALSE(dib.Paint(painter, 0, 0));
  EXPECT_EQ(painter.calls, 0);
}

TEST(Dib, CreateAgainReplacesTheImage) {
  CDib dib;
  std::vector<std::uint8_t> red = {0, 0, 255, 0};
  std::vector<std::uint8_t> blue = {255, 0, 0, 0};
  ASSERT_TRUE(dib.Create(1, 1, 24, red.data(), nullptr));
  ASSERT_TRUE(dib.Create(1, 1, 24, blue.data(), nullptr));  // the first image is freed
  EXPECT_EQ(dib.Pixels()[0], 255);
  EXPECT_EQ(dib.Pixels()[2], 0);
}

TEST(Dib, SizesItCannotHoldAreRefused) {
  CDib dib;
  EXPECT_FALSE(dib.Create(-1, 5, 24, nullptr, nullptr));
  EXPECT_FALSE(dib.Create(5, -1, 24, nullptr, nullptr));
  EXPECT_FALSE(dib.Create(2147483647, 2147483647, 32, nullptr, nullptr));
  EXPECT_FALSE(dib.HasImage());
}

TEST(DibPixel, ReadsEveryDepth) {
  RgbQuad colours[16] = {};
  colours[1] = {1, 1, 1, 0};
  colours[9] = {9, 9, 9, 0};
  DibView view{};
  view.header.biWidth = 3;
  view.header.biHeight = 1;
  view.colours = colours;
  view.colourCount = 16;

  std::uint8_t one[4] = {0b01000000};
  view.header.biBitCount = 1;
  view.pixels = one;
  view.imageSize = 4;
  EXPECT_EQ(DibPixel(view, 1, 0).blue, 1);
  EXPECT_EQ(DibPixel(view, 0, 0).blue, 0);

  std::uint8_t four[4] = {0x19, 0x10};
  view.header.biBitCount = 4;
  view.pixels = four;
  EXPECT_EQ(DibPixel(view, 0, 0).blue, 1);
  EXPECT_EQ(DibPixel(view, 1, 0).blue, 9);
  EXPECT_EQ(DibPixel(view, 2, 0).blue, 1);

  std::uint8_t rgb[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  view.header.biBitCount = 24;
  view.pixels = rgb;
  view.imageSize = 12;
  RgbQuad p = DibPixel(view, 2, 0);
  EXPECT_EQ(p.blue, 7);
  EXPECT_EQ(p.green, 8);
  EXPECT_EQ(p.red, 9);
  EXPECT_EQ(DibPixel(view, 3, 0).red, 0);  // outside the picture
}

}  // namespace
