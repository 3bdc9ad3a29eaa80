// Every embedded thumbnail of the sample photos and every cjpeg fixture
// decodes, and agrees with djpeg within pinned figures. Small differences come
// from the colour constants (1.402 / 0.3441 / 0.7139 / 1.7718) and from
// truncating where libjpeg rounds; the larger maxima come from samples beyond
// 0..255 that this decoder converts unclamped, where libjpeg clamps Y, Cb and
// Cr first, so they appear only at pixels with a saturated channel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>

#include "tests/jpeg/decode_helpers.h"
#include "tests/jpeg/reference_files.h"
#include "tests/support/temp_gallery.h"

namespace {

using namespace jpegtest;

struct Figures {
  int max[3];
  double mean[3];
};

// Per picture and channel (red, green, blue): the largest and the mean
// absolute difference to djpeg.
// clang-format off
const std::map<std::string, Figures> kPinned = {
  {"Canon_40D.jpg", {{3, 3, 4}, {1.631, 0.690, 1.898}}},
  {"Canon_DIGITAL_IXUS_400.jpg", {{13, 2, 4}, {1.696, 0.632, 1.789}}},
  {"Canon_PowerShot_S40.jpg", {{7, 6, 5}, {1.721, 0.675, 1.925}}},
  {"Fujifilm_FinePix6900ZOOM.jpg", {{3, 5, 20}, {1.667, 0.692, 1.784}}},
  {"Kodak_CX7530.jpg", {{3, 2, 4}, {1.716, 0.696, 1.854}}},
  {"Nikon_D70.jpg", {{7, 7, 7}, {1.597, 0.678, 1.641}}},
  {"Olympus_C8080WZ.jpg", {{3, 2, 4}, {1.611, 0.722, 1.639}}},
  {"PaintTool_sample.jpg", {{11, 3, 12}, {1.755, 0.620, 1.884}}},
  {"Pentax_K10D.jpg", {{3, 2, 4}, {1.632, 0.680, 1.789}}},
  {"Sony_HDR-HC3.jpg", {{5, 2, 4}, {1.772, 0.643, 1.704}}},
  {"WWL_Polaroid_ION230.jpg", {{3, 2, 4}, {1.601, 0.706, 1.910}}},
  {"long_description.jpg", {{3, 2, 4}, {1.372, 0.690, 2.134}}},
  {"xmp_BlueSquare.jpg", {{11, 11, 17}, {0.246, 0.148, 0.684}}},
  {"s444_64x48.jpg", {{3, 2, 4}, {1.614, 0.657, 1.676}}},
  {"s422_37x23.jpg", {{6, 4, 4}, {1.566, 0.647, 1.778}}},
  {"s440_30x41.jpg", {{3, 2, 4}, {1.557, 0.582, 1.707}}},
  {"s420_160x120.jpg", {{3, 2, 5}, {1.631, 0.628, 1.714}}},
  {"s420_restart1_50x34.jpg", {{3, 3, 4}, {1.616, 0.676, 1.668}}},
  {"s420_restart3_161x121.jpg", {{3, 7, 4}, {1.651, 0.615, 1.698}}},
  {"s444_restart1_17x9.jpg", {{3, 2, 4}, {1.778, 0.595, 1.739}}},
  {"s420_optimized_45x31.jpg", {{4, 11, 4}, {1.542, 0.687, 1.626}}},
  {"s420_1x1.jpg", {{3, 1, 4}, {3.000, 1.000, 4.000}}},
  {"s311_40x20.jpg", {{3, 2, 12}, {1.619, 0.669, 1.728}}},
  {"s_mixed_24x20.jpg", {{3, 2, 4}, {1.469, 0.640, 1.650}}},
  {"grey_33x17.jpg", {{1, 1, 1}, {0.480, 0.480, 0.480}}},
  {"grey_restart1_20x12.jpg", {{1, 1, 1}, {0.512, 0.512, 0.512}}},
  {"grey_restart2rows_24x40.jpg", {{1, 1, 1}, {0.490, 0.490, 0.490}}},
};
// clang-format on

struct Comparison {
  Figures figures{};
  bool sameSize = false;
  // Pixels differing by more than 4 in some channel without any channel of
  // this decoder's pixel at 0 or 255.
  int unexplained = 0;
};

Comparison Compare(const Decoded& ours, const RgbImage& reference) {
  Comparison c;
  c.sameSize = ours.width == reference.width && ours.height == reference.height;
  if (!c.sameSize) return c;
  double sum[3] = {0, 0, 0};
  const std::size_t pixels = std::size_t(ours.width) * std::size_t(ours.height);
  for (std::size_t i = 0; i < pixels; ++i) {
    const int mine[3] = {ours.red[i], ours.green[i], ours.blue[i]};
    bool saturated = false, large = false;
    for (int ch = 0; ch < 3; ++ch) {
      int d = std::abs(mine[ch] - reference.rgb[3 * i + ch]);
      c.figures.max[ch] = std::max(c.figures.max[ch], d);
      sum[ch] += d;
      saturated |= mine[ch] == 0 || mine[ch] == 255;
      large |= d > 4;
    }
    if (large && !saturated) ++c.unexplained;
  }
  for (int ch = 0; ch < 3; ++ch) c.figures.mean[ch] = sum[ch] / double(pixels);
  return c;
}

void CheckAgainstDjpeg(const std::string& name, const ByteVector& jpeg) {
  SCOPED_TRACE(name);
  Decoded ours = DecodeJpeg(jpeg);
  ASSERT_EQ(ours.load, 0);
  ASSERT_EQ(ours.decode, 0);
  ASSERT_TRUE(ours.ok());
  auto reference = DecodeWithDjpeg(jpeg);
  ASSERT_TRUE(reference) << "djpeg could not decode it";
  Comparison c = Compare(ours, *reference);
  ASSERT_TRUE(c.sameSize);
  const Figures& f = c.figures;
  std::printf("  %-30s max %2d %2d %2d  mean %.3f %.3f %.3f\n", name.c_str(), f.max[0], f.max[1],
              f.max[2], f.mean[0], f.mean[1], f.mean[2]);
  EXPECT_EQ(c.unexplained, 0);
  auto pinned = kPinned.find(name);
  ASSERT_NE(pinned, kPinned.end()) << "no pinned figures";
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_LE(f.max[ch], pinned->second.max[ch]) << "channel " << ch;
    EXPECT_LE(f.mean[ch], pinned->second.mean[ch] + 0.0005) << "channel " << ch;
  }
}

#define SKIP_WITHOUT_DJPEG()                                                                  \
  do {                                                                                        \
    if (DjpegPath().empty())                                                                  \
      GTEST_SKIP() << "djpeg is not installed (Debian: apt-get install libjpeg-turbo-progs)"; \
  } while (0)

TEST(DjpegComparison, EverySampleThumbnail) {
  SKIP_WITHOUT_SAMPLES();
  SKIP_WITHOUT_DJPEG();
  auto thumbnails = SampleThumbnails();
  ASSERT_GE(thumbnails.size(), 10u);
  for (const auto& t : thumbnails) CheckAgainstDjpeg(t.photo, t.jpeg);
}

TEST(DjpegComparison, EveryCjpegFixture) {
  SKIP_WITHOUT_DJPEG();
  for (const char* name :
       {"s444_64x48.jpg", "s422_37x23.jpg", "s440_30x41.jpg", "s420_160x120.jpg",
        "s420_restart1_50x34.jpg", "s420_restart3_161x121.jpg", "s444_restart1_17x9.jpg",
        "s420_optimized_45x31.jpg", "s420_1x1.jpg", "s311_40x20.jpg", "s_mixed_24x20.jpg",
        "grey_33x17.jpg", "grey_restart1_20x12.jpg", "grey_restart2rows_24x40.jpg"})
    CheckAgainstDjpeg(name, Fixture(name));
}

TEST(DjpegComparison, FixturesOutsideTheBaselineLayoutsAreRefused) {
  for (const char* name : {"progressive_32x32.jpg", "arithmetic_32x32.jpg", "h4_h2_32x16.jpg"}) {
    Decoded d = DecodeJpeg(Fixture(name));
    EXPECT_EQ(d.load, -2) << name;
  }
}

}  // namespace
