#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
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

// Creates or truncates the file and writes the bytes; fails with the path.
Status WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size);

enum class WriteResult { kWritten, kNoFolder, kFailed };

// Creates or truncates the file and writes the bytes without ever writing
// through a symbolic link or into a file that has other names: such an entry
// is replaced by a file of its own, so a link to a photo never overwrites the
// photo. kNoFolder when a folder on the way is missing; kFailed (errno says
// why) when the file cannot be made or written, and then no file is left.
WriteResult WriteOwnFile(const std::string& path, const std::uint8_t* data, std::size_t size);

bool IsRegularFile(const std::string& path);

}  // namespace platform
