// The pixel work of thumbnails: area averaging, and the codec's refusals
// with the reason the user reads.
#include "picture/thumbnail_maker.h"

#include <gtest/gtest.h>

#include <vector>

#include "picture/thumbnail_pixels.h"
#include "texts/picture_texts.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Red on the left half, white on the right.
RgbImage Halves(int width, int height) {
  RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3, 255)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width / 2; ++x) {
      std::uint8_t* p = &image.rgb[(std::size_t(y) * width + x) * 3];
      p[1] = p[2] = 0;
    }
  return image;
}

TEST(ThumbnailPixels, ShrinkingAveragesTheAreaEachPixelCovers) {
  // A 3×1 row of 0, 90, 255 shrunk to 2×1: each output pixel covers one and a
  // half source pixels.
  RgbImage row{3, 1, {0, 0, 0, 90, 90, 90, 255, 255, 255}};
  RgbImage out = ShrinkByArea(row, {2, 1});
  ASSERT_EQ(out.width, 2);
  EXPECT_EQ(out.rgb[0], 30);   // (0 + 90 / 2) / 1.5
  EXPECT_EQ(out.rgb[3], 200);  // (90 / 2 + 255) / 1.5
  // A fine chequerboard becomes an even grey.
  RgbImage board{2, 2, std::vector<std::uint8_t>(12)};
  for (std::size_t i = 0; i < board.rgb.size(); ++i) board.rgb[i] = ((i / 3) % 3 == 0) ? 0 : 200;
  RgbImage grey = ShrinkByArea(board, {1, 1});
  ASSERT_EQ(grey.rgb.size(), 3u);
  EXPECT_EQ(grey.rgb[0], 100);
}

TEST(ThumbnailPixels, PicturesTheCodecCannotReadGiveTheReason) {
  ThumbnailMaker maker;
  const Bytes notAJpeg = {0xFF, 0xD8, 0xFF, 0xD9};
  EXPECT_EQ(maker.FromPicture(notAJpeg, 1).error(), txt::kPictureDamaged);
  EXPECT_EQ(maker.FromPicture({}, 6).error(), txt::kPictureDamaged);
  EXPECT_EQ(maker.UprightEmbedded(notAJpeg, 6).error(), txt::kPictureDamaged);
  EXPECT_EQ(maker.Encode(RgbImage{}).error(), txt::kThumbnailNotEncoded);
  // The first half of a picture: the codec warns and gives what it has, the
  // rest grey; a thumbnail is still made.
  platform::Result<Bytes> picture = maker.Encode(Halves(320, 240));
  ASSERT_TRUE(picture);
  picture->resize(picture->size() / 2);
  platform::Result<Bytes> thumbnail = maker.FromPicture(*picture, 1);
  ASSERT_TRUE(thumbnail);
  EXPECT_FALSE(thumbnail->empty());
}

}  // namespace
