#include "app/photo_name_list.h"

#include "texts/batch_texts.h"

std::string PhotoNameList(const std::vector<std::string>& names) {
  std::string text = txt::kNamesOpen;
  for (std::size_t i = 0; i < names.size() && i < kMaxNamedPhotos; ++i) {
    if (i > 0) text += txt::kNamesSeparator;
    text += names[i];
  }
  if (names.size() > kMaxNamedPhotos)
    text += txt::kNamesMorePrefix + std::to_string(names.size() - kMaxNamedPhotos) +
            txt::kNamesMoreSuffix;
  return text + txt::kNamesClose;
}
