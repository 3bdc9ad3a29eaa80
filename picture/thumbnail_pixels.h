#pragma once
// The pixel work of making a thumbnail: fitting a size into the thumbnail box,
// shrinking by area averaging, and turning a picture upright after its Exif
// orientation.
#include <cstdint>
#include <vector>

// 8-bit red, green, blue per pixel, rows top down without padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize&) const = default;
};

inline constexpr PixelSize kThumbnailBox{160, 120};

// The largest size with the picture's aspect ratio that fits the box (each
// side rounded, at least 1); a picture that already fits keeps its size.
PixelSize FitInto(PixelSize picture, PixelSize box);

// Shrinks to the given size, no larger than the image: each output pixel is
// the average of the source area it covers, partly covered pixels weighted by
// the part covered.
RgbImage ShrinkByArea(const RgbImage& image, PixelSize size);

// Exif orientations 2 to 8 say how the stored picture must be turned or
// mirrored to stand upright; 1 and any other value mean it already does.
bool TurnsSideways(int orientation);  // 5 to 8: width and height swap
RgbImage Upright(const RgbImage& image, int orientation);
