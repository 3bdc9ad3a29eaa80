#pragma once
// An ICC profile for pictures described only by their primaries (a HEIF's
// nclx colour description): a version 2 display profile with the primaries'
// colorants adapted to D50 (Bradford) and the sRGB tone curve, so that a
// colour-managed viewer shows the colours a HEIF viewer shows.
#include <cstdint>
#include <vector>

struct Chromaticity {
  double x = 0, y = 0;
};

struct Primaries {
  Chromaticity red, green, blue, white;
};

// Empty when the primaries do not span a colour space (a zero y, say).
std::vector<std::uint8_t> MatrixProfile(const Primaries& primaries);
