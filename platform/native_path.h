#pragma once
// Paths for the standard library's file-system functions. Names are UTF-8
// inside the program; on Windows a std::filesystem::path made from a plain
// std::string would read it in the C runtime's code page instead.
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

std::filesystem::path NativePath(std::string_view utf8);

// The UTF-8 of a path, with "/" between its parts, for messages and for the
// file operations of this layer.
std::string Utf8Path(const std::filesystem::path& path);

}  // namespace platform
