#pragma once
// A page template: fixed lines in which "{N}" stands for the photo number.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace site {

// The line with every "{N}" replaced by n in decimal without leading zeros.
std::string ExpandLine(std::string_view line, int n);

// The template's lines expanded and joined with "\n" line ends (CR LF once
// written in text mode).
std::string ExpandTemplate(std::span<const char* const> lines, int n);

}  // namespace site
