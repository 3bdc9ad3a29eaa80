#pragma once
// Shift-JIS (CP932) <-> UTF-8. The core keeps every text as Shift-JIS bytes;
// the UI port and the command line speak UTF-8.
#include <string>
#include <string_view>

#include "platform/result.h"

namespace platform {

// The Shift-JIS text; fails with the UTF-8 of the first character CP932
// cannot hold.
Result<std::string> Utf8ToSjis(std::string_view utf8);

// Bytes that are not valid Shift-JIS become U+FFFD; never fails.
std::string SjisToUtf8(std::string_view sjis);

// The text with every byte that is not part of a well-formed UTF-8 character
// (overlong forms and surrogates included) shown as U+FFFD, for output to a
// terminal or log that must stay readable.
std::string ValidUtf8(std::string_view text);

// True when byte b starts a two-byte Shift-JIS character.
constexpr bool IsSjisLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}

}  // namespace platform
