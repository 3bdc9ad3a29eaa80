#pragma once
// Decoding a whole JPEG picture through libjpeg's own API, bounded: in
// pixels, in the memory a progressive picture's coefficients take, in scans,
// and by the user's stop, which a progress monitor checks while it decodes.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

#include "picture/thumbnail_pixels.h"
#include "platform/result.h"

// Pictures larger than this are not decoded: their buffers alone would take gigabytes.
inline constexpr long long kMaxPicturePixels = 200'000'000;
// A progressive picture keeps all its coefficients while it is decoded: two
// bytes for each of its 64 per block. A picture needing more is not decoded
// (a 48-megapixel 4:2:0 photo needs 144 MB).
inline constexpr std::size_t kMaxCoefficientBytes = std::size_t{192} << 20;
// Scans a picture may have; real photos have at most a dozen or so.
inline constexpr int kMaxScans = 100;
// Each scan reads every block of its components: all scans together may read
// the picture's blocks this many times (a real progressive photo: 5 to 8).
// Far fewer than kMaxScans scans over a large picture already take seconds.
inline constexpr int kMaxScanPasses = 20;

struct DecodeBounds {
  long long maxPixels = kMaxPicturePixels;
  std::size_t maxCoefficientBytes = kMaxCoefficientBytes;
  int maxScans = kMaxScans;
  int maxScanPasses = kMaxScanPasses;
  // Set by another thread to give the decoding up as soon as it next looks.
  const std::atomic<bool>* stop = nullptr;
};

// What the header says, read without decoding.
struct PictureHeader {
  PixelSize size;
};

platform::Result<PictureHeader> ReadPictureHeader(std::span<const std::uint8_t> jpeg);

// Decodes at the smallest of libjpeg's scales (1/8 to 8/8) whose size is at
// least `least`, the full size when none is, into RGB. CMYK and YCCK
// pictures become RGB as browsers show them. Fails with a Shift-JIS reason
// (texts/picture.txt); kPictureStopped after a stop.
platform::Result<RgbImage> DecodePicture(std::span<const std::uint8_t> jpeg, PixelSize least,
                                         const DecodeBounds& bounds);
