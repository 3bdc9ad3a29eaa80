#include <windows.h>

#include "platform/executable_dir.h"
#include "platform/wide_text.h"

namespace platform {

std::string ExecutableDir() {
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return ".";
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);  // a long path (\\?\ prefixed) was cut
  }
  std::string path = Narrow(buffer);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace platform
