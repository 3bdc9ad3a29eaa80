#include "picture/jpeg_segments.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kMaxSegmentData = 65535 - 2;  // the length counts its own two bytes
constexpr char kExifId[] = "Exif\0";                // with the array's zero: six bytes
constexpr char kIccId[] = "ICC_PROFILE";            // with the array's zero: twelve bytes
constexpr std::size_t kIccChunk = kMaxSegmentData - sizeof(kIccId) - 2;

void Segment(std::vector<std::uint8_t>& out, std::uint8_t marker, std::size_t length) {
  out.push_back(0xFF);
  out.push_back(marker);
  out.push_back(static_cast<std::uint8_t>((length + 2) >> 8));
  out.push_back(static_cast<std::uint8_t>(length + 2));
}

}  // namespace

std::vector<std::uint8_t> WithExifAndProfile(std::span<const std::uint8_t> jpeg,
                                             std::span<const std::uint8_t> tiff,
                                             std::span<const std::uint8_t> icc) {
  const std::size_t chunks = (icc.size() + kIccChunk - 1) / kIccChunk;
  if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8 ||
      tiff.size() + sizeof(kExifId) > kMaxSegmentData || chunks > 255)
    return {};
  std::size_t rest = 2;
  // The encoder's JFIF segment: an Exif file has none.
  if (jpeg.size() >= 6 && jpeg[2] == 0xFF && jpeg[3] == 0xE0) {
    const std::size_t length = (std::size_t{jpeg[4]} << 8) | jpeg[5];
    if (length >= 2 && 4 + length <= jpeg.size()) rest = 4 + length;
  }
  std::vector<std::uint8_t> out = {0xFF, 0xD8};
  out.reserve(jpeg.size() + tiff.size() + icc.size() + 32 * (chunks + 1));
  Segment(out, 0xE1, sizeof(kExifId) + tiff.size());
  out.insert(out.end(), kExifId, kExifId + sizeof(kExifId));
  out.insert(out.end(), tiff.begin(), tiff.end());
  for (std::size_t c = 0; c < chunks; ++c) {
    const std::span<const std::uint8_t> piece =
        icc.subspan(c * kIccChunk, std::min(kIccChunk, icc.size() - c * kIccChunk));
    Segment(out, 0xE2, sizeof(kIccId) + 2 + piece.size());
    out.insert(out.end(), kIccId, kIccId + sizeof(kIccId));
    out.push_back(static_cast<std::uint8_t>(c + 1));
    out.push_back(static_cast<std::uint8_t>(chunks));
    out.insert(out.end(), piece.begin(), piece.end());
  }
  out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(rest), jpeg.end());
  return out;
}
