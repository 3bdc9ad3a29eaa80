#pragma once
// The picture page of a photo: the photo itself from "Pelvora", scaled to the screen.
#include <string>

namespace site {

std::string PicturePagePath(int n);  // "gallery/section/pic/pic" + n + ".html"
std::string PicturePageText(int n);  // "\n" line ends

}  // namespace site
