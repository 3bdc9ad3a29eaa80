#pragma once
// Where a photo's Exif block lies. First the rule the system was built with:
// the first 0xFF 0xE1 pair starting at positions 0 to 49, whose TIFF origin is
// ten bytes after it, the segment length and the TIFF header unchecked — as
// long as "Exif\0\0" follows the segment length. Otherwise the JPEG segments
// are walked from the start of the file (SOI, then each marker, after any fill
// bytes, with its 2-byte length), within the bytes of the photo's head, up to
// SOS or EOI or a segment that leaves them, and the first APP1 segment whose
// data starts with "Exif\0\0" is the block. Today's photos put it after a
// JFIF, ICC-profile or Photoshop segment.
#include <cstdint>
#include <optional>

#include "exif/photo_head.h"

// The TIFF origin's position in the head; nothing when there is no Exif block.
std::optional<std::uint64_t> FindTiffOrigin(const PhotoHead& head);
