#pragma once
// Thumbnails that need the picture codec: the embedded thumbnail of a photo
// taken sideways turned upright, and a thumbnail made from the picture itself
// for a photo without a usable embedded one (libjpeg-turbo). Failures carry
// the reason as a Shift-JIS text for the user (texts/picture.txt).
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "picture/picture_decoder.h"
#include "picture/thumbnail_pixels.h"
#include "platform/result.h"

using JpegBytes = std::vector<std::uint8_t>;

inline constexpr int kThumbnailQuality = 85;
// An embedded thumbnail that must be decoded to stand upright and claims
// more pixels than this is not a real one: the thumbnail is made from the
// picture instead.
inline constexpr long long kMaxEmbeddedPixels = 640 * 480;

// One per thread: it keeps the codec's handles from photo to photo.
class ThumbnailMaker {
 public:
  // stop, when given, is set by another thread to give up the photo being
  // decoded; its decoding then fails with kPictureStopped.
  explicit ThumbnailMaker(const std::atomic<bool>* stop = nullptr);
  ~ThumbnailMaker();
  ThumbnailMaker(const ThumbnailMaker&) = delete;
  ThumbnailMaker& operator=(const ThumbnailMaker&) = delete;

  // The embedded thumbnail upright after the Exif orientation (1 to 8):
  // transformed losslessly when its size is a whole number of MCUs in the
  // directions that move, else decoded, turned and encoded again. One that
  // claims more than kMaxEmbeddedPixels fails with kPictureTooLarge.
  platform::Result<JpegBytes> UprightEmbedded(std::span<const std::uint8_t> jpeg, int orientation);

  // A thumbnail made from the whole photo file: decoded at the smallest
  // scale that still covers the fitted size, shrunk into 160×120 keeping the
  // aspect ratio, upright, baseline JPEG 4:2:0 at quality 85.
  platform::Result<JpegBytes> FromPicture(std::span<const std::uint8_t> photo, int orientation);

  // Decodes at the smallest scale whose size is at least `least` (the full
  // size when none is), within the decoding bounds.
  platform::Result<RgbImage> Decode(std::span<const std::uint8_t> jpeg, PixelSize least);
  // Baseline JPEG, 4:2:0, quality 85.
  platform::Result<JpegBytes> Encode(const RgbImage& image);

 private:
  DecodeBounds bounds_;
  void* compressor_ = nullptr;
  void* transformer_ = nullptr;
};
