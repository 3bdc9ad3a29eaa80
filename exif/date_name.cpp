#include "exif/date_name.h"

#include <algorithm>

std::optional<DateBuffer> ReadShootingDate(const ExifReader& reader) {
  auto entry = reader.DateTimeOriginal();
  // A value that fits in the entry's value field lies there, not at an offset.
  if (!entry || entry->count <= 4) return std::nullopt;
  auto text = reader.Tiff().ValueBytes(*entry);
  if (!text) return std::nullopt;
  DateBuffer date{};
  std::copy_n(text->begin(), std::min(text->size(), kDateBufferSize - 1), date.begin());
  if (!IsDateText(date)) return std::nullopt;
  return date;
}

bool IsDateText(const DateBuffer& date) {
  for (std::size_t pos = 0; pos < kDateTextLength; ++pos) {
    const bool separator = pos % 3 == 1 && pos >= 4;  // 4, 7, 10, 13, 16
    if (separator ? date[pos] == 0 : (date[pos] < '0' || date[pos] > '9')) return false;
  }
  return true;
}

std::string NameFromDate(const DateBuffer& date) {
  DateBuffer text = date;
  for (std::size_t pos : {4, 7, 10, 13, 16}) text[pos] = '_';
  text[19] = 0;
  auto end = std::find(text.begin(), text.end(), std::uint8_t{0});
  return std::string(text.begin(), end) + ".jpg";
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos;
}

bool HasRenamedForm(const std::string& name) {
  return name.size() > 16 && name[13] == '_' && name[16] == '_';
}
