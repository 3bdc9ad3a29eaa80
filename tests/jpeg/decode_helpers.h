#pragma once
// Runs the decoder the way the editor does: construct, load, decode, take the image.
#include <cstdint>
#include <vector>

#include "jpeg/jpeg_decoder.h"

namespace jpegtest {

struct Decoded {
  std::int32_t load = 99, decode = 99;
  Plane red, green, blue;
  std::int32_t width = 0, height = 0;

  bool ok() const { return load == 0 && decode == 0 && red && green && blue; }
  // Pixel (x, y) as red, green, blue.
  std::vector<int> At(int x, int y) const {
    std::size_t i = std::size_t(y) * std::size_t(width) + std::size_t(x);
    return {red[i], green[i], blue[i]};
  }
};

inline Decoded DecodeJpeg(const std::vector<std::uint8_t>& bytes) {
  Decoded d;
  CJpegDecoder decoder;
  d.load = decoder.LoadFromMemory(bytes.data(), bytes.size());
  if (d.load != 0) return d;
  d.decode = decoder.Decode();
  decoder.GetImage(d.red, d.green, d.blue, d.width, d.height);
  return d;
}

}  // namespace jpegtest
