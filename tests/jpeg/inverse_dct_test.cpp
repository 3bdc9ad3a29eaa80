#include "jpeg/inverse_dct.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "jpeg/colour_conversion.h"

namespace {

// The direct sum written out plainly, every term included.
void ReferenceInverseDct(const std::int32_t* f, std::int32_t* out, int precision) {
  const double f0 = 1 / 1.41421356;
  double c[8][8];
  for (int u = 0; u < 8; ++u)
    for (int x = 0; x < 8; ++x) c[u][x] = std::cos((2 * x + 1) * u * 0.196349540625);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      double sum = 0.0;
      for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u)
          sum += f[v * 8 + u] * c[u][x] * c[v][y] * (u == 0 ? f0 : 1.0) * (v == 0 ? f0 : 1.0);
      out[y * 8 + x] = static_cast<std::int32_t>(0.25 * sum + (precision == 8 ? 128 : 2048));
    }
  }
}

TEST(InverseDct, DcOnlyBlocksGiveTheTruncatedLevels) {
  const CosineTable cosine = MakeCosineTable();
  struct Case {
    std::int32_t dc;
    std::int32_t sample;
  };
  // 0.25 * -8 * f0 * f0 + 128 = 126.9999999966, truncated toward zero.
  for (Case c : {Case{-8, 126}, Case{8, 129}, Case{0, 128}, Case{-2048, -128}}) {
    std::int32_t f[64] = {c.dc};
    std::int32_t s[64];
    InverseDct(cosine, f, s, 8);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(s[i], c.sample) << "DC " << c.dc << " sample " << i;
  }
}

// Skipping the zero terms must not change a single result: random sparse and
// dense blocks agree exactly with the plain 64-term sum.
TEST(InverseDct, MatchesThePlainSumExactly) {
  const CosineTable cosine = MakeCosineTable();
  std::mt19937 rng(6);
  std::uniform_int_distribution<int> value(-1024, 1023), position(0, 63), density(0, 64);
  for (int block = 0; block < 2000; ++block) {
    std::int32_t f[64] = {};
    for (int n = density(rng); n > 0; --n) f[position(rng)] = value(rng);
    std::int32_t got[64], want[64];
    InverseDct(cosine, f, got, 8);
    ReferenceInverseDct(f, want, 8);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(got[i], want[i]) << "block " << block << " at " << i;
  }
}

TEST(InverseDct, SamplesAreNotClamped) {
  const CosineTable cosine = MakeCosineTable();
  std::int32_t f[64] = {2000};
  std::int32_t s[64];
  InverseDct(cosine, f, s, 8);
  EXPECT_EQ(s[0], 378);  // 0.25 * 2000 * 0.5 + 128, not 255
}

TEST(InverseDct, HugeCoefficientsSaturateInsteadOfOverflowing) {
  const CosineTable cosine = MakeCosineTable();
  std::int32_t f[64];
  for (std::int32_t& v : f) v = 2147483647;
  std::int32_t s[64];
  InverseDct(cosine, f, s, 8);
  EXPECT_EQ(s[0], 2147483647);
}

TEST(ColourConversion, WorkedExample) {
  Rgb rgb = YCbCrToRgb(100, 150, 90);
  EXPECT_EQ(rgb.red, 46);
  EXPECT_EQ(rgb.green, 119);
  EXPECT_EQ(rgb.blue, 138);
}

TEST(ColourConversion, GreyStaysGreyAndExtremesClamp) {
  for (int y : {0, 1, 127, 128, 254, 255}) {
    Rgb rgb = YCbCrToRgb(y, 128, 128);
    EXPECT_EQ(rgb.red, y);
    EXPECT_EQ(rgb.green, y);
    EXPECT_EQ(rgb.blue, y);
  }
  Rgb low = YCbCrToRgb(-500, 128, 128);
  EXPECT_EQ(low.red, 0);
  Rgb high = YCbCrToRgb(500, 128, 128);
  EXPECT_EQ(high.blue, 255);
  Rgb extreme = YCbCrToRgb(0, -2147483647 - 1, 2147483647);
  EXPECT_EQ(extreme.red, 255);
  EXPECT_EQ(extreme.blue, 0);
}

}  // namespace
