#include "exif/date_name.h"

#include <algorithm>

std::optional<DateBuffer> ReadShootingDate(const ExifReader& reader) {
  auto entry = reader.DateTimeOriginal();
  if (!entry) return std::nullopt;
  auto text = reader.Tiff().ValueBytes(*entry);
  if (!text) return std::nullopt;
  DateBuffer date{};
  std::copy_n(text->begin(), std::min(text->size(), kDateBufferSize - 1), date.begin());
  if (date[0] == 0) return std::nullopt;
  return date;
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
