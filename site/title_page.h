#pragma once
// The title page of a photo: its title and the shooting date cut from its file name.
#include <string>

namespace site {

std::string TitlePagePath(int n);  // "gallery/section/title/tit" + n + ".html"
std::string TitlePageText(int n);  // "\n" line ends

}  // namespace site
