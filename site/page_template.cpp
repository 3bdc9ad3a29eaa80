#include "site/page_template.h"

#include <string_view>

namespace site {

std::string ExpandTemplate(std::span<const char* const> lines, int n) {
  constexpr std::string_view kPlaceholder = "{N}";
  const std::string number = std::to_string(n);
  std::string page;
  for (const char* line : lines) {
    std::string_view rest = line;
    for (std::size_t hit; (hit = rest.find(kPlaceholder)) != std::string_view::npos;) {
      page.append(rest.substr(0, hit));
      page.append(number);
      rest.remove_prefix(hit + kPlaceholder.size());
    }
    page.append(rest);
    page += '\n';
  }
  return page;
}

}  // namespace site
