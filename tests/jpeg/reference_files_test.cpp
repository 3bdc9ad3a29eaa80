#include "tests/jpeg/reference_files.h"

#include <gtest/gtest.h>

namespace jpegtest {
namespace {

TEST(ReferenceFiles, ReadsPpmAndPgm) {
  std::string ppm = "P6\n2 1\n255\n";
  ByteVector p(ppm.begin(), ppm.end());
  for (int b : {1, 2, 3, 4, 5, 6}) p.push_back(static_cast<std::uint8_t>(b));
  auto image = ReadPnm(p);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->rgb, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
  std::string pgm = "P5 2 1 255\n";
  ByteVector g(pgm.begin(), pgm.end());
  g.push_back(7);
  g.push_back(8);
  image = ReadPnm(g);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->rgb, (std::vector<std::uint8_t>{7, 7, 7, 8, 8, 8}));
}

}  // namespace
}  // namespace jpegtest
