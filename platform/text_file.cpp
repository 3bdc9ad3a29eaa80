#include "platform/text_file.h"

#include <algorithm>

#include "platform/fault_injection.h"
#include "platform/raw_file.h"

namespace platform {

std::string ToCrLf(std::string_view text) {
  // Whole runs between line feeds are copied at once: pages are written by the
  // thousand, and a byte-by-byte append showed in every profile of ③ and ⑤.
  std::string out;
  out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
  std::size_t from = 0;
  for (std::size_t lf; (lf = text.find('\n', from)) != std::string_view::npos; from = lf + 1) {
    out.append(text.substr(from, lf - from));
    out.append("\r\n");
  }
  out.append(text.substr(from));
  return out;
}

std::string FromCrLf(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i];
  }
  return out;
}

Result<TextFileReader> TextFileReader::Open(const std::string& path) {
  if (ShouldFail(FileOp::Open, path)) return Fail(path);
  // Data files are small; a gallery of 1000 memos stays under a megabyte.
  constexpr std::size_t kMaxTextFile = 64u << 20;
  auto bytes = ReadHead(path, kMaxTextFile);
  if (!bytes) return Fail(path);
  return FromBytes(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

TextFileReader TextFileReader::FromBytes(std::string_view bytes) {
  return TextFileReader(FromCrLf(bytes));
}

bool TextFileReader::ReadLine(std::size_t bufferSize, std::string& line) {
  if (pos_ >= text_.size() || bufferSize < 2) return false;
  std::size_t end = pos_;
  std::size_t limit = pos_ + (bufferSize - 1);
  while (end < text_.size() && end < limit) {
    if (text_[end++] == '\n') break;
  }
  line.assign(text_, pos_, end - pos_);
  pos_ = end;
  return true;
}

bool TextFileReader::ReadLine(std::string& line) {
  return ReadLine(text_.size() - std::min(pos_, text_.size()) + 2, line);
}

Status WriteTextFile(const std::string& path, std::string_view text) {
  return WriteCrLfTextFile(path, ToCrLf(text));
}

Status WriteCrLfTextFile(const std::string& path, std::string_view bytes) {
  if (WriteOwnFile(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) !=
      Written::kFile)
    return Fail(path);
  return {};
}

}  // namespace platform
