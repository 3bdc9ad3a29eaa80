#include "site/page_template.h"

namespace site {

std::string ExpandLine(std::string_view line, int n) {
  constexpr std::string_view kPlaceholder = "{N}";
  const std::string number = std::to_string(n);
  std::string out;
  for (std::size_t hit; (hit = line.find(kPlaceholder)) != std::string_view::npos;) {
    out.append(line.substr(0, hit));
    out.append(number);
    line.remove_prefix(hit + kPlaceholder.size());
  }
  out.append(line);
  return out;
}

std::string ExpandTemplate(std::span<const char* const> lines, int n) {
  std::string page;
  for (const char* line : lines) {
    page += ExpandLine(line, n);
    page += '\n';
  }
  return page;
}

}  // namespace site
