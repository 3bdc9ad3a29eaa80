#include "platform/native_path.h"
#include "platform/wide_text.h"

namespace platform {

std::filesystem::path NativePath(std::string_view utf8) {
  return std::filesystem::path(Wide(utf8));
}

std::string Utf8Path(const std::filesystem::path& path) { return Narrow(path.generic_wstring()); }

}  // namespace platform
