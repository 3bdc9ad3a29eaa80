#pragma once
// A page template: fixed lines in which "{N}" stands for the photo number.
#include <cstddef>
#include <span>
#include <string>

namespace site {

// The template's lines joined with "\n" line ends (CR LF once written in text
// mode), every "{N}" replaced by n in decimal without leading zeros.
std::string ExpandTemplate(std::span<const char* const> lines, int n);

}  // namespace site
