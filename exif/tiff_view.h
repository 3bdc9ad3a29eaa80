#pragma once
// The TIFF structure of a photo's Exif block: the photo's head seen from the
// TIFF origin on, in one byte order. It holds the one directory reader that
// IFD0, the Exif IFD, IFD1 and the maker's note are all read with, and every
// bounds rule of reading them.
//
// Its quirks are the system's behaviour and stay: an entry's value field is
// always decoded as one 32-bit quantity (a 16-bit value stored in it is the
// low half in a little-endian file, the high half in a big-endian one); value
// bytes are always fetched at the origin + value, even when count is 4 or
// less; when a tag occurs more than once, the last entry counts.
//
// Bounds: only the bytes of the photo's head exist. Anything that lies wholly
// or partly outside them is missing as a whole and is never read:
// - a 16- or 32-bit value whose bytes are not all inside;
// - a directory whose entry count, or any of whose count entries (all of them,
//   before the cap of 100), lies outside: no entries and no next offset;
// - a value whose count bytes are not all inside (checked for every one of
//   the count bytes before a caller caps the copy).
// A directory with more than 100 entries: its first 100 are decoded; its
// next-directory offset still follows all of its entries (o + 2 + 12 n).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "exif/photo_head.h"

struct ExifEntry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::uint32_t value = 0;
};

using ExifDirectory = std::vector<ExifEntry>;  // at most 100 entries, in file order

namespace exif {
inline constexpr std::size_t kMaxDirectoryEntries = 100;
}  // namespace exif

class TiffView {
 public:
  TiffView() = default;  // no bytes at all
  TiffView(const PhotoHead& head, std::uint64_t origin, bool littleEndian)
      : head_(&head), origin_(origin), littleEndian_(littleEndian) {}

  bool LittleEndian() const { return littleEndian_; }
  std::uint64_t Origin() const { return origin_; }
  // The same bytes read in another byte order (the maker's note is always
  // little-endian).
  TiffView InByteOrder(bool littleEndian) const { return {*head_, origin_, littleEndian}; }

  // The bytes [offset, offset + length) from the origin; nothing when any of
  // them lies outside.
  std::optional<std::span<const std::uint8_t>> Bytes(std::uint64_t offset,
                                                     std::uint64_t length) const;
  std::optional<std::uint16_t> U16(std::uint64_t offset) const;
  std::optional<std::uint32_t> U32(std::uint64_t offset) const;

  // Fills the table with the directory at offset (see Bounds above) and
  // returns its next-directory offset. Nothing, and an empty table, when the
  // directory lies wholly or partly outside the bytes read.
  std::optional<std::uint32_t> ReadDirectory(std::uint32_t offset, ExifDirectory& table) const;

  // The last entry of the table with that tag.
  static std::optional<ExifEntry> FindTag(const ExifDirectory& table, std::uint16_t tag);

  // The entry's count bytes at its value; nothing when any of them lies
  // outside. A count of 0 gives an empty value wherever it points.
  std::optional<std::span<const std::uint8_t>> ValueBytes(const ExifEntry& entry) const;
  // The value as a C string: the count bytes, ending at their first zero byte.
  std::optional<std::string> ValueText(const ExifEntry& entry) const;

 private:
  const PhotoHead* head_ = nullptr;
  std::uint64_t origin_ = 0;
  bool littleEndian_ = false;
};
