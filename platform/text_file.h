#pragma once
// Text files as the Windows C runtime's text mode treats them: on disk every
// line ends with CR LF, in memory with "\n".
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace platform {

class TextFileReader {
 public:
  // Reads the whole file; fails with the path when it is not a regular file or
  // cannot be read.
  static Result<TextFileReader> Open(const std::string& path);
  // Reads bytes as Open reads a file's.
  static TextFileReader FromBytes(std::string_view bytes);

  // Like fgets into a buffer of bufferSize bytes: takes at most bufferSize - 1
  // bytes, stopping after the first "\n", which it keeps. False at the end of
  // the file, with line untouched.
  bool ReadLine(std::size_t bufferSize, std::string& line);

 private:
  explicit TextFileReader(std::string text) : text_(std::move(text)) {}
  std::string text_;  // CR LF already turned into "\n"
  std::size_t pos_ = 0;
};

// Every "\n" becomes CR LF; nothing else changes.
std::string ToCrLf(std::string_view text);
// CR LF and lone LF both become "\n".
std::string FromCrLf(std::string_view bytes);

// Creates or truncates the file and writes the text with CR LF line ends;
// fails with the path.
Status WriteTextFile(const std::string& path, std::string_view text);

// Writes the text to a temporary file beside path, then renames it over path,
// so that a failed write never leaves a truncated file behind. Fails with path.
Status ReplaceTextFile(const std::string& path, std::string_view text);

}  // namespace platform
