#include "win/win_dib_painter.h"

#include <vector>

#include "jpeg/dib_pixel.h"

void WinDibPainter::DrawDib(int destX, int destY, int width, int height, int srcX, int srcY,
                            const DibView& dib) {
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return;
  // The pixels go through DibPixel into rows of 32 bits: it reads only what the
  // bitmap holds, whatever its header claims.
  std::vector<RgbQuad> rows(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      RgbQuad p = DibPixel(dib, srcX + x, srcY + y);
      p.reserved = 0;
      rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x] = p;
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc_, origin_.x + destX, origin_.y + destY, static_cast<DWORD>(width),
                    static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height), rows.data(),
                    &info, DIB_RGB_COLORS);
}
