#include "jpeg/dib_pixel.h"

#include "jpeg/dib.h"

RgbQuad DibPixel(const DibView& dib, int x, int y) {
  const BitmapInfoHeader& h = dib.header;
  const RgbQuad black{0, 0, 0, 0};
  if (x < 0 || y < 0 || x >= h.biWidth || y >= h.biHeight || !dib.pixels) return black;
  const std::uint64_t stride = DibRowBytes(h.biWidth, h.biBitCount);
  const std::uint64_t rowStart = std::uint64_t(h.biHeight - 1 - y) * stride;
  const std::uint64_t bitOffset = std::uint64_t(x) * h.biBitCount;
  const std::uint64_t first = rowStart + bitOffset / 8;
  const std::uint64_t bytes = h.biBitCount >= 8 ? h.biBitCount / 8u : 1u;
  if (first + bytes > dib.imageSize) return black;
  const std::uint8_t* p = dib.pixels + first;
  auto fromTable = [&](unsigned index) {
    return index < dib.colourCount && dib.colours ? dib.colours[index] : black;
  };
  switch (h.biBitCount) {
    case 1:
      return fromTable((p[0] >> (7 - bitOffset % 8)) & 1);
    case 4:
      return fromTable((p[0] >> (4 - bitOffset % 8)) & 15);
    case 8:
      return fromTable(p[0]);
    case 16: {
      // 5-5-5: bits 10-14 red, 5-9 green, 0-4 blue.
      unsigned v = p[0] | (p[1] << 8);
      return {static_cast<std::uint8_t>((v & 31) << 3),
              static_cast<std::uint8_t>(((v >> 5) & 31) << 3),
              static_cast<std::uint8_t>(((v >> 10) & 31) << 3), 0};
    }
    case 24:
    case 32:
      return {p[0], p[1], p[2], 0};
    default:
      return black;
  }
}
