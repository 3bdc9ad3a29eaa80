#pragma once
// The navigation page of a photo: buttons to other photos, the menu and the slide show.
#include <string>

namespace site {

std::string NavigationPagePath(int n);  // "gallery/section/action/action" + n + ".html"
std::string NavigationPageText(int n);  // "\n" line ends

}  // namespace site
