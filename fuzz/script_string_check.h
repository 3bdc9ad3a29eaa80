#pragma once
// Whether bytes form the body of one double-quoted JavaScript string in a
// Shift-JIS page: read character by character as the browser does, no quote
// or line end stands unescaped and no backslash or lead byte is left at the end.
#include <string_view>

#include "platform/encoding.h"

namespace fuzz {

inline bool IsScriptStringBody(std::string_view body) {
  for (std::size_t i = 0; i < body.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(body[i]);
    if (platform::IsSjisLeadByte(b)) {
      if (i + 1 >= body.size()) return false;
      ++i;  // the second byte belongs to the character, whatever it is
    } else if (b == '\\') {
      if (i + 1 >= body.size()) return false;
      ++i;
    } else if (b == '"' || b == '\n' || b == '\r') {
      return false;
    }
  }
  return true;
}

}  // namespace fuzz
