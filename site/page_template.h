#pragma once
// A page template: fixed lines in which "{N}" stands for the photo number.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace site {

// The line with every "{N}" replaced by n in decimal without leading zeros.
std::string ExpandLine(std::string_view line, int n);

// The template's lines expanded, each ended by lineEnd ("\n", or "\r\n" for
// the bytes of the file).
std::string ExpandTemplate(std::span<const char* const> lines, int n,
                           std::string_view lineEnd = "\n");

}  // namespace site
