#include "app/annotation_text.h"

#include <cstdio>

#include "app/line_rules.h"
#include "platform/encoding.h"
#include "texts/editor_texts.h"

namespace annotation {
namespace {

std::string Prefix(Field field, int n) {
  switch (field) {
    case Field::kTheme:
      return lines::SubjectPrefix();
    case Field::kTitle:
      return lines::TitlePrefix(n);
    case Field::kMemo:
      break;
  }
  return lines::MemoPrefix(n);
}

std::size_t BufferSize(Field field) {
  return field == Field::kMemo ? lines::kMemoLineSize : lines::kLineSize;
}

const char* FieldName(Field field) {
  switch (field) {
    case Field::kTheme:
      return txt::kFieldTheme;
    case Field::kTitle:
      return txt::kFieldTitle;
    case Field::kMemo:
      break;
  }
  return txt::kFieldMemo;
}

// The code point of one UTF-8 sequence, or -1 when the bytes are not one.
long DecodeUtf8(const std::string& bytes) {
  if (bytes.empty()) return -1;
  unsigned char b0 = static_cast<unsigned char>(bytes[0]);
  std::size_t length = b0 < 0x80             ? 1
                       : (b0 & 0xe0) == 0xc0 ? 2
                       : (b0 & 0xf0) == 0xe0 ? 3
                       : (b0 & 0xf8) == 0xf0 ? 4
                                             : 0;
  if (length == 0 || length != bytes.size()) return -1;
  long cp = length == 1 ? b0 : b0 & (0x7f >> length);
  for (std::size_t i = 1; i < length; ++i) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if ((b & 0xc0) != 0x80) return -1;
    cp = (cp << 6) | (b & 0x3f);
  }
  // An overlong form (C0 AF for "/"), a surrogate or a code point past
  // U+10FFFF is no character: it must not pass for the one it imitates.
  static constexpr long kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kShortest[length] || (cp >= 0xd800 && cp <= 0xdfff) || cp > 0x10ffff) return -1;
  return cp;
}

// "0xC0 0xAF": bytes that are no UTF-8 character, shown by their values only.
std::string HexBytes(const std::string& bytes) {
  std::string out;
  char code[8];
  for (unsigned char b : bytes) {
    std::snprintf(code, sizeof code, out.empty() ? "0x%02X" : " 0x%02X", b);
    out += code;
  }
  return out;
}

// "X」（U+XXXX" for the refused character; an invisible or broken one shows
// only its code.
std::string DescribeCharacter(const std::string& utf8Char) {
  char code[24];
  long cp = DecodeUtf8(utf8Char);
  std::string shown;
  if (cp < 0) {
    std::snprintf(code, sizeof code, "0x%02X",
                  utf8Char.empty() ? 0u : static_cast<unsigned char>(utf8Char[0]));
  } else {
    std::snprintf(code, sizeof code, "U+%04lX", cp);
    if (cp >= 0x20 && cp != 0x7f) shown = utf8Char;
  }
  return shown + platform::SjisToUtf8(txt::kBadCharCode) + code;
}

}  // namespace

std::size_t MaxValueBytes(Field field, int photoNumber) {
  // The line, its closing quote, semicolon and "\n", and the terminating zero.
  return BufferSize(field) - 1 - Prefix(field, photoNumber).size() - 3;
}

platform::Result<std::string> ComposeFromEdit(Field field, const std::string& utf8,
                                              int photoNumber) {
  const std::string fieldName = platform::SjisToUtf8(FieldName(field));
  platform::Result<std::string> sjis = platform::Utf8ToSjis(utf8);
  std::string badChar = sjis.error();
  // A zero byte would end the stored line early, cutting off its closing quote.
  if (sjis && sjis->find('\0') != std::string::npos) {
    sjis = platform::Fail("");
    badChar = std::string(1, '\0');
  }
  if (!sjis && !badChar.empty() && DecodeUtf8(badChar) < 0) {
    return platform::Fail(fieldName + platform::SjisToUtf8(txt::kBadBytesHead) + HexBytes(badChar) +
                          platform::SjisToUtf8(txt::kBadBytesTail));
  }
  if (!sjis) {
    return platform::Fail(fieldName + platform::SjisToUtf8(txt::kBadCharHead) +
                          DescribeCharacter(badChar) + platform::SjisToUtf8(txt::kBadCharTail));
  }

  const std::string prefix = Prefix(field, photoNumber);
  std::string line =
      field == Field::kMemo ? lines::ComposeMemo(prefix, *sjis) : lines::Compose(prefix, *sjis);
  if (line.size() > BufferSize(field) - 1) {
    std::size_t valueBytes = line.size() - prefix.size() - 3;
    return platform::Fail(fieldName + platform::SjisToUtf8(txt::kTooLongHead) +
                          std::to_string(valueBytes) + platform::SjisToUtf8(txt::kTooLongLimit) +
                          std::to_string(MaxValueBytes(field, photoNumber)) +
                          platform::SjisToUtf8(txt::kTooLongTail));
  }
  return line;
}

}  // namespace annotation
