#pragma once
// The memo page of a photo: its memo in the data colour.
#include <string>

namespace site {

std::string MemoPagePath(int n);  // "gallery/notes/no" + n + ".html"
std::string MemoPageText(int n);  // "\n" line ends

}  // namespace site
