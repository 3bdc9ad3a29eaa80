#pragma once
// A photo's Exif data as every step reads it: the photo's head (its first
// 65,536 bytes, read lazily), the Exif block found in it, and its TIFF
// structure in the file's byte order ("II" little-endian, any other mark
// big-endian). IFD0, the Exif IFD and IFD1 are each decoded at most once per
// photo, the first time a step asks for them; offsets count from the TIFF
// origin. The directory reader and its bounds rules are those of TiffView.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "exif/photo_head.h"
#include "exif/tiff_view.h"

namespace exif {
inline constexpr std::uint16_t kTagOrientation = 0x0112;
inline constexpr std::uint16_t kTagExifIfdPointer = 0x8769;
inline constexpr std::uint16_t kTagDateTimeOriginal = 0x9003;
inline constexpr std::uint16_t kTagThumbnailStart = 0x0201;
inline constexpr std::uint16_t kTagThumbnailLength = 0x0202;
}  // namespace exif

class ExifReader {
 public:
  // Opens the photo and reads the first block of its head. False only when it
  // cannot be opened (or read); the previous photo is forgotten either way.
  bool Load(const std::string& path);
  // Takes the bytes as if read from a file (only the first 65,536 count).
  void LoadBytes(const std::uint8_t* data, std::size_t size);
  // Takes an Exif block that stands alone, its TIFF structure from its origin
  // (a HEIF's Exif item): found at once, its byte order from its first two
  // bytes. False when they are neither "II" nor "MM".
  bool LoadTiffBytes(const std::uint8_t* data, std::size_t size);

  // Finds the Exif block (see exif_block.h); sets the TIFF origin and the
  // byte order.
  bool FindExifBlock();

  // The TIFF structure of the block found: every read of it goes through here.
  const TiffView& Tiff() const { return tiff_; }

  // IFD0, the Exif IFD (from IFD0's last 0x8769 entry) and IFD1 (IFD0's
  // next-directory offset, when not 0): empty when absent or not wholly inside.
  const ExifDirectory& Ifd0() const;
  const ExifDirectory& ExifIfd() const;
  const ExifDirectory& Ifd1() const;

  // The IFD0 offset stored at the origin + 4.
  std::optional<std::uint32_t> Ifd0Offset() const { return tiff_.U32(4); }
  // The value of IFD0's last 0x8769 entry.
  std::optional<std::uint32_t> ExifIfdOffset() const;
  // IFD0's next-directory offset; nothing when IFD0 lies outside or it is 0.
  std::optional<std::uint32_t> Ifd1Offset() const;

  // The shooting date and time: the last 0x9003 entry of the Exif IFD.
  std::optional<ExifEntry> DateTimeOriginal() const;
  // IFD0's Orientation (a SHORT in the value field): 1 to 8, and 1 when it is
  // absent, not a single SHORT, or out of that range.
  std::uint16_t Orientation() const;

  // The lower-level reads of the TIFF structure, as TiffView gives them.
  std::optional<std::uint16_t> ReadU16(std::uint32_t offset) const { return tiff_.U16(offset); }
  std::optional<std::uint32_t> ReadU32(std::uint32_t offset) const { return tiff_.U32(offset); }
  std::optional<std::uint32_t> ReadDirectory(std::uint32_t offset, ExifDirectory& table) const {
    return tiff_.ReadDirectory(offset, table);
  }
  static std::optional<ExifEntry> FindTag(const ExifDirectory& table, std::uint16_t tag) {
    return TiffView::FindTag(table, tag);
  }
  std::optional<std::span<const std::uint8_t>> ValueBytes(const ExifEntry& entry) const {
    return tiff_.ValueBytes(entry);
  }
  std::optional<std::string> ValueText(const ExifEntry& entry) const {
    return tiff_.ValueText(entry);
  }

  bool LittleEndian() const { return tiff_.LittleEndian(); }
  std::size_t TiffOrigin() const { return static_cast<std::size_t>(tiff_.Origin()); }
  // The whole head (reads all of it: for tests and tools, not for the steps).
  std::span<const std::uint8_t> Bytes() const { return head_->All(); }
  // How many bytes of the photo were read so far.
  std::size_t BytesRead() const { return head_->BytesRead(); }

 private:
  // A directory decoded on first use and kept for the rest of the photo.
  struct CachedDirectory {
    bool decoded = false;
    ExifDirectory entries;
    std::optional<std::uint32_t> next;
  };
  void Forget();
  const CachedDirectory& Ifd0Directory() const;

  // On the heap, so that tiff_ still sees it when the reader is moved.
  std::unique_ptr<PhotoHead> head_ = std::make_unique<PhotoHead>();
  TiffView tiff_;
  // Decoding on first use changes what is cached, never what the photo holds.
  mutable CachedDirectory ifd0_, exifIfd_, ifd1_;
};
