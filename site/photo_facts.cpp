#include "site/photo_facts.h"

#include <algorithm>

namespace site {

namespace {
constexpr std::uint16_t kTagModel = 0x0110;
constexpr std::uint32_t kDateBytes = 10;
}  // namespace

std::string ShootingDateText(const ExifReader& reader) {
  auto entry = reader.DateTimeOriginal();
  // The whole value must lie inside the bytes read, and so must the ten bytes taken.
  if (!entry || !reader.Tiff().ValueBytes(*entry)) return "";
  auto bytes = reader.Tiff().Bytes(entry->value, kDateBytes);
  if (!bytes) return "";
  std::string date(bytes->begin(), bytes->end());
  date[4] = '.';
  date[7] = '.';
  return date.substr(0, date.find('\0'));
}

std::string ModelText(const ExifReader& reader) {
  auto entry = ExifReader::FindTag(reader.Ifd0(), kTagModel);
  if (!entry) return "";
  return reader.Tiff().ValueText(*entry).value_or("");
}

}  // namespace site
