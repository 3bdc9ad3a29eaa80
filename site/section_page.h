#pragma once
// The section page of a photo: the frameset that shows all its other pages.
#include <string>

namespace site {

std::string SectionPagePath(int n);  // "gallery/section/sec" + n + "top.html"
std::string SectionPageText(int n);  // "\n" line ends

}  // namespace site
