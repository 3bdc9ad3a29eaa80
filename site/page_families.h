#pragma once
// The five pages every photo gets, in the order button ⑤ writes their families.
#include <array>
#include <string>

namespace site {

struct PageFamily {
  std::string (*path)(int n);
  std::string (*text)(int n);
};

// Memo, picture, title, section and navigation pages.
const std::array<PageFamily, 5>& PageFamilies();

}  // namespace site
