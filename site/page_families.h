#pragma once
// The five pages every photo gets, as one table of path pattern and template,
// in the order button ⑤ writes their families.
#include <array>
#include <span>
#include <string>

namespace site {

struct PageFamily {
  const char* pathPattern;             // the page's file, "{N}" standing for the photo number
  std::span<const char* const> lines;  // its template (texts/site.txt)

  std::string path(int n) const;
  std::string text(int n) const;   // "\n" line ends
  std::string bytes(int n) const;  // the file's bytes: CR LF line ends
};

// Memo, picture, title, section and navigation pages.
const std::array<PageFamily, 5>& PageFamilies();

}  // namespace site
