#include "platform/native_path.h"

namespace platform {

std::filesystem::path NativePath(std::string_view utf8) { return std::filesystem::path(utf8); }

std::string Utf8Path(const std::filesystem::path& path) { return path.generic_string(); }

}  // namespace platform
