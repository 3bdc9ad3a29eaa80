#include "jpeg/bgr_rows.h"

#include <new>

#include "jpeg/dib.h"

std::unique_ptr<std::uint8_t[]> BgrRows(const std::uint8_t* red, const std::uint8_t* green,
                                        const std::uint8_t* blue, std::int32_t width,
                                        std::int32_t height) {
  if (width < 0 || height < 0) return nullptr;
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t h = static_cast<std::size_t>(height);
  const std::size_t stride = static_cast<std::size_t>(DibRowBytes(width, 24));
  std::unique_ptr<std::uint8_t[]> rows(new (std::nothrow) std::uint8_t[stride * h]());
  if (!rows) return nullptr;
  for (std::size_t y = 0; y < h; ++y) {
    std::uint8_t* row = rows.get() + (h - 1 - y) * stride;
    for (std::size_t x = 0; x < w; ++x) {
      const std::size_t i = y * w + x;
      row[3 * x] = blue[i];
      row[3 * x + 1] = green[i];
      row[3 * x + 2] = red[i];
    }
  }
  return rows;
}
