#pragma once
// The reader every batch step uses to get at a photo's Exif data.
//
// It reads the head of the photo (at most 65,536 bytes), looks for the APP1
// marker pair 0xFF 0xE1 starting at positions 0 to 49 only, takes the TIFF
// origin t ten bytes after it without checking the segment length, the "Exif"
// identifier or the TIFF magic number, and reads "II" at t as little-endian and
// any other pair as big-endian. Offsets are counted from t.
//
// Its quirks are the system's behaviour and stay: an entry's value field is
// always decoded as one 32-bit quantity (a 16-bit value stored in it is the
// low half in a little-endian file, the high half in a big-endian one); value
// bytes are always fetched at t + value, even when count is 4 or less; when a
// tag occurs more than once, the last entry counts.
//
// Bounds: only the bytes actually read exist. Anything that lies wholly or
// partly outside them is missing as a whole and is never read:
// - a 16- or 32-bit value whose bytes are not all inside;
// - a directory whose entry count, or any of whose count entries (all of them,
//   before the cap of 100), lies outside: no entries and no next offset;
// - a value whose count bytes at t + value are not all inside (checked for
//   every one of the count bytes before a caller caps the copy).
// A directory with more than 100 entries: its first 100 are decoded; its
// next-directory offset still follows all of its entries (t + o + 2 + 12 n).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "exif/bounded_bytes.h"

struct ExifEntry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::uint32_t value = 0;
};

using ExifDirectory = std::vector<ExifEntry>;  // at most 100 entries, in file order

namespace exif {
inline constexpr std::size_t kReadBufferSize = 65536;
inline constexpr std::size_t kMaxDirectoryEntries = 100;
inline constexpr std::size_t kExifSearchEnd = 50;  // the pair may start at 0 to 49

inline constexpr std::uint16_t kTagExifIfdPointer = 0x8769;
inline constexpr std::uint16_t kTagDateTimeOriginal = 0x9003;
inline constexpr std::uint16_t kTagThumbnailStart = 0x0201;
inline constexpr std::uint16_t kTagThumbnailLength = 0x0202;
}  // namespace exif

class ExifReader {
 public:
  // Reads the first 65,536 bytes of the file (fewer when it is shorter). False
  // only when it cannot be opened (or read); the previous photo's bytes are
  // gone either way.
  bool Load(const std::string& path);
  // Takes the bytes as if read from a file (only the first 65,536 count).
  void LoadBytes(const std::uint8_t* data, std::size_t size);

  // Finds the Exif block; sets the TIFF origin and the byte order.
  bool FindExifBlock();

  // The value at t + offset in the file's byte order; nothing when outside.
  std::optional<std::uint16_t> ReadU16(std::uint32_t offset) const;
  std::optional<std::uint32_t> ReadU32(std::uint32_t offset) const;

  // Fills the table with the directory at offset (see Bounds above) and
  // returns its next-directory offset. Nothing, and an empty table, when the
  // directory lies wholly or partly outside the bytes read.
  std::optional<std::uint32_t> ReadDirectory(std::uint32_t offset, ExifDirectory& table) const;

  // The last entry of the table with that tag.
  static const ExifEntry* FindTag(const ExifDirectory& table, std::uint16_t tag);

  // The entry's count bytes at t + value; nothing when any of them lies
  // outside. A count of 0 gives an empty value wherever it points.
  std::optional<std::span<const std::uint8_t>> ValueBytes(const ExifEntry& entry) const;

  // The value as a C string: the count bytes, ending at their first zero byte.
  std::optional<std::string> ValueText(const ExifEntry& entry) const;

  // The IFD0 offset stored at t + 4.
  std::optional<std::uint32_t> Ifd0Offset() const;
  // Reads IFD0 and returns the value of its last 0x8769 entry.
  std::optional<std::uint32_t> ExifIfdOffset() const;
  // The next-directory offset of IFD0, read from IFD0's entry count without
  // decoding its entries; nothing when it lies outside or is 0 (no IFD1).
  std::optional<std::uint32_t> Ifd1Offset() const;

  bool LittleEndian() const { return littleEndian_; }
  std::size_t TiffOrigin() const { return origin_; }
  std::span<const std::uint8_t> Bytes() const { return bytes_.all(); }

 private:
  // Made ready for the next photo: nothing read yet, no block found.
  void Reset();
  // Makes the first size bytes of the buffer the photo's bytes.
  void Show(std::size_t size);

  // The read buffer, allocated once and reused photo after photo; only the
  // bytes of the current photo are visible, through bytes_.
  std::unique_ptr<std::uint8_t[]> buffer_;
  BoundedBytes bytes_;
  std::size_t origin_ = 0;
  bool littleEndian_ = false;
};
