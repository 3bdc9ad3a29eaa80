#include "exif/embedded_thumbnail.h"

std::optional<std::span<const std::uint8_t>> EmbeddedThumbnail(const ExifReader& reader) {
  const ExifDirectory& ifd1 = reader.Ifd1();
  auto start = ExifReader::FindTag(ifd1, exif::kTagThumbnailStart);
  auto length = ExifReader::FindTag(ifd1, exif::kTagThumbnailLength);
  if (!start || !length) return std::nullopt;
  const auto size = static_cast<std::int32_t>(length->value);
  if (size <= 0 || static_cast<std::uint32_t>(size) > kMaxThumbnailBytes) return std::nullopt;
  return reader.Tiff().Bytes(start->value, static_cast<std::uint32_t>(size));
}
