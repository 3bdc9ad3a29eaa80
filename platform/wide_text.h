#pragma once
// Windows only: names are UTF-8 inside the program and UTF-16 at the API.
#include <string>
#include <string_view>

namespace platform {

// The UTF-16 of a UTF-8 text (a malformed byte becomes U+FFFD), with every
// "/" turned into "\", the separator every Windows API takes.
std::wstring WidePath(std::string_view utf8);

// The UTF-16 of a UTF-8 text, unchanged otherwise.
std::wstring Wide(std::string_view utf8);

// The UTF-8 of a UTF-16 text.
std::string Narrow(std::wstring_view utf16);

}  // namespace platform
