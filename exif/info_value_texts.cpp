#include "exif/info_value_texts.h"

std::string CText(std::string_view bytes, std::size_t capacity) {
  std::size_t end = bytes.find('\0');
  if (end == std::string_view::npos) end = bytes.size();
  if (end > capacity) end = capacity;
  return std::string(bytes.substr(0, end));
}

std::string CText(std::span<const std::uint8_t> bytes, std::size_t capacity) {
  return CText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
               capacity);
}
