#pragma once
// YCbCr to RGB as the decoder converts each pixel.
#include <cstdint>

// 0 below 0.0, 255 above 255.0, otherwise truncated toward zero.
inline std::uint8_t ClampToByte(double t) {
  if (t < 0.0) return 0;
  if (t > 255.0) return 255;
  return static_cast<std::uint8_t>(t);
}

struct Rgb {
  std::uint8_t red, green, blue;
};

// Cb' = Cb - 128, Cr' = Cr - 128; red = Cr' * 1.402 + Y,
// green = (Y - Cb' * 0.3441) - Cr' * 0.7139, blue = Cb' * 1.7718 + Y.
inline Rgb YCbCrToRgb(std::int32_t y, std::int32_t cb, std::int32_t cr) {
  // Subtracting in double keeps corrupt extreme samples from overflowing; for
  // every other sample it equals the integer difference.
  const double cbp = double(cb) - 128.0;
  const double crp = double(cr) - 128.0;
  const double luma = double(y);
  return {ClampToByte(crp * 1.402 + luma), ClampToByte((luma - cbp * 0.3441) - crp * 0.7139),
          ClampToByte(cbp * 1.7718 + luma)};
}
