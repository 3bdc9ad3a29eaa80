#pragma once
// The Exif block a photo converted into a JPEG carries (a HEIF photo): its
// directories read through the model and laid out afresh, every offset the
// layout knows fixed up. IFD0, the Exif IFD, the GPS IFD and the
// interoperability IFD keep their entries and values; Orientation becomes 1
// (the picture is stored upright); the Exif IFD's pixel dimensions, when
// present, become the JPEG's; IFD1 holds the new thumbnail. Entries whose
// values are offsets the layout cannot follow (strips, tiles, sub-IFDs, a
// thumbnail of the source) and entries whose values cannot be read are left
// out.
//
// The maker's note may hold offsets of its own, counted from its own start or
// from the TIFF origin: it is kept at the very offset it had, which both kinds
// allow, and the other directories are laid out around it. When it cannot
// stay there (its offset lies inside the TIFF header, or the block would not
// fit into a JPEG's first 64 KiB with it) it is left out, and the result says
// so.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "exif/exif_reader.h"

namespace exif {
// The TIFF structure, placed at byte 12 of the JPEG (after SOI, the APP1
// marker, its length and "Exif\0\0"), must end inside the 65,536 bytes every
// step reads of a photo.
inline constexpr std::size_t kMaxJpegTiffBytes = 65536 - 12;
inline constexpr std::uint16_t kTagMakerNote = 0x927C;
inline constexpr std::uint16_t kTagGpsIfdPointer = 0x8825;
inline constexpr std::uint16_t kTagInteropIfdPointer = 0xA005;
inline constexpr std::uint16_t kTagPixelXDimension = 0xA002;
inline constexpr std::uint16_t kTagPixelYDimension = 0xA003;
}  // namespace exif

struct JpegExif {
  std::vector<std::uint8_t> tiff;  // from the TIFF origin on, in the source's byte order
  bool makerNoteDropped = false;
};

// The TIFF structure inside a HEIF's Exif item: after the item's 4-byte
// big-endian offset, which counts from the end of those 4 bytes. Nothing when
// the offset leads outside the item.
std::optional<std::span<const std::uint8_t>> ExifItemTiff(std::span<const std::uint8_t> item);

// The rewritten block for a picture of width x height with the given
// thumbnail (a JPEG; none when empty). Nothing when the source has no
// readable IFD0, or the block cannot fit even without the maker's note.
// source holds the Exif block found (FindExifBlock or LoadTiffBytes).
std::optional<JpegExif> RewriteExifForJpeg(const ExifReader& source, std::uint32_t width,
                                           std::uint32_t height,
                                           std::span<const std::uint8_t> thumbnail);
