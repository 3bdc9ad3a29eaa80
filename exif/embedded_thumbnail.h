#pragma once
// The small JPEG a camera embeds in IFD1.
#include <cstdint>
#include <optional>
#include <span>

#include "exif/exif_reader.h"

inline constexpr std::uint32_t kMaxThumbnailBytes = 32768;

// The thumbnail's bytes: the last 0x0202 value (taken as signed) of them from
// the last 0x0201 value on. Nothing when there is no usable thumbnail: no IFD1
// (offset 0 or outside), no 0x0201 or 0x0202 entry, a length of 0 or less or
// above 32,768, or bytes not wholly inside those of the photo's head. Call
// after FindExifBlock.
std::optional<std::span<const std::uint8_t>> EmbeddedThumbnail(const ExifReader& reader);
