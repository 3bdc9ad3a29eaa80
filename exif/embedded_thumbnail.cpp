#include "exif/embedded_thumbnail.h"

std::span<const std::uint8_t> EmbeddedThumbnail(const ExifReader& reader) {
  auto ifd1 = reader.Ifd1Offset();
  if (!ifd1) return {};
  ExifDirectory table;
  reader.ReadDirectory(*ifd1, table);
  const ExifEntry* start = ExifReader::FindTag(table, exif::kTagThumbnailStart);
  const ExifEntry* length = ExifReader::FindTag(table, exif::kTagThumbnailLength);
  if (!start || !length) return {};
  const auto size = static_cast<std::int32_t>(length->value);
  if (size <= 0 || static_cast<std::uint32_t>(size) > kMaxThumbnailBytes) return {};
  ExifEntry bytes{exif::kTagThumbnailStart, 0, static_cast<std::uint32_t>(size), start->value};
  auto data = reader.ValueBytes(bytes);
  if (!data) return {};
  return *data;
}
