#include "jpeg/scan_geometry.h"

ScanGeometry ComputeScanGeometry(std::int32_t width, std::int32_t height, std::int32_t hmax,
                                 std::int32_t vmax) {
  ScanGeometry g;
  g.blocksH = (width + 7) / 8;
  g.blocksV = (height + 7) / 8;
  g.mcusH = (g.blocksH + hmax - 1) / hmax;
  g.mcusV = (g.blocksV + vmax - 1) / vmax;
  g.planeRows = g.mcusV * vmax * 8;
  g.planeBytes = std::uint64_t(hmax) * std::uint64_t(vmax) * std::uint64_t(g.mcusH) *
                 std::uint64_t(g.mcusV) * 64u;
  return g;
}
