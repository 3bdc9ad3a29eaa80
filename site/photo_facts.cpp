#include "site/photo_facts.h"

#include <algorithm>

namespace site {

namespace {
constexpr std::uint16_t kTagModel = 0x0110;
constexpr std::uint32_t kDateBytes = 10;
}  // namespace

std::string ShootingDateText(const ExifReader& reader) {
  auto exifIfd = reader.ExifIfdOffset();
  if (!exifIfd) return "";
  ExifDirectory table;
  reader.ReadDirectory(*exifIfd, table);
  const ExifEntry* entry = ExifReader::FindTag(table, exif::kTagDateTimeOriginal);
  // The whole value must lie inside the bytes read, and so must the ten bytes taken.
  if (!entry || !reader.ValueBytes(*entry)) return "";
  auto bytes = reader.ValueBytes(ExifEntry{entry->tag, entry->type, kDateBytes, entry->value});
  if (!bytes) return "";
  std::string date(bytes->begin(), bytes->end());
  date[4] = '.';
  date[7] = '.';
  return date.substr(0, date.find('\0'));
}

std::string ModelText(const ExifReader& reader) {
  auto ifd0 = reader.Ifd0Offset();
  if (!ifd0) return "";
  ExifDirectory table;
  reader.ReadDirectory(*ifd0, table);
  const ExifEntry* entry = ExifReader::FindTag(table, kTagModel);
  if (!entry) return "";
  return reader.ValueText(*entry).value_or("");
}

}  // namespace site
