#pragma once
// Text taken from a photo (maker, model, dates, names, maker-note strings) as
// HTML text: a camera may write "<" into its model name, and a crafted file
// could write markup.
#include <string>
#include <string_view>

namespace site {

// "&", "<" and ">" become "&amp;", "&lt;" and "&gt;"; every other byte stays.
// Shift-JIS safe as a byte scan: the second byte of a two-byte character is
// 0x40 or above, so it is never one of these three.
std::string HtmlText(std::string_view bytes);

}  // namespace site
