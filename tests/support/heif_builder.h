#pragma once
// Writes HEIF photos through libheif's encoder, for tests: an upright
// picture of four coloured quarters (see kQuarterColours) stored so that the
// given orientation makes it upright again, either as irot/imir boxes (what
// iPhones write) or as the Exif tag alone (some Android phones).
#include <array>
#include <cstdint>
#include <vector>

namespace fixture {

struct Rgb {
  std::uint8_t r, g, b;
};
// Top left, top right, bottom left, bottom right of the upright picture.
inline constexpr std::array<Rgb, 4> kQuarterColours = {
    {{220, 30, 30}, {30, 200, 30}, {30, 30, 220}, {230, 230, 40}}};

struct HeifRecipe {
  int width = 128;  // upright
  int height = 96;
  int orientation = 1;
  bool orientationAsBoxes = true;      // false: the stored picture needs the Exif tag's turn
  std::vector<std::uint8_t> exifTiff;  // empty: no Exif item
  std::vector<std::uint8_t> icc;       // empty: libheif's nclx (sRGB)
};

std::vector<std::uint8_t> BuildHeif(const HeifRecipe& recipe);

}  // namespace fixture
