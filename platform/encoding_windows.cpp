#include <windows.h>

#include "platform/encoding.h"
#include "platform/wide_text.h"

namespace platform {
namespace {

constexpr UINT kCp932 = 932;

// Windows' CP932 leaves out seven JIS forms that the Linux build's CP932 takes
// as the bytes of their full-width look-alikes, and the yen sign and overline
// it takes as the bytes of "\" and "~" (which Japanese fonts draw as those);
// mapped first, both builds take the same characters with the same bytes.
wchar_t AsWindowsForm(wchar_t c) {
  switch (c) {
    case 0x301C:
      return 0xFF5E;  // 〜 as ～
    case 0x2212:
      return 0xFF0D;  // − as －
    case 0x2016:
      return 0x2225;  // ‖ as ∥
    case 0x00A2:
      return 0xFFE0;  // ¢ as ￠
    case 0x00A3:
      return 0xFFE1;  // £ as ￡
    case 0x00AC:
      return 0xFFE2;  // ¬ as ￢
    case 0x2014:
      return 0x2015;  // — as ―
    case 0x00A5:
      return 0x005C;  // ¥ as the byte 5C
    case 0x203E:
      return 0x007E;  // ‾ as the byte 7E
    default:
      return c;
  }
}

std::size_t Utf8SequenceLength(unsigned char b) {
  if (b < 0x80) return 1;
  if ((b & 0xe0) == 0xc0) return 2;
  if ((b & 0xf0) == 0xe0) return 3;
  if ((b & 0xf8) == 0xf0) return 4;
  return 1;
}

// The CP932 bytes of UTF-16 text, or nothing when a character has none of its
// own (no best fit: a look-alike would change the name).
bool ToCp932(std::wstring_view wide, std::string& out) {
  if (wide.empty()) {
    out.clear();
    return true;
  }
  const int size = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0,
                                    nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return false;
  out.assign(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, nullptr,
                      &usedDefault);
  return !usedDefault;
}

// Single bytes that Windows reads as characters of their own and the Linux
// build's CP932 as invalid.
bool IsUndefinedSingleByte(unsigned char b) { return b == 0x80 || b == 0xA0 || b >= 0xFD; }

bool WellFormed(std::string_view sequence) { return ValidUtf8(sequence) == sequence; }

}  // namespace

Result<std::string> Utf8ToSjis(std::string_view utf8) {
  std::string out;
  std::string bytes;
  // One character at a time, so that the first one CP932 cannot hold (or a
  // malformed byte) is the one named, as the Linux build names it.
  for (std::size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      out += utf8[i++];
      continue;
    }
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    const std::string_view sequence = utf8.substr(i, length);
    if (!WellFormed(sequence)) return Fail(std::string(sequence));
    std::wstring wide = Wide(sequence);
    for (wchar_t& c : wide) c = AsWindowsForm(c);
    if (!ToCp932(wide, bytes)) return Fail(std::string(sequence));
    out += bytes;
    i += length;
  }
  return out;
}

std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() * 3 / 2 + 4);
  wchar_t wide[2];
  for (std::size_t i = 0; i < sjis.size();) {
    const unsigned char b = static_cast<unsigned char>(sjis[i]);
    if (b < 0x80) {
      out += sjis[i++];
      continue;
    }
    const std::size_t length = IsSjisLeadByte(b) && i + 1 < sjis.size() ? 2 : 1;
    const int n = IsUndefinedSingleByte(b)
                      ? 0
                      : MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, sjis.data() + i,
                                            static_cast<int>(length), wide, 2);
    if (n > 0) {
      out += Narrow(std::wstring_view(wide, static_cast<std::size_t>(n)));
      i += length;
    } else {
      // An invalid or cut-off byte sequence: show a replacement and go on.
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

}  // namespace platform
