#pragma once
// The names of the photos a batch step's message is about, as they follow the
// message: "（a.jpg、b.jpg）"; after ten names, "ほかN件" for the rest.
#include <string>
#include <vector>

inline constexpr std::size_t kMaxNamedPhotos = 10;

// Shift-JIS; the names are the photos' own bytes.
std::string PhotoNameList(const std::vector<std::string>& names);
