#include "app/line_rules.h"

#include "platform/encoding.h"

namespace lines {

std::string SubjectPrefix() { return "var subjectName=\""; }
std::string TitlePrefix(int n) { return "titleName[" + std::to_string(n) + "]=\""; }
std::string MemoPrefix(int n) { return "note[" + std::to_string(n) + "]=\""; }

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    std::size_t hit = text.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (platform::IsSjisLeadByte(c) && i + 1 < text.size()) {
      out += text[i];
      out += text[++i];
      continue;
    }
    if (c == '"' || c == '\\') out += '\\';
    out += text[i];
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (platform::IsSjisLeadByte(c) && i + 1 < text.size()) {
      out += text[i];
      out += text[++i];
      continue;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) ++i;
    out += text[i];
  }
  return out;
}

std::string Compose(const std::string& prefix, std::string_view value) {
  return prefix + Escape(value) + "\";\n";
}

std::string ComposeMemo(const std::string& prefix, std::string_view memo) {
  return ReplaceAll(Compose(prefix, memo), "\r\n", "<br>");
}

std::string ComposeColour(const std::string& prefix, std::string_view value) {
  return prefix + std::string(value) + "\";\n";
}

std::string ExtractColour(std::string_view line, std::size_t prefixLength) {
  if (line.size() < prefixLength + 3) return "";
  return std::string(line.substr(prefixLength, line.size() - prefixLength - 3));
}

std::string Extract(std::string_view line, std::size_t prefixLength) {
  return Unescape(ExtractColour(line, prefixLength));
}

std::string ExtractMemo(std::string_view line, std::size_t prefixLength) {
  return ReplaceAll(Extract(line, prefixLength), "<br>", "\r\n");
}

std::string Normalise(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 1);
  for (char c : line)
    if (c != '\r' && c != '\n') out += c;
  out += '\n';
  return out;
}

namespace {

bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7e) || (b >= 0x80 && b <= 0xfc); }

bool IsStringBody(std::string_view body) {
  for (std::size_t i = 0; i < body.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(body[i]);
    if (b == '"' || b == '\r' || b == '\n' || b == '\0') return false;
    if (platform::IsSjisLeadByte(b)) {
      // A lead byte pairs with the next byte only when that can be a second
      // byte; otherwise the browser reads the next byte alone (a quote would end the string).
      if (i + 1 >= body.size() || !IsTrailByte(static_cast<unsigned char>(body[i + 1])))
        return false;
      ++i;
    } else if (b == '\\') {
      if (i + 1 >= body.size()) return false;
      const unsigned char next = static_cast<unsigned char>(body[i + 1]);
      if (next == 'x' || next == 'u' || (next >= '0' && next <= '9') || next == '\r' ||
          next == '\n' || next == '\0')
        return false;
      // An escaped lead byte takes its second byte with it.
      if (!platform::IsSjisLeadByte(next)) ++i;
    }
  }
  return true;
}

}  // namespace

bool HasValueForm(std::string_view line, std::string_view prefix) {
  constexpr std::string_view kEnd = "\";";
  if (line.size() < prefix.size() + kEnd.size()) return false;
  if (line.substr(0, prefix.size()) != prefix) return false;
  if (line.substr(line.size() - kEnd.size()) != kEnd) return false;
  return IsStringBody(line.substr(prefix.size(), line.size() - prefix.size() - kEnd.size()));
}

bool IsCommentLine(std::string_view line) {
  if (line.size() < 4 || line.substr(0, 2) != "/*") return false;
  if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
  return line.find("*/", 2) == line.size() - 2;
}

}  // namespace lines
