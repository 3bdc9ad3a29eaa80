#include "site/script_string.h"

#include "platform/encoding.h"

namespace site {

namespace {
// Whether the bytes decode as one Shift-JIS (CP932) character.
bool IsOneCharacter(std::string_view bytes) {
  std::string utf8 = platform::SjisToUtf8(bytes);
  return !utf8.empty() && utf8.find("\xEF\xBF\xBD") == std::string::npos;
}
}  // namespace

std::string ScriptStringBody(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 8);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (platform::IsSjisLeadByte(b)) {
      if (i + 1 < bytes.size() && IsOneCharacter(bytes.substr(i, 2))) {
        out.append(bytes.substr(i, 2));
        ++i;
      } else {
        out += '?';
      }
    } else if (b == '"' || b == '\\') {
      out += '\\';
      out += static_cast<char>(b);
    } else if (b == '\n') {
      out += "\\n";
    } else if (b == '\r') {
      out += "\\r";
    } else if (b >= 0x80 && !IsOneCharacter(bytes.substr(i, 1))) {
      out += '?';
    } else {
      out += static_cast<char>(b);
    }
  }
  return out;
}

}  // namespace site
