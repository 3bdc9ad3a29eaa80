#pragma once
// ⑤'s pictures for today's screens, made from each photo's picture: a tile
// for the menu, fitted into 320×240, and for a photo larger than 2048 px on
// its long side a screen copy fitted into 2048×2048 that keeps the photo's
// colour profile. Both stand upright; baseline JPEG at quality 85.
#include <cstdint>
#include <span>

#include "picture/thumbnail_maker.h"

inline constexpr PixelSize kTileBox{320, 240};
inline constexpr PixelSize kScreenBox{2048, 2048};

struct ScreenPictures {
  JpegBytes tile;    // empty when the picture cannot be decoded
  JpegBytes screen;  // empty when the photo fits the screen box as it is
};

// The photo's picture decoded once, at the smallest of the codec's scales
// that still covers the larger of the two, and shrunk by area averaging.
ScreenPictures MakeScreenPictures(ThumbnailMaker& maker, std::span<const std::uint8_t> photo,
                                  int orientation);

// The photo's colour profile (its APP2 "ICC_PROFILE" segments, in order) and
// an Exif block saying orientation 1 put into an encoded picture, after its
// JFIF segment. Segments are found by walking the photo's markers up to the
// first scan, each length checked against the bytes there are.
JpegBytes WithProfileAndUpright(const JpegBytes& encoded, std::span<const std::uint8_t> photo);
