// The texts of the standard Exif values, from the numbers the photo stores.
#include "exif/exif_value_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/encoding.h"

namespace {

std::string Utf8(const std::string& sjis) { return platform::SjisToUtf8(sjis); }

struct NumberCase {
  double value;
  const char* text;  // UTF-8; "" for no text
};

TEST(ExifValueTexts, ExposureTime) {
  const double inf = std::numeric_limits<double>::infinity();
  const NumberCase cases[] = {
      {1.0 / 250, "1/250秒"}, {0.25, "1/4秒"},      // a quarter second is still a fraction
      {1.0 / 3, "0.3"},                             // just above it is printed without unit
      {0.3, "0.3"},           {0.0066, "1/152秒"},  // 151.5 rounds half up
      {1.0 / 160, "1/160秒"}, {1.0, "1.0"},        {2.5, "2.5"}, {2.25, "2.3"}, {3.94, "3.9"},
      {3.96, "4秒"},                                              // one-decimal rounding reaches 4
      {4.0, "4秒"},           {4.4, "4秒"},        {4.6, "5秒"},  // whole seconds round half up
      {30.0, "30秒"},         {0.0, ""},           {-0.5, ""},   {-0.0, ""},    {inf, ""},
      {std::nan(""), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(exif_text::ExposureTime(c.value)), c.text) << c.value;
}

TEST(ExifValueTexts, HugeCountsPrintTheExactIntegerNotACast) {
  // 1 / 2^-100 seconds: 2^100, which no integer type holds.
  EXPECT_EQ(Utf8(exif_text::ShutterSpeed(100)), "1/1267650600228229401496703205376秒");
  EXPECT_EQ(exif_text::HalfUpWhole(std::ldexp(1.0, 80)), "1208925819614629174706176");
  EXPECT_EQ(exif_text::FocalLength(4294967295.0), "4294967295mm");
}

TEST(ExifValueTexts, ShutterSpeedIsTheTimeOfOneOverTwoToTheValue) {
  const NumberCase cases[] = {
      {8, "1/256秒"}, {0, "1.0"},  {2, "1/4秒"},
      {-2, "4秒"},    {-1, "2.0"}, {287.0 / 32, "1/501秒"},  // a real camera's 8.97
      {5000, ""},                                            // 2^5000 is infinite: the time is 0
      {-5000, ""},                                           // and here infinitely long
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(exif_text::ShutterSpeed(c.value)), c.text) << c.value;
}

TEST(ExifValueTexts, FNumberApertureCompression) {
  EXPECT_EQ(exif_text::FNumber(28.0 / 10), "F2.8");
  EXPECT_EQ(exif_text::FNumber(71.0 / 10), "F7.1");
  EXPECT_EQ(exif_text::FNumber(2.25), "F2.3");
  EXPECT_EQ(exif_text::FNumber(2.24), "F2.2");
  EXPECT_EQ(exif_text::Aperture(5), "F5.7");
  EXPECT_EQ(exif_text::Aperture(0), "F1.0");
  EXPECT_EQ(exif_text::Aperture(149.0 / 32), "F5.0");
  EXPECT_EQ(exif_text::Aperture(4294967295.0), "");  // (√2)^v beyond any double
  EXPECT_EQ(exif_text::Compression(2), "Fine(2.0)");
  EXPECT_EQ(exif_text::Compression(3), "Fine(3.0)");
  EXPECT_EQ(exif_text::Compression(5), "Normal(5.0)");
  EXPECT_EQ(exif_text::Compression(3.2), "Normal(3.2)");
}

TEST(ExifValueTexts, ExposureBiasCarriesItsSign) {
  const NumberCase cases[] = {
      {-2.0 / 3, "EV-0.7"}, {2.0 / 3, "EV+0.7"}, {-1.0 / 3, "EV-0.3"},
      {0.0 / 3, "EV±0.0"},  {-0.0, "EV±0.0"},  // 0 over a negative denominator
      {1.0, "EV+1.0"},      {-2.0, "EV-2.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(exif_text::ExposureBias(c.value)), c.text) << c.value;
}

TEST(ExifValueTexts, DistanceAndFocalLength) {
  EXPECT_EQ(exif_text::SubjectDistance(3.0 / 2), "1.50m");
  EXPECT_EQ(exif_text::SubjectDistance(1.235), "1.24m");
  EXPECT_EQ(exif_text::SubjectDistance(-0.5), "-0.50m");
  EXPECT_EQ(exif_text::FocalLength(50), "50mm");
  EXPECT_EQ(exif_text::FocalLength(349.0 / 10), "34mm");    // 34.9 keeps its integer part
  EXPECT_EQ(exif_text::FocalLength(3496.0 / 100), "35mm");  // 34.96 rounds to 35.0
  EXPECT_EQ(exif_text::FocalLength(682.0 / 32), "21mm");
}

TEST(ExifValueTexts, MeteringModeTable) {
  struct Case {
    std::uint32_t mode;
    const char* text;
  } cases[] = {
      {0, "不明"},     {1, "平均測光"},     {2, "中央重点"},
      {3, "スポット"}, {4, "多点スポット"}, {5, "マルチセグメント"},
      {6, "部分測光"}, {255, "その他"},     {7, ""},
      {256, ""},       {0xFFFFFFFF, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(exif_text::MeteringMode(c.mode)), c.text) << c.mode;
}

TEST(ExifValueTexts, ExifVersionFromTheStoredBytes) {
  struct Case {
    std::array<std::uint8_t, 4> bytes;
    const char* text;
  } cases[] = {
      {{'0', '2', '2', '0'}, "2.2"},
      {{'0', '2', '1', '0'}, "2.1"},
      {{'0', '2', '2', '1'}, "2.21"},
      {{'0', '1', '0', '0'}, "1.0"},
      {{'1', '2', '3', '4'}, "12.34"},
      {{'0', '2', '3', 0}, "2.3"},
      {{'0', 0, '2', '0'}, ""},  // the text ends at its first zero byte
      {{0, 0, 0, 0}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(exif_text::ExifVersion(c.bytes), c.text) << c.text;
}

TEST(ExifValueTexts, DatesGetSlashesWhereTheStringHasTheBytes) {
  EXPECT_EQ(exif_text::DateTime("2003:08:03 09:05:00"), "2003/08/03 09:05:00");
  EXPECT_EQ(exif_text::DateTime(std::string("2003:08:03\0junk", 15)), "2003/08/03");
  EXPECT_EQ(exif_text::DateTime("2003:0"), "2003/0");
  EXPECT_EQ(exif_text::DateTime("2003"), "2003");
  EXPECT_EQ(exif_text::DateTime(""), "");
}

TEST(ExifValueTexts, IntegersAreSigned32Bit) {
  EXPECT_EQ(exif_text::Integer(200), "200");
  EXPECT_EQ(exif_text::Integer(0), "0");
  EXPECT_EQ(exif_text::Integer(-1), "-1");
}

}  // namespace
