#include "app/link_safe_name.h"

#include <algorithm>
#include <iterator>

#include "app/photo_name_list.h"
#include "texts/app_texts.h"

bool BreaksLinks(const std::string& name) {
  return std::any_of(name.begin(), name.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b >= 0x7F || b == '#' || b == '%' || b == '?' || b == '\\';
  });
}

std::string LinkBreakingNamesMessage(const std::vector<std::string>& names) {
  std::vector<std::string> breaking;
  std::copy_if(names.begin(), names.end(), std::back_inserter(breaking), BreaksLinks);
  if (breaking.empty()) return {};
  return txt::kLinkBreakingNames + PhotoNameList(breaking);
}
