#include "site/page_template.h"

namespace site {

namespace {

constexpr std::string_view kPlaceholder = "{N}";

void AppendExpanded(std::string& out, std::string_view line, std::string_view number) {
  for (std::size_t hit; (hit = line.find(kPlaceholder)) != std::string_view::npos;) {
    out.append(line.substr(0, hit));
    out.append(number);
    line.remove_prefix(hit + kPlaceholder.size());
  }
  out.append(line);
}

}  // namespace

std::string ExpandLine(std::string_view line, int n) {
  std::string out;
  AppendExpanded(out, line, std::to_string(n));
  return out;
}

std::string ExpandTemplate(std::span<const char* const> lines, int n, std::string_view lineEnd) {
  // Thousands of pages in a row: one buffer, no string per line.
  const std::string number = std::to_string(n);
  std::size_t size = 0;
  for (const char* line : lines) size += std::char_traits<char>::length(line) + lineEnd.size();
  std::string page;
  page.reserve(size + 64);
  for (const char* line : lines) {
    AppendExpanded(page, line, number);
    page.append(lineEnd);
  }
  return page;
}

}  // namespace site
