#include <iconv.h>

#include <cerrno>

#include "platform/encoding.h"

namespace platform {
namespace {

// A converter opened once per direction and thread, and closed when the
// thread ends: opening one looks up and loads the code page's tables, which
// costs far more than converting the short texts of a label or an edit.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Ready for a new text: back in the initial shift state.
  iconv_t Start() const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return cd_;
  }

 private:
  iconv_t cd_;
};

const Converter& ToSjis() {
  thread_local const Converter conv("CP932", "UTF-8");
  return conv;
}

const Converter& FromSjis() {
  thread_local const Converter conv("UTF-8", "CP932");
  return conv;
}

size_t Utf8SequenceLength(unsigned char b) {
  if (b < 0x80) return 1;
  if ((b & 0xe0) == 0xc0) return 2;
  if ((b & 0xf0) == 0xe0) return 3;
  if ((b & 0xf8) == 0xf0) return 4;
  return 1;
}

}  // namespace

Result<std::string> Utf8ToSjis(std::string_view utf8) {
  const Converter& conv = ToSjis();
  if (!conv.valid()) return Fail("");
  iconv_t cd = conv.Start();
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
    size_t len = inLeft ? Utf8SequenceLength(static_cast<unsigned char>(*in)) : 0;
    return Fail(std::string(in, len < inLeft ? len : inLeft));
  }
  out.resize(out.size() - outLeft);
  return out;
}

std::string SjisToUtf8(std::string_view sjis) {
  const Converter& conv = FromSjis();
  std::string result;
  if (!conv.valid()) return result;
  iconv_t cd = conv.Start();
  result.reserve(sjis.size() * 3 / 2 + 4);
  char* in = const_cast<char*>(sjis.data());
  size_t inLeft = sjis.size();
  char buf[256];
  while (inLeft > 0) {
    char* outPtr = buf;
    size_t outLeft = sizeof buf;
    size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    result.append(buf, static_cast<size_t>(outPtr - buf));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      // An invalid or cut-off byte sequence: show a replacement and go on.
      result += "\xEF\xBF\xBD";
      ++in;
      --inLeft;
    }
  }
  return result;
}

}  // namespace platform
