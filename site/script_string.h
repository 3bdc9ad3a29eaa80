#pragma once
// Camera texts and file names become the body of a double-quoted string in a
// data script. They come from the photos, so any byte may turn up; the script
// must still parse, and no byte may end the string early.
#include <string>
#include <string_view>

namespace site {

// The bytes as the body of a JavaScript string literal, Shift-JIS kept:
// - `"` and `\` get a backslash before them, LF and CR become \n and \r, so
//   the string holds exactly the photo's text;
// - a two-byte Shift-JIS character stays as it is (its second byte may be
//   0x5C, which is then no backslash);
// - a byte that is no Shift-JIS character (a lead byte without a valid second
//   byte, 0xA0, 0xFD to 0xFF) becomes "?": the browser would otherwise pair it
//   with the next byte, or split a pair, and a backslash or quote could come
//   loose.
std::string ScriptStringBody(std::string_view bytes);

}  // namespace site
