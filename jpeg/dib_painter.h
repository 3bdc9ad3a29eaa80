#pragma once
// What painting a device-independent bitmap needs of a window system: a
// surface that draws a bitmap's pixel rows at a position. The Qt dialog
// implements it over the preview control's corner.
#include <cstdint>

// The 40-byte bitmap-information header at the start of a bitmap's header block.
struct BitmapInfoHeader {
  std::uint32_t biSize;
  std::int32_t biWidth;
  std::int32_t biHeight;  // positive: rows stored bottom-up
  std::uint16_t biPlanes;
  std::uint16_t biBitCount;
  std::uint32_t biCompression;
  std::uint32_t biSizeImage;
  std::int32_t biXPelsPerMeter;
  std::int32_t biYPelsPerMeter;
  std::uint32_t biClrUsed;
  std::uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

// A colour-table entry: blue, green, red, 0.
struct RgbQuad {
  std::uint8_t blue, green, red, reserved;
};
static_assert(sizeof(RgbQuad) == 4);

// A bitmap as handed to a painter. Rows are padded to multiples of 4 bytes
// and stored bottom row first.
struct DibView {
  BitmapInfoHeader header;
  const RgbQuad* colours;     // colourCount entries, or null
  std::uint32_t colourCount;  // 2, 16 or 256 for 1, 4 and 8 bits per pixel; else 0
  const std::uint8_t* pixels;
  std::uint32_t imageSize;  // bytes at pixels
};

class DibPainter {
 public:
  virtual ~DibPainter() = default;
  // Draws width x height pixels of the bitmap, starting at source (srcX, srcY)
  // counted from the picture's top-left corner, with their top-left corner at
  // (destX, destY) of the surface.
  virtual void DrawDib(int destX, int destY, int width, int height, int srcX, int srcY,
                       const DibView& dib) = 0;
};
