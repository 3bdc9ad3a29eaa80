#include "exif/exif_block.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::uint64_t kPairSearchEnd = 50;  // the pair may start at 0 to 49
constexpr std::uint8_t kExifId[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint64_t kOriginAfterMarker = 10;  // marker, length, "Exif\0\0"
constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kApp1 = 0xE1;

bool ExifIdAt(const PhotoHead& head, std::uint64_t pos) {
  auto id = head.Slice(pos, std::size(kExifId));
  return id && std::equal(id->begin(), id->end(), std::begin(kExifId));
}

std::optional<std::uint64_t> FirstPair(const PhotoHead& head) {
  for (std::uint64_t p = 0; p < kPairSearchEnd; ++p)
    if (head.U8(p) == kMarker && head.U8(p + 1) == kApp1) return p;
  return std::nullopt;
}

// The position of the first APP1 marker whose segment holds "Exif\0\0". Every
// step moves forward by at least one byte, and a position outside the head
// ends the walk.
std::optional<std::uint64_t> WalkToExifSegment(const PhotoHead& head) {
  if (head.U8(0) != kMarker || head.U8(1) != kSoi) return std::nullopt;
  std::uint64_t pos = 2;
  while (head.U8(pos) == kMarker) {
    while (head.U8(pos + 1) == kMarker) ++pos;  // fill bytes before a marker
    auto marker = head.U8(pos + 1);
    if (!marker || *marker == kSos || *marker == kEoi) return std::nullopt;
    auto length = head.Slice(pos + 2, 2);
    if (!length) return std::nullopt;
    const std::uint64_t size = (std::uint64_t{(*length)[0]} << 8) | (*length)[1];
    if (size < 2) return std::nullopt;
    if (*marker == kApp1 && size >= 2 + std::size(kExifId) && ExifIdAt(head, pos + 4)) return pos;
    pos += 2 + size;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> FindTiffOrigin(const PhotoHead& head) {
  auto pair = FirstPair(head);
  if (pair && ExifIdAt(head, *pair + 4)) return *pair + kOriginAfterMarker;
  if (auto segment = WalkToExifSegment(head)) return *segment + kOriginAfterMarker;
  return std::nullopt;
}
