#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

using Bytes = std::vector<std::uint8_t>;

// The first max bytes of a regular file (fewer when it is shorter). Anything
// that is not a regular file, or cannot be opened or read, gives nothing.
std::optional<Bytes> ReadHead(const std::string& path, std::size_t max);

// Creates or truncates the file and writes the bytes. False when that fails.
bool WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size);

bool IsRegularFile(const std::string& path);

}  // namespace platform
