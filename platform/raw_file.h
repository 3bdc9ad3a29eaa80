#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/result.h"

namespace platform {

using Bytes = std::vector<std::uint8_t>;

// The first max bytes of a regular file (fewer when it is shorter). Anything
// that is not a regular file, or cannot be opened or read, fails with the path.
Result<Bytes> ReadHead(const std::string& path, std::size_t max);

// The same into a caller's buffer, for reading many files one after another:
// the first buffer.size() bytes of the file go to its start, and their number
// is returned. The buffer's bytes past that number are left as they were.
Result<std::size_t> ReadHeadInto(const std::string& path, std::span<std::uint8_t> buffer);

// A regular file read from its start a piece at a time, open in between, so
// that a reader takes only as many bytes as it needs. Closed when destroyed.
class RawReader {
 public:
  // Fails with the path for anything that is not a regular file, or cannot be opened.
  static Result<RawReader> Open(const std::string& path);

  RawReader(RawReader&& other) noexcept
      : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}
  RawReader& operator=(RawReader&& other) noexcept;
  RawReader(const RawReader&) = delete;
  RawReader& operator=(const RawReader&) = delete;
  ~RawReader();

  // The file's next bytes into the buffer, until it is full or the file ends;
  // their number. Fails with the path when reading fails.
  Result<std::size_t> Read(std::span<std::uint8_t> buffer);

 private:
  RawReader(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  std::string path_;
  int fd_;
};

// Creates or truncates the file and writes the bytes; fails with the path.
Status WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size);

// What WriteOwnFile did: wrote the file, or skipped it because a folder on
// the way is missing.
enum class Written { kFile, kNoFolder };

// Creates or truncates the file and writes the bytes without ever writing
// through a symbolic link or into a file that has other names: such an entry
// is replaced by a file of its own, so a link to a photo never overwrites the
// photo. Fails with the path when the file cannot be made or written, and
// then no file is left.
Result<Written> WriteOwnFile(const std::string& path, const std::uint8_t* data, std::size_t size);

bool IsRegularFile(const std::string& path);

}  // namespace platform
