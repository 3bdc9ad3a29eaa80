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
  // The next whole line, however long, with its "\n" when it has one.
  bool ReadLine(std::string& line);

 private:
  explicit TextFileReader(std::string text) : text_(std::move(text)) {}
  std::string text_;  // CR LF already turned into "\n"
  std::size_t pos_ = 0;
};

// Every "\n" becomes CR LF; nothing else changes.
std::string ToCrLf(std::string_view text);
// CR LF and lone LF both become "\n".
std::string FromCrLf(std::string_view bytes);

// Creates or truncates the file and writes the text with CR LF line ends,
// never through a symbolic link (WriteOwnFile); fails with the path.
Status WriteTextFile(const std::string& path, std::string_view text);
// The same for bytes whose lines already end in CR LF.
Status WriteCrLfTextFile(const std::string& path, std::string_view bytes);

// The name pattern of the temporary files of ReplaceTextFile: "NAME.tmp.vornami".
inline constexpr std::string_view kTemporarySuffix = ".tmp.vornami";

// Writes the text to "path.tmp.vornami", flushes it to the disk and renames it
// over path, then flushes the folder: a write that fails or is cut short
// leaves the old file whole, and a replaced file survives a power cut. The new
// file keeps the old one's permission bits. A write-protected file
// (IsWriteProtected) is not touched. Fails with the path.
Status ReplaceTextFile(const std::string& path, std::string_view text);

// Whether an existing file may not be written by the user: no permission, or
// no write bit for anyone (which holds even for the superuser).
bool IsWriteProtected(const std::string& path);

// Removes the temporary files a cut-short replace left in dir.
void RemoveLeftoverTemporaries(const std::string& dir);

}  // namespace platform
