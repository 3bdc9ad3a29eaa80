#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace platform {

using Bytes = std::vector<std::uint8_t>;

// The first max bytes of a regular file (fewer when it is shorter). Anything
// that is not a regular file, or cannot be opened or read, gives nothing.
std::optional<Bytes> ReadHead(const std::string& path, std::size_t max);

// The same into a caller's buffer, for reading many files one after another:
// the first buffer.size() bytes of the file go to its start, and their number
// is returned. The buffer's bytes past that number are left as they were.
std::optional<std::size_t> ReadHeadInto(const std::string& path, std::span<std::uint8_t> buffer);

// A regular file read from its start a piece at a time, open in between, so
// that a reader takes only as many bytes as it needs. Closed when destroyed.
class RawReader {
 public:
  // Nothing for anything that is not a regular file, or cannot be opened.
  static std::optional<RawReader> Open(const std::string& path);

  RawReader(RawReader&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  RawReader& operator=(RawReader&& other) noexcept;
  RawReader(const RawReader&) = delete;
  RawReader& operator=(const RawReader&) = delete;
  ~RawReader();

  // The file's next bytes into the buffer, until it is full or the file ends;
  // their number. Nothing when reading fails.
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer);

 private:
  explicit RawReader(int fd) : fd_(fd) {}
  int fd_;
};

// Creates or truncates the file and writes the bytes. False when that fails.
bool WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size);

bool IsRegularFile(const std::string& path);

}  // namespace platform
