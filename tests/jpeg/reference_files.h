#pragma once
// The decoder's test pictures and an independent decoder to compare them with:
// libjpeg-turbo's djpeg (Debian package libjpeg-turbo-progs).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/exif_thumbnail.h"

namespace jpegtest {

// A picture as interleaved red, green, blue bytes, top row first.
struct RgbImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
};

// Reads a binary PPM (P6) or PGM (P5, grey replicated into three channels).
std::optional<RgbImage> ReadPnm(const ByteVector& bytes);

// The path of djpeg, or empty when it is not installed.
std::string DjpegPath();

// djpeg -nosmooth -dct float -ppm of the JPEG bytes: box-replicated chroma
// like this decoder's, and a floating-point inverse DCT.
std::optional<RgbImage> DecodeWithDjpeg(const ByteVector& jpeg);

// A committed fixture of tests/data/jpeg.
ByteVector Fixture(const std::string& name);

}  // namespace jpegtest
