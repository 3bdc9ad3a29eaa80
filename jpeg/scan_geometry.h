#pragma once
// Block and MCU counts of a frame and the size of its colour planes.
#include <cstdint>

struct ScanGeometry {
  std::int32_t blocksH = 0, blocksV = 0;  // 8x8 blocks across and down, rounded up
  std::int32_t mcusH = 0, mcusV = 0;      // MCUs across and down, rounded up
  std::int32_t planeRows = 0;             // mcusV * Vmax * 8: the rows below the image included
  std::uint64_t planeBytes = 0;           // Hmax * Vmax * mcusH * mcusV * 64
};

// Requires hmax and vmax of at least 1.
ScanGeometry ComputeScanGeometry(std::int32_t width, std::int32_t height, std::int32_t hmax,
                                 std::int32_t vmax);

// The largest plane the decoder will allocate. Frames that would need more
// (a 32 KB thumbnail cannot sensibly carry them) are refused, not attempted.
inline constexpr std::uint64_t kMaxPlaneBytes = std::uint64_t{1} << 26;
