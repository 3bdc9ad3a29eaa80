#include "platform/encoding.h"

namespace platform {
namespace {

std::size_t Utf8SequenceLength(unsigned char b) {
  if (b < 0x80) return 1;
  if ((b & 0xe0) == 0xc0) return 2;
  if ((b & 0xf0) == 0xe0) return 3;
  if ((b & 0xf8) == 0xf0) return 4;
  return 1;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b0 = static_cast<unsigned char>(text[i]);
    const std::size_t length = Utf8SequenceLength(b0);
    // The second byte's range rules out overlong forms, surrogates and code
    // points past U+10FFFF (RFC 3629's table).
    unsigned char low = 0x80, high = 0xbf;
    if (b0 == 0xe0) low = 0xa0;
    if (b0 == 0xed) high = 0x9f;
    if (b0 == 0xf0) low = 0x90;
    if (b0 == 0xf4) high = 0x8f;
    bool ok = b0 < 0x80 || (length > 1 && b0 >= 0xc2 && b0 <= 0xf4 && i + length <= text.size());
    for (std::size_t k = 1; ok && k < length; ++k) {
      const unsigned char b = static_cast<unsigned char>(text[i + k]);
      ok = k == 1 ? b >= low && b <= high : (b & 0xc0) == 0x80;
    }
    if (ok) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

}  // namespace platform
